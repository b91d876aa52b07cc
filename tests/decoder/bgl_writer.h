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

/* Id, size (4 + body) and body: the framing of the scenery objects (section 0x25). */
inline std::string Framed16(uint16_t id, const std::string &body)
{
    return Le16(id) + Le16((uint16_t)(4 + body.size())) + body;
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

/* An airport of layout `id` (0x0003, 0x003C, 0x0056, 0x0113): its fixed part, then `children`. */
inline std::string AirportRecord(uint16_t id, Place at, float magvar, const char *ident, const char *region,
                          const std::string &children)
{
    std::string fixed = std::string(6, '\0') + At(at) + At(at) + Floats({magvar});
    if (id == 0x0113) { /* its ident, shifted by 6 bits, and region at 0x4C, its children at 0x5C */
        fixed.resize(0x4C - 6, '\0');
        fixed += Words({PackIdent(ident) << 6, PackIdent(region)});
    } else {
        fixed += Names(ident, region);
    }
    fixed.resize(id == 0x0003 || id == 0x003C ? 0x38 - 6 : id == 0x0056 ? 0x44 - 6 : 0x5C - 6, '\0');
    return Framed(id, fixed + children);
}

/* A whole file; sections in the order their types first appear, each with one subsection,
 * or subsections of at most `perSubsection` records. */
inline std::string WriteBgl(const std::vector<FixtureRecord> &records, uint32_t perSubsection = 0)
{
    std::vector<uint32_t> types;
    for (const FixtureRecord &record : records)
        if (std::find(types.begin(), types.end(), record.section) == types.end())
            types.push_back(record.section);
    // Each section's records, cut into its subsections.
    std::vector<std::vector<std::vector<const std::string *>>> parts(types.size());
    for (const FixtureRecord &record : records) {
        auto &section = parts[std::find(types.begin(), types.end(), record.section) - types.begin()];
        if (section.empty() || (perSubsection && section.back().size() == perSubsection))
            section.emplace_back();
        section.back().push_back(&record.bytes);
    }
    uint32_t sections = (uint32_t)types.size(), subsectionCount = 0;
    for (const auto &section : parts)
        subsectionCount += (uint32_t)section.size();
    uint32_t entries = 0x38 + 20 * sections, data = entries + 16 * subsectionCount;
    std::string header = Words({0x19920201, 0x38, 0, 0, 0x08051803, sections}) + std::string(32, '\0');
    std::string pointers, subsections, payload;
    for (uint32_t i = 0; i < sections; ++i) {
        uint32_t first = entries + (uint32_t)subsections.size(), count = (uint32_t)parts[i].size();
        pointers += Words({types[i], 1, count, first, 16 * count});
        for (const auto &subsection : parts[i]) {
            std::string bytes;
            for (const std::string *record : subsection)
                bytes += *record;
            subsections += Words({0, (uint32_t)subsection.size(), data + (uint32_t)payload.size(), (uint32_t)bytes.size()});
            payload += bytes;
        }
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
        {0x2D, Framed(0x0B, std::string(30, 'x'))}, // a section type not walked
    };
}

/* For the command-line table: seven waypoints round a southern and western centre and its
 * mirror images, written three to a subsection; an airport whose names hold the characters
 * XML escapes, with two COM; two records of an id no table knows; one section not walked. */
inline std::vector<FixtureRecord> CommandLineRecords()
{
    const Place south_west = {-33.5, -70.5, 500.0};
    std::vector<FixtureRecord> records;
    const struct { double lat, lon; const char *ident; } waypoints[] = {
        {-33.5, -70.5, "SW1"}, {-33.55, -70.45, "SW2"}, {-33.45, -70.55, "SW3"}, // within 5 nm of S33.50 W70.50
        {33.5, 70.5, "NE"}, {33.5, -70.5, "NW"}, {-33.5, 70.5, "SE"}, {0, 0, "ZERO"},
    };
    for (const auto &w : waypoints)
        records.push_back({0x22, WaypointRecord({w.lat, w.lon, 0}, 0, w.ident, "SC")});
    std::string coms = Framed(0x12, Le16(6) + Words({118100000}) + std::string("Tower & <Ground> \"1\"")) +
                       Framed(0x12, Le16(1) + Words({127250000}) + std::string("ATIS"));
    records.push_back({0x03, AirportRecord(0x0003, south_west, 2, "SCEL", "SC",
                                           Framed(0x19, std::string("A&B <C> \"D\"") + '\0') + coms +
                                               Framed(0xEE, "none") + Framed(0xEF, "none"))});
    records.push_back({0x2D, Framed(0x0B, std::string(10, 'x'))});
    return records;
}

#endif
