/*
 * The texts the accessory dialogs show, built without any window: text insertion, thousands
 * grouping, the two written forms of an object id, and the lines of the About box.
 * Every function is given the size of the buffer it writes and never writes past it.
 */
#ifndef VANTREL_TEXT_FORMS_H
#define VANTREL_TEXT_FORMS_H

#include <stddef.h>
#include <stdint.h>

/* The four fields of a GUID, as CoCreateGuid fills them. */
struct ObjectIdFields {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

/* Size of the buffers the two dialogs build their lines in. */
enum { TEXT_LINE_SIZE = 80 };

/* Lengths of the two written forms of an object id, without the terminator. */
enum { OBJECT_ID_PLAIN_LENGTH = 32, OBJECT_ID_SPACED_LENGTH = 35 };

/* Inserts `text` into the NUL-terminated `buffer` (of `bufferSize` bytes) so that its first
 * character lands at index `position`; the rest of the buffer moves right. A position past the
 * end appends. What would not fit is cut from the end: the buffer always stays terminated.
 * Returns `buffer`. */
char *InsertText(const char *text, char *buffer, size_t bufferSize, size_t position);

/* Writes `value` in decimal with `separator` between groups of three digits counted from the
 * right; a NUL separator gives the plain digits. Returns `buffer`. */
char *GroupThousands(char *buffer, size_t bufferSize, uint32_t value, char separator);

/* The 32 upper-case hexadecimal digits of an id: Data1, Data2 and Data3 written as numbers,
 * then the eight bytes of Data4 in order. */
void FormatObjectIdPlain(const ObjectIdFields *id, char *buffer, size_t bufferSize);

/* The same digits in four groups of eight, separated by single blanks (35 characters). */
void FormatObjectIdSpaced(const ObjectIdFields *id, char *buffer, size_t bufferSize);

/* "Version " and the file version, with every comma turned into a period; cut to the buffer. */
void FormatVersionLine(char *buffer, size_t bufferSize, const char *fileVersion);

/* What the system says about its version; only the fields the About box shows. */
struct WindowsVersion {
    unsigned long platformId;
    unsigned long majorVersion;
    unsigned long minorVersion;
    unsigned long buildNumber;
};

/* The Windows line, chosen by platform, with the low 16 bits of the build number. A null
 * version (the system would not say) gives a line that says so. */
void FormatWindowsLine(char *buffer, size_t bufferSize, const WindowsVersion *version);

/* Free physical memory in whole kilobytes, as a 32-bit program sees it: counts of 4 GiB and
 * more are held at the largest 32-bit count instead of wrapping round to a small one. */
uint32_t FreeKilobytes(unsigned long long availableBytes);

/* "Available memory to Windows: <number> Kb (<percent not in use>%)". */
void FormatMemoryLine(char *buffer, size_t bufferSize, const char *kilobytes, unsigned long memoryLoad);

#endif
