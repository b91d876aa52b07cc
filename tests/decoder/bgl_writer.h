/*
 * A small BGL writer for fixtures: the record layouts the decoder reads, written from the same
 * published descriptions as strings of little-endian fields, framed, and laid out in a file of
 * header, section pointers, subsection entries (16 bytes; one subsection per section type) and
 * record data.
 */
#ifndef BGL_WRITER_H
#define BGL_WRITER_H

#include <math.h>
#include <stdint.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

struct FixtureRecord { uint32_t section; std::string bytes; }; /* section type, the framed record */
struct Place { double lat, lon, altMetres; };

inline std::string Le16(uint16_t value)
{
    return std::string{(char)(value & 0xFF), (char)(value >> 8)};
}

/* 32 bits each */
inline std::string Words(std::initializer_list<uint32_t> values)
{
    std::string bytes;
    for (uint32_t value : values)
        bytes += Le16((uint16_t)(value & 0xFFFF)) + Le16((uint16_t)(value >> 16));
    return bytes;
}

inline std::string Floats(std::initializer_list<float> values)
{
    std::string bytes;
    for (float value : values)
        bytes.append((const char *)&value, sizeof value); // IEEE single, and the hosts are little-endian
    return bytes;
}

inline uint32_t RawCoordinate(double degrees, bool latitude)
{
    return (uint32_t)llround(latitude ? (90.0 - degrees) * (2.0 * 0x10000000) / 180.0
                                      : (degrees + 180.0) * (3.0 * 0x10000000) / 360.0);
}

/* Base 38, not shifted. */
inline uint32_t PackIdent(const char *text)
{
    uint32_t value = 0;
    for (const char *c = text; *c; ++c)
        value = value * 38 + (*c == ' ' ? 0 : *c <= '9' ? *c - '0' + 2 : *c - 'A' + 12);
    return value;
}

/* Longitude, latitude, altitude in millimetres. */
inline std::string At(Place at)
{
    return Words({RawCoordinate(at.lon, false), RawCoordinate(at.lat, true), (uint32_t)(int32_t)lround(at.altMetres * 1000)});
}

inline std::string Names(const char *ident, const char *region)
{
    return Words({PackIdent(ident) << 5, PackIdent(region)});
}

/* Id, size (6 + body) and body. */
inline std::string Framed(uint16_t id, const std::string &body)
{
    return Le16(id) + Words({(uint32_t)(6 + body.size())}) + body;
}

inline std::string WaypointRecord(Place at, float magvar, const char *ident, const char *region)
{
    return Framed(0x22, std::string{1, 0} + At(at).substr(0, 8) + Floats({magvar}) + Names(ident, region));
}

/* An airport of layout `id` (0x0003, 0x0056, 0x0113): its fixed part, then `children`. */
inline std::string AirportRecord(uint16_t id, Place at, float magvar, const char *ident, const char *region,
                          const std::string &children)
{
    std::string fixed = std::string(6, '\0') + At(at) + At(at) + Floats({magvar}) + Names(ident, region);
    fixed.resize(id == 0x0003 ? 0x38 - 6 : id == 0x0056 ? 0x44 - 6 : 0x30 - 6, '\0');
    return Framed(id, fixed + children);
}

/* A whole file; sections in the order their types first appear. */
inline std::string WriteBgl(const std::vector<FixtureRecord> &records)
{
    std::vector<uint32_t> types;
    for (const FixtureRecord &record : records)
        if (std::find(types.begin(), types.end(), record.section) == types.end())
            types.push_back(record.section);
    uint32_t sections = (uint32_t)types.size(), entries = 0x38 + 20 * sections, data = entries + 16 * sections;
    std::string header = Words({0x19920201, 0x38, 0, 0, 0x08051803, sections}) + std::string(32, '\0');
    std::string pointers, subsections, payload;
    for (uint32_t i = 0; i < sections; ++i) {
        std::string bytes;
        uint32_t count = 0;
        for (const FixtureRecord &record : records)
            if (record.section == types[i])
                bytes += record.bytes, ++count;
        pointers += Words({types[i], 1, 1, entries + 16 * i, 16});
        subsections += Words({0, count, data + (uint32_t)payload.size(), (uint32_t)bytes.size()});
        payload += bytes;
    }
    return header + pointers + subsections + payload;
}

/* One record of each kind the decoder reads, and one it skips. */
inline std::vector<FixtureRecord> SampleRecords()
{
    const Place field = {50.1, 14.2, 380.0}, vor = {50.2, 14.3, 300.0};
    auto name = [](const char *text) { return Framed(0x19, std::string(text) + '\0'); };
    std::string runway = Le16(4) + std::string{6, 0} + std::string(10, '\0') + At(field) + Floats({3715, 45, 62.5, 300});
    std::string helipad = std::string{0, 0x01} + Words({0}) + At({50.11, 14.21, 381.0}) + Floats({20, 20, 0});
    std::string children = name("Sample Field") + Framed(0x04, runway) +
                           Framed(0x11, std::string{6, 0x10} + At({50.09, 14.18, 380.0}) + Floats({62.5})) +
                           Framed(0x12, Le16(6) + Words({118100000}) + "Sample Tower") + Framed(0x26, helipad) +
                           Framed(0xEE, "none"); // an id no table knows
    return {
        {0x22, WaypointRecord({50.1, 14.2, 0}, 0, "ABCD", "LK")},
        {0x03, AirportRecord(0x0003, field, -4, "LKSF", "LK", children)},
        {0x13, Framed(0x13, std::string{3, 0x31} + At(vor) + Words({113900000}) + Floats({240760, -4}) +
                                Names("SFV", "LK") + name("Sample VOR") + Framed(0x16, Le16(0) + At(vor) + Floats({240760})))},
        {0x17, Framed(0x17, Le16(2) + Words({344000}) + At({50.0, 14.0, 250.0}) + Floats({46300, -4}) +
                                Names("SF", "LK") + name("Sample NDB"))},
        {0x65, Framed(0x0B, std::string(30, 'x'))}, // a section type not framed as records
    };
}

#endif
