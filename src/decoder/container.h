/*
 * The container every BGL file of this format shares: a header, section pointers, subsection
 * entries and framed records. This is the one place that reads offsets, counts and sizes from
 * the file, and it checks each against the bytes that hold it before anything is read there.
 */
#ifndef MORVANE_CONTAINER_H
#define MORVANE_CONTAINER_H

#include <stddef.h>
#include <stdint.h>

#include <string>

struct Damage {
    size_t offset;
    std::string message;
};

/* A range of the file: `size` bytes at `at`. */
struct Span {
    size_t at;
    size_t size;
};

struct Section {
    unsigned index;
    uint32_t type;
    uint32_t subsections;
    size_t entryBytes; /* 16 or 20 */
    Span pointer;      /* the section pointer itself */
    Span entries;      /* its subsection entries */
};

struct Subsection {
    uint32_t records;
    Span data;
};

struct Record {
    uint16_t id;
    Span bytes; /* the whole record, its framing included */
};

struct Bgl {
    const unsigned char *bytes;
    size_t size;
    uint32_t sections;
    uint32_t magic2;
};

uint16_t Le16(const unsigned char *at);
uint32_t Le32(const unsigned char *at);

/* The header: false with the damage for a file that is not a BGL file or too short. */
bool ReadHeader(const unsigned char *bytes, size_t size, Bgl *file, Damage *damage);
/* Section pointer `index` (< file.sections), its data inside the file. */
bool ReadSection(const Bgl &file, unsigned index, Section *section, Damage *damage);
/* Subsection entry `index` of a walked section, its records' data inside the file. */
bool ReadSubsection(const Bgl &file, const Section &section, uint32_t index, uint8_t framing, Subsection *subsection,
                    Damage *damage);
/* The record at `at`, framed by `framing` bytes (6: 16-bit id and 32-bit size; 4: 16-bit id and
 * 16-bit size), which must end by `end`. */
bool FrameRecord(const Bgl &file, size_t at, size_t end, uint8_t framing, Record *record, Damage *damage);

#endif
