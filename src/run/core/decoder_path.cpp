/*
 * Where the decoder is looked for: the candidate paths, built from the program's own folder
 * and from the entries of PATH.
 */
#include "run/core/decoder_path.h"

#include <string.h>

static int IsSlash(char c)
{
    return c == '\\' || c == '/';
}

static int IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int IsAbsoluteFolder(const char *folder, size_t length)
{
    if (length >= 3 && IsDriveLetter(folder[0]) && folder[1] == ':' && IsSlash(folder[2]))
        return 1;
    return length >= 3 && IsSlash(folder[0]) && IsSlash(folder[1]) && !IsSlash(folder[2]);
}

int DecoderPathIn(const char *folder, size_t length, char *out, size_t size)
{
    /* PATH may quote an entry that holds a semicolon or blanks. */
    if (length >= 2 && folder[0] == '"' && folder[length - 1] == '"') {
        folder++;
        length -= 2;
    }
    if (!IsAbsoluteFolder(folder, length))
        return 0;
    int needsSlash = !IsSlash(folder[length - 1]);
    size_t needed = length + needsSlash + strlen(DECODER_FILE_NAME) + 1;
    if (needed > size)
        return 0;
    memcpy(out, folder, length);
    if (needsSlash)
        out[length++] = '\\';
    strcpy(out + length, DECODER_FILE_NAME);
    return 1;
}

size_t FolderLength(const char *path)
{
    size_t length = strlen(path);
    while (length > 0 && !IsSlash(path[length - 1]))
        length--;
    return length;
}

int NextFolderEntry(const char **cursor, const char **entry, size_t *length)
{
    const char *at = *cursor;
    while (*at == ';')
        at++;
    if (!*at)
        return 0;
    const char *end = at;
    /* A semicolon inside double quotes belongs to the entry. */
    int quoted = 0;
    while (*end && (quoted || *end != ';')) {
        if (*end == '"')
            quoted = !quoted;
        end++;
    }
    *entry = at;
    *length = (size_t)(end - at);
    *cursor = end;
    return 1;
}
