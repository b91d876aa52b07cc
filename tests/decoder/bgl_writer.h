/*
 * A small BGL writer for fixtures: records framed from strings of little-endian fields, laid
 * out in a file with a header, one section per section type and one subsection per section.
 */
#ifndef BGL_WRITER_H
#define BGL_WRITER_H

#include <stdint.h>

#include <initializer_list>
#include <string>
#include <vector>

struct FixtureRecord { uint32_t section; std::string bytes; }; /* section type, the framed record */
struct Place { double lat, lon, altMetres; };

std::string Le16(uint16_t value);
std::string Words(std::initializer_list<uint32_t> values); /* 32 bits each */
std::string Floats(std::initializer_list<float> values);
uint32_t RawCoordinate(double degrees, bool latitude);
uint32_t PackIdent(const char *text); /* base 38, not shifted */
std::string At(Place at);             /* longitude, latitude, altitude in millimetres */
std::string Names(const char *ident, const char *region);
std::string Framed(uint16_t id, const std::string &body); /* id, size (6 + body) and body */

std::string WaypointRecord(Place at, float magvar, const char *ident, const char *region);
/* An airport of layout `id` (0x0003, 0x0056, 0x0113): its fixed part, then `children`. */
std::string AirportRecord(uint16_t id, Place at, float magvar, const char *ident, const char *region,
                          const std::string &children);

/* A whole file; sections in the order their types first appear. */
std::string WriteBgl(const std::vector<FixtureRecord> &records);

/* One record of each kind the decoder reads, and one it skips. */
std::vector<FixtureRecord> SampleRecords();

#endif
