/*
 * Registry key paths as the settings store handles them: relative or absolute, bounded
 * copies and joins, and the termination of text read back from the registry.
 */
#ifndef VANTREL_KEY_PATH_H
#define VANTREL_KEY_PATH_H

#include <cstddef>

/* Longest path (without its NUL) given to an open or create, and longest joined path. */
const size_t KEY_PATH_MAX = 511;
/* Longest sub-key path (without its NUL) given to a value operation. */
const size_t SUBKEY_PATH_MAX = 255;

/* True unless the path begins with a backslash. */
bool IsRelativeKeyPath(const char *path);

/* Copies `path` into `out` with an absolute path's one leading backslash removed. False, with
 * `out` emptied, when the path (before removal) is longer than `limit` characters or does
 * not fit `outSize`. */
bool ResolveKeyPath(const char *path, size_t limit, char *out, size_t outSize);

/* Writes `base`, a backslash and `relative` into `out`; just `relative` when `base` is empty.
 * False, with `out` emptied, when the result would be longer than `limit` characters or would
 * not fit `outSize`. */
bool JoinKeyPath(const char *base, const char *relative, size_t limit, char *out, size_t outSize);

/* Makes the `count` bytes that a text query put into `buffer` (of `size` bytes) a
 * NUL-terminated text, also when the stored value had no terminating NUL. Returns `count`,
 * or 0 when the text cannot be terminated inside the buffer (or `count` is 0). */
size_t TerminateRegistryText(char *buffer, size_t size, size_t count);

#endif
