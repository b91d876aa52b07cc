/*
 * The fixture writer: the record layouts the decoder reads, written from the same published
 * descriptions, and a file layout of header, section pointers, subsection entries (16 bytes)
 * and record data.
 */
#include "bgl_writer.h"

#include <math.h>
#include <string.h>

#include <algorithm>

std::string Le16(uint16_t value)
{
    return std::string{(char)(value & 0xFF), (char)(value >> 8)};
}

std::string Le32(uint32_t value)
{
    return Le16((uint16_t)(value & 0xFFFF)) + Le16((uint16_t)(value >> 16));
}

std::string Float32(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return Le32(bits);
}

uint32_t RawLatitude(double degrees)
{
    return (uint32_t)llround((90.0 - degrees) * (2.0 * 0x10000000) / 180.0);
}

uint32_t RawLongitude(double degrees)
{
    return (uint32_t)llround((degrees + 180.0) * (3.0 * 0x10000000) / 360.0);
}

uint32_t PackIdent(const char *text)
{
    uint32_t value = 0;
    for (; *text; ++text) {
        char c = *text;
        value = value * 38 + (c == ' ' ? 0 : c <= '9' ? (uint32_t)(c - '0' + 2) : (uint32_t)(c - 'A' + 12));
    }
    return value;
}

std::string Framed(uint16_t id, const std::string &body)
{
    return Le16(id) + Le32((uint32_t)(6 + body.size())) + body;
}

static std::string LonLatAlt(Place at)
{
    return Le32(RawLongitude(at.lon)) + Le32(RawLatitude(at.lat)) + Le32((uint32_t)(int32_t)lround(at.altMetres * 1000));
}

std::string WaypointRecord(uint8_t type, Place at, float magvar, const char *ident, const char *region)
{
    return Framed(0x22, std::string{(char)type, 0} + LonLatAlt(at).substr(0, 8) + Float32(magvar) +
                            Le32(PackIdent(ident) << 5) + Le32(PackIdent(region)));
}

std::string AirportRecord(uint16_t id, Place at, float magvar, const char *ident, const char *region,
                          const std::string &children)
{
    std::string fixed = std::string(6, '\0') + LonLatAlt(at) + LonLatAlt(at) + Float32(magvar) +
                        Le32(PackIdent(ident) << 5) + Le32(PackIdent(region)) + std::string(4, '\0');
    fixed.resize(id == 0x0003 ? 0x38 - 6 : id == 0x0056 ? 0x44 - 6 : 0x30 - 6, '\0');
    return Framed(id, fixed + children);
}

std::string NameChild(const char *name)
{
    return Framed(0x19, std::string(name) + '\0');
}

std::string RunwayChild(uint16_t surface, uint8_t number, uint8_t designator, Place at, float length, float width,
                        float heading, float patternAltitude)
{
    return Framed(0x04, Le16(surface) + std::string{(char)number, (char)designator, 0, 0} + std::string(8, '\0') +
                            LonLatAlt(at) + Float32(length) + Float32(width) + Float32(heading) +
                            Float32(patternAltitude));
}

std::string StartChild(uint8_t number, uint8_t designatorAndType, Place at, float heading)
{
    return Framed(0x11, std::string{(char)number, (char)designatorAndType} + LonLatAlt(at) + Float32(heading));
}

std::string ComChild(uint16_t type, uint32_t hertz, const char *name)
{
    return Framed(0x12, Le16(type) + Le32(hertz) + name);
}

std::string HelipadChild(uint8_t surface, uint8_t typeAndFlags, Place at, float length, float width, float heading)
{
    return Framed(0x26, std::string{(char)surface, (char)typeAndFlags} + Le32(0) + LonLatAlt(at) + Float32(length) +
                            Float32(width) + Float32(heading));
}

std::string NavRecord(uint16_t id, uint8_t type, uint8_t flags, uint32_t frequency, Place at, float range,
                      float magvar, const char *ident, const char *region, const std::string &children)
{
    std::string head = id == 0x13 ? std::string{(char)type, (char)flags} + LonLatAlt(at) + Le32(frequency)
                                  : Le16(type) + Le32(frequency) + LonLatAlt(at);
    return Framed(id, head + Float32(range) + Float32(magvar) + Le32(PackIdent(ident) << 5) + Le32(PackIdent(region)) +
                          children);
}

std::string DmeChild(Place at, float range)
{
    return Framed(0x16, Le16(0) + LonLatAlt(at) + Float32(range));
}

std::string WriteBgl(const std::vector<FixtureRecord> &records)
{
    std::vector<uint32_t> types;
    for (const FixtureRecord &record : records)
        if (std::find(types.begin(), types.end(), record.section) == types.end())
            types.push_back(record.section);
    size_t entries = 0x38 + 20 * types.size(), data = entries + 16 * types.size();
    std::string header = Le32(0x19920201) + Le32(0x38) + Le32(0) + Le32(0) + Le32(0x08051803) +
                         Le32((uint32_t)types.size()) + std::string(32, '\0');
    std::string pointers, subsections, payload;
    for (size_t i = 0; i < types.size(); ++i) {
        std::string bytes;
        uint32_t count = 0;
        for (const FixtureRecord &record : records)
            if (record.section == types[i]) {
                bytes += record.bytes;
                ++count;
            }
        pointers += Le32(types[i]) + Le32(1) + Le32(1) + Le32((uint32_t)(entries + 16 * i)) + Le32(16);
        subsections += Le32(0) + Le32(count) + Le32((uint32_t)(data + payload.size())) + Le32((uint32_t)bytes.size());
        payload += bytes;
    }
    return header + pointers + subsections + payload;
}

std::vector<FixtureRecord> SampleRecords()
{
    const Place field = {50.1, 14.2, 380.0};
    std::string children = NameChild("Sample Field") +
                           RunwayChild(4, 6, 0, field, 3715.0f, 45.0f, 62.5f, 300.0f) +
                           StartChild(6, 0x10, {50.09, 14.18, 380.0}, 62.5f) + ComChild(6, 118100000, "Sample Tower") +
                           HelipadChild(0, 0x01, {50.11, 14.21, 381.0}, 20.0f, 20.0f, 0.0f) + Framed(0x1A, "taxi");
    return {
        {0x22, WaypointRecord(1, {50.1, 14.2, 0}, 0.0f, "ABCD", "LK")},
        {0x03, AirportRecord(0x0056, field, -4.0f, "LKSF", "LK", children)},
        {0x13, NavRecord(0x13, 3, 0x30, 113900000, {50.2, 14.3, 300.0}, 240760.0f, -4.0f, "SFV", "LK",
                         NameChild("Sample VOR") + DmeChild({50.2, 14.3, 300.0}, 240760.0f))},
        {0x17, NavRecord(0x17, 2, 0, 344000, {50.0, 14.0, 250.0}, 46300.0f, -4.0f, "SF", "LK", NameChild("Sample NDB"))},
        {0x25, Framed(0x0B, std::string(30, 'x'))},
    };
}
