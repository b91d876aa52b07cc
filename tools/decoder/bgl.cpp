/*
 * The BGL file header as this decoder understands it: a 56-byte header that starts with the
 * magic number 0x19920201 (little-endian) and has 0x08051803 at offset 16 and the number of
 * sections at offset 20, followed by one 20-byte record per section: its type, a size word,
 * the number of subsections, the file offset of the first subsection and the total bytes of
 * the subsections. Nothing beyond that is decoded.
 */
#include "bgl.h"

#include <stdio.h>
#include <string.h>

static const uint32_t BGL_MAGIC = 0x19920201u;
static const uint32_t BGL_MAGIC2 = 0x08051803u;
static const size_t BGL_HEADER_BYTES = 0x38;
static const size_t BGL_SECTION_BYTES = 20;

static uint32_t Le32(const unsigned char *bytes)
{
    return (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 | (uint32_t)bytes[3] << 24;
}

void ParseBglSummary(const unsigned char *bytes, size_t size, BglSummary *summary)
{
    memset(summary, 0, sizeof *summary);
    if (size < BGL_HEADER_BYTES || Le32(bytes) != BGL_MAGIC || Le32(bytes + 16) != BGL_MAGIC2)
        return;
    summary->recognised = true;
    summary->headerSize = Le32(bytes + 4);
    summary->sectionCount = Le32(bytes + 20);
    size_t present = (size - BGL_HEADER_BYTES) / BGL_SECTION_BYTES;
    size_t listed = summary->sectionCount;
    if (listed > present)
        listed = present;
    if (listed > BGL_LISTED_SECTIONS)
        listed = BGL_LISTED_SECTIONS;
    for (size_t i = 0; i < listed; ++i) {
        const unsigned char *record = bytes + BGL_HEADER_BYTES + i * BGL_SECTION_BYTES;
        summary->sections[i].type = Le32(record);
        summary->sections[i].subsectionCount = Le32(record + 8);
        summary->sections[i].subsectionOffset = Le32(record + 12);
        summary->sections[i].subsectionBytes = Le32(record + 16);
    }
    summary->listed = (unsigned)listed;
}

bool ReadBglSummary(const char *path, BglSummary *summary, long long *fileSize)
{
    memset(summary, 0, sizeof *summary);
    *fileSize = 0;
    FILE *file = fopen(path, "rb");
    if (!file)
        return false;
    static unsigned char start[BGL_HEADER_BYTES + BGL_LISTED_SECTIONS * BGL_SECTION_BYTES];
    size_t got = fread(start, 1, sizeof start, file);
    bool readable = !ferror(file);
    /* The 64-bit forms: a long holds only 2 GiB here. */
    if (readable && _fseeki64(file, 0, SEEK_END) == 0)
        *fileSize = _ftelli64(file);
    fclose(file);
    if (readable)
        ParseBglSummary(start, got, summary);
    return readable;
}
