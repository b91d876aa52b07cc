/*
 * Registry key paths: relative or absolute, bounded copies and joins.
 */
#include "settings/core/key_path.h"

#include <cstring>

bool IsRelativeKeyPath(const char *path)
{
    return path[0] != '\\';
}

static void ClearText(char *out, size_t outSize)
{
    if (outSize > 0)
        out[0] = '\0';
}

bool ResolveKeyPath(const char *path, size_t limit, char *out, size_t outSize)
{
    size_t length = strnlen(path, limit + 1);
    const char *start = IsRelativeKeyPath(path) ? path : path + 1;
    size_t kept = length - (size_t)(start - path);
    if (length > limit || kept >= outSize) {
        ClearText(out, outSize);
        return false;
    }
    memcpy(out, start, kept);
    out[kept] = '\0';
    return true;
}

bool JoinKeyPath(const char *base, const char *relative, size_t limit, char *out, size_t outSize)
{
    size_t baseLength = strnlen(base, limit + 1);
    size_t relativeLength = strnlen(relative, limit + 1);
    size_t separator = baseLength > 0 ? 1 : 0;
    size_t total = baseLength + separator + relativeLength;
    if (baseLength > limit || relativeLength > limit || total > limit || total >= outSize) {
        ClearText(out, outSize);
        return false;
    }
    memcpy(out, base, baseLength);
    if (separator)
        out[baseLength] = '\\';
    memcpy(out + baseLength + separator, relative, relativeLength);
    out[total] = '\0';
    return true;
}

size_t TerminateRegistryText(char *buffer, size_t size, size_t count)
{
    if (count == 0 || count > size)
        return 0;
    if (buffer[count - 1] == '\0')
        return count;
    /* Stored without its NUL: terminate after the text when there is room for it. */
    if (count == size)
        return 0;
    buffer[count] = '\0';
    return count;
}
