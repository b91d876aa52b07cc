/*
 * Version values are cut to their field; the field always ends with a NUL.
 */
#include "ui/core/version_text.h"

#include <string.h>

void CopyVersionValue(char *field, size_t fieldSize, const char *text, size_t length)
{
    if (fieldSize == 0)
        return;
    size_t n = 0;
    if (text) {
        while (n < length && n < fieldSize - 1 && text[n] != '\0')
            n++;
        memcpy(field, text, n);
    }
    field[n] = '\0';
}
