/*
 * The container (the wiki's "BGL File Format", common part): a 0x38-byte header (magic
 * 0x19920201 at 0, the number of sections at 0x14), then one 20-byte pointer per section:
 * type, a word whose bit 16 gives the size of the section's subsection entries
 * (((word & 0x10000) | 0x40000) >> 14: 16 or 20 bytes), the number of subsections, their file
 * offset and their total size. A subsection entry ends with the number of records, the file
 * offset of its data and the data size.
 *
 * Records are walked by the data size, not by the record count: in files of the newest
 * generation a navaid section holds many small records (id 0x00DB) besides its VOR/ILS
 * record, and the descriptions do not say whether the count includes them. A count that
 * could not fit the data is still refused as damage.
 */
#include "container.h"

#include <stdarg.h>
#include <stdio.h>

namespace {

const uint32_t BGL_MAGIC = 0x19920201u;
const size_t HEADER_BYTES = 0x38;
const size_t SECTION_POINTER_BYTES = 20;

bool Fail(Damage *damage, size_t offset, const char *format, ...)
{
    char message[320];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    damage->offset = offset;
    damage->message = message;
    return false;
}

/* `bytes` at `offset` lie inside a file of `size` bytes. */
bool Inside(size_t size, uint64_t offset, uint64_t bytes)
{
    return offset <= size && bytes <= size - offset;
}

} // namespace

uint16_t Le16(const unsigned char *at)
{
    return (uint16_t)(at[0] | at[1] << 8);
}

uint32_t Le32(const unsigned char *at)
{
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

bool ReadHeader(const unsigned char *bytes, size_t size, Bgl *file, Damage *damage)
{
    if (size < HEADER_BYTES)
        return Fail(damage, size, "truncated header at offset 0x%zX: the file has %zu bytes, a BGL header needs 56",
                    size, size);
    if (Le32(bytes) != BGL_MAGIC)
        return Fail(damage, 0, "not a BGL file: magic number 0x%08X at offset 0x0", Le32(bytes));
    file->bytes = bytes;
    file->size = size;
    file->sections = Le32(bytes + 0x14);
    file->magic2 = Le32(bytes + 0x10);
    if (file->sections > (size - HEADER_BYTES) / SECTION_POINTER_BYTES)
        return Fail(damage, 0x14,
                    "damaged header: %u sections at offset 0x14 need %llu bytes of section pointers, the file has %zu "
                    "bytes",
                    file->sections,
                    (unsigned long long)HEADER_BYTES + (unsigned long long)file->sections * SECTION_POINTER_BYTES, size);
    return true;
}

bool ReadSection(const Bgl &file, unsigned index, Section *section, Damage *damage)
{
    size_t pointer = HEADER_BYTES + index * SECTION_POINTER_BYTES;
    const unsigned char *p = file.bytes + pointer;
    section->index = index;
    section->type = Le32(p);
    section->entryBytes = ((Le32(p + 4) & 0x10000) | 0x40000) >> 14;
    section->subsections = Le32(p + 8);
    section->pointer = Span{pointer, SECTION_POINTER_BYTES};
    uint32_t offset = Le32(p + 12), bytes = Le32(p + 16);
    section->entries = Span{offset, bytes};
    if (!Inside(file.size, offset, bytes))
        return Fail(damage, pointer + 12,
                    "damaged section pointer %u at offset 0x%zX: %u bytes at 0x%X run past the end of the file (%zu "
                    "bytes)",
                    index, pointer, bytes, offset, file.size);
    return true;
}

bool ReadSubsection(const Bgl &file, const Section &section, uint32_t index, uint8_t framing, Subsection *subsection,
                    Damage *damage)
{
    if ((uint64_t)section.subsections * section.entryBytes > section.entries.size)
        return Fail(damage, section.pointer.at + 8,
                    "damaged section pointer %u at offset 0x%zX: %u subsections of %zu bytes cannot fit its %zu bytes",
                    section.index, section.pointer.at, section.subsections, section.entryBytes, section.entries.size);
    size_t entry = section.entries.at + (size_t)index * section.entryBytes;
    const unsigned char *end = file.bytes + entry + section.entryBytes;
    uint32_t records = Le32(end - 12), offset = Le32(end - 8), bytes = Le32(end - 4);
    if (!Inside(file.size, offset, bytes))
        return Fail(damage, entry + section.entryBytes - 8,
                    "damaged subsection at offset 0x%zX: its %u bytes of data at 0x%X run past the end of the file "
                    "(%zu bytes)",
                    entry, bytes, offset, file.size);
    if ((uint64_t)records * framing > bytes)
        return Fail(damage, entry + section.entryBytes - 12,
                    "damaged subsection at offset 0x%zX: %u records cannot fit its %u bytes", entry, records, bytes);
    subsection->records = records;
    subsection->data = Span{offset, bytes};
    return true;
}

bool FrameRecord(const Bgl &file, size_t at, size_t end, uint8_t framing, Record *record, Damage *damage)
{
    if (end - at < framing)
        return Fail(damage, at, "damaged record at offset 0x%zX: %zu bytes left before 0x%zX, a record header needs %u",
                    at, end - at, end, (unsigned)framing);
    const unsigned char *p = file.bytes + at;
    record->id = Le16(p);
    uint32_t length = framing == 4 ? Le16(p + 2) : Le32(p + 2);
    if (length < framing)
        return Fail(damage, at + 2, "damaged record at offset 0x%zX: id 0x%04X with size %u, smaller than its header",
                    at, record->id, length);
    if (length > end - at)
        return Fail(damage, at + 2, "damaged record at offset 0x%zX: id 0x%04X of %u bytes runs past 0x%zX", at,
                    record->id, length, end);
    record->bytes = Span{at, length};
    return true;
}
