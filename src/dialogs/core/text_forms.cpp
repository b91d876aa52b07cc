/*
 * The texts the accessory dialogs show. Plain string work, so it is tested natively.
 */
#include "dialogs/core/text_forms.h"

#include <stdio.h>
#include <string.h>

char *InsertText(const char *text, char *buffer, size_t bufferSize, size_t position)
{
    if (bufferSize == 0)
        return buffer;
    size_t room = bufferSize - 1; /* characters the buffer can hold before its NUL */
    size_t len = strnlen(buffer, bufferSize);
    if (len > room)
        len = room; /* an unterminated buffer is taken as full */
    if (position > len)
        position = len;
    size_t n = strlen(text);

    /* The tail moves first, and only as much of it as still fits; memmove handles the overlap. */
    if (position + n < room) {
        size_t tail = len - position;
        if (tail > room - position - n)
            tail = room - position - n;
        memmove(buffer + position + n, buffer + position, tail);
    }
    size_t copied = n < room - position ? n : room - position;
    memcpy(buffer + position, text, copied);
    buffer[len + n < room ? len + n : room] = '\0';
    return buffer;
}

char *GroupThousands(char *buffer, size_t bufferSize, uint32_t value, char separator)
{
    if (bufferSize == 0)
        return buffer;
    char grouped[32]; /* ten digits and three separators at most */
    const char separatorText[2] = {separator, '\0'};
    /* Written unsigned: a count of 2^31 or more never shows as a negative number. */
    int p = snprintf(grouped, sizeof grouped, "%lu", (unsigned long)value);
    /* From right to left, so each index still counts digits of the plain number. */
    while (p > 3) {
        p -= 3;
        InsertText(separatorText, grouped, sizeof grouped, (size_t)p);
    }
    snprintf(buffer, bufferSize, "%s", grouped);
    return buffer;
}

void FormatObjectIdPlain(const ObjectIdFields *id, char *buffer, size_t bufferSize)
{
    char digits[TEXT_LINE_SIZE];
    int used = snprintf(digits, sizeof digits, "%08lX%04X%04X", (unsigned long)id->Data1, (unsigned)id->Data2,
                        (unsigned)id->Data3);
    for (int i = 0; i < 8; i++)
        used += snprintf(digits + used, sizeof digits - (size_t)used, "%02X", (unsigned)id->Data4[i]);
    if (bufferSize > 0)
        snprintf(buffer, bufferSize, "%s", digits);
}

void FormatObjectIdSpaced(const ObjectIdFields *id, char *buffer, size_t bufferSize)
{
    char spaced[TEXT_LINE_SIZE];
    FormatObjectIdPlain(id, spaced, sizeof spaced);
    /* Right to left, so each index counts digits of the unspaced text. */
    InsertText(" ", spaced, sizeof spaced, 24);
    InsertText(" ", spaced, sizeof spaced, 16);
    InsertText(" ", spaced, sizeof spaced, 8);
    if (bufferSize > 0)
        snprintf(buffer, bufferSize, "%s", spaced);
}

void FormatVersionLine(char *buffer, size_t bufferSize, const char *fileVersion)
{
    if (bufferSize == 0)
        return;
    snprintf(buffer, bufferSize, "Version %s", fileVersion);
    for (char *c = buffer; *c; c++)
        if (*c == ',')
            *c = '.';
}

void FormatWindowsLine(char *buffer, size_t bufferSize, const WindowsVersion *version)
{
    if (bufferSize == 0)
        return;
    if (!version) {
        snprintf(buffer, bufferSize, "Windows version unknown");
        return;
    }
    const char *format;
    switch (version->platformId) {
    case 1: format = "Windows v9.x ver. %d.%d (build %d)"; break;
    case 2: format = "Windows NT ver. %d.%d (build %d)"; break;
    default: format = "MS Windows ver. %d.%d (build %d)"; break;
    }
    /* On the 9x family the high word of the build number holds the version, so only the
     * low word is the build. */
    snprintf(buffer, bufferSize, format, (int)version->majorVersion, (int)version->minorVersion,
             (int)(version->buildNumber & 0xFFFF));
}

uint32_t FreeKilobytes(unsigned long long availableBytes)
{
    if (availableBytes > 0xFFFFFFFFull)
        availableBytes = 0xFFFFFFFFull;
    return (uint32_t)(availableBytes >> 10);
}

void FormatMemoryLine(char *buffer, size_t bufferSize, const char *kilobytes, unsigned long memoryLoad)
{
    if (bufferSize == 0)
        return;
    if (memoryLoad > 100) /* never reported by the system; kept from giving a negative share */
        memoryLoad = 100;
    snprintf(buffer, bufferSize, "Available memory to Windows: %s Kb (%d%%)", kilobytes, (int)(100 - memoryLoad));
}
