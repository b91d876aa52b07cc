/*
 * Copying a value out of a version block into a fixed field.
 */
#ifndef VANTREL_VERSION_TEXT_H
#define VANTREL_VERSION_TEXT_H

#include <stddef.h>

/* Copies at most `length` characters of `text`, and never more than fieldSize - 1, into
 * `field`, which is left NUL-terminated. A null text gives the empty string. */
void CopyVersionValue(char *field, size_t fieldSize, const char *text, size_t length);

#endif
