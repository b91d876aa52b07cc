/*
 * What the contract decoder reads of a BGL file: the file header and the section list.
 */
#ifndef MORVANE_BGL_H
#define MORVANE_BGL_H

#include <stddef.h>
#include <stdint.h>

enum { BGL_LISTED_SECTIONS = 256 };

struct BglSection {
    uint32_t type;
    uint32_t subsectionCount;
    uint32_t subsectionOffset;
    uint32_t subsectionBytes;
};

struct BglSummary {
    bool recognised;      /* both header magic numbers found */
    uint32_t headerSize;
    uint32_t sectionCount; /* as the header states it */
    unsigned listed;       /* section records present in the file, at most BGL_LISTED_SECTIONS */
    BglSection sections[BGL_LISTED_SECTIONS];
};

/* Reads the header and section records from `bytes`; never reads past `size`. */
void ParseBglSummary(const unsigned char *bytes, size_t size, BglSummary *summary);

/* Opens `path` and parses its beginning; false if the file cannot be read. */
bool ReadBglSummary(const char *path, BglSummary *summary, long long *fileSize);

#endif
