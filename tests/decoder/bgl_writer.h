/*
 * A small BGL writer for fixtures: records as byte strings, laid out in a file with a header,
 * one section per section type and one subsection per section.
 */
#ifndef BGL_WRITER_H
#define BGL_WRITER_H

#include <stdint.h>

#include <string>
#include <vector>

struct FixtureRecord {
    uint32_t section; /* section type */
    std::string bytes; /* the framed record */
};

std::string Le16(uint16_t value);
std::string Le32(uint32_t value);
std::string Float32(float value);
uint32_t RawLatitude(double degrees);
uint32_t RawLongitude(double degrees);
uint32_t PackIdent(const char *text); /* base 38, not shifted */

/* id, size (6 + body) and body. */
std::string Framed(uint16_t id, const std::string &body);

struct Place {
    double lat, lon, altMetres;
};
std::string WaypointRecord(uint8_t type, Place at, float magvar, const char *ident, const char *region);
std::string AirportRecord(uint16_t id, Place at, float magvar, const char *ident, const char *region,
                          const std::string &children);
std::string NameChild(const char *name);
std::string RunwayChild(uint16_t surface, uint8_t number, uint8_t designator, Place at, float length, float width,
                        float heading, float patternAltitude);
std::string StartChild(uint8_t number, uint8_t designatorAndType, Place at, float heading);
std::string ComChild(uint16_t type, uint32_t hertz, const char *name);
std::string HelipadChild(uint8_t surface, uint8_t typeAndFlags, Place at, float length, float width, float heading);
std::string NavRecord(uint16_t id, uint8_t type, uint8_t flags, uint32_t frequency, Place at, float range,
                      float magvar, const char *ident, const char *region, const std::string &children);
std::string DmeChild(Place at, float range);

/* A whole file; sections in the order their types first appear. */
std::string WriteBgl(const std::vector<FixtureRecord> &records);

/* One record of each kind the decoder reads, and one it skips. */
std::vector<FixtureRecord> SampleRecords();

#endif
