/*
 * The BGL decoder proper: a BGL file of the second generation (header magic 0x19920201,
 * section pointers) held whole in memory, turned into XML in the scenery compiler's
 * vocabulary. Pure C++: no Windows headers, so it also builds natively for the tests and
 * the fuzzer. Every offset and count read from the file is checked against its size
 * before use.
 */
#ifndef MORVANE_BGL_DECODE_H
#define MORVANE_BGL_DECODE_H

#include <stddef.h>
#include <stdint.h>

#include <string>

struct DecodeOptions {
    bool quiet;   /* no verbose lines */
    bool miles;   /* ranges and the radius in statute miles instead of metres and nautical miles */
    bool feet;    /* altitudes in feet instead of metres */
    bool dms;     /* latitude and longitude as degrees, minutes and seconds */
    bool partial; /* only records within `radius` of the centre */
    double radius;
    double centerLatitude;  /* decimal degrees, north positive */
    double centerLongitude; /* decimal degrees, east positive */
};

enum DecodedKind {
    KIND_AIRPORT,
    KIND_RUNWAY,
    KIND_START,
    KIND_COM,
    KIND_HELIPAD,
    KIND_WAYPOINT,
    KIND_VOR,
    KIND_ILS,
    KIND_NDB,
    KIND_COUNT
};

/* Where the decode goes: the XML text in pieces, and the verbose lines (never called when
 * the options ask for quiet). */
struct DecodeOutput {
    void *context;
    void (*writeXml)(void *context, const char *bytes, size_t count);
    void (*note)(void *context, const char *line);
};

struct DecodeResult {
    bool ok;
    size_t errorOffset; /* where the file is damaged, when !ok */
    std::string error;  /* what is wrong there, naming the offset */
    unsigned long written[KIND_COUNT];
    unsigned long outside;         /* records left out by the radius */
    unsigned long skippedRecords;  /* records of ids this decoder does not read */
    unsigned long skippedSections; /* sections of types this decoder does not read */
};

/* Decodes `size` bytes; never reads outside them. False, with the offset and the reason in
 * `result`, for a file that is not a BGL file of this generation or is damaged. */
bool DecodeBgl(const unsigned char *bytes, size_t size, const DecodeOptions &options, const DecodeOutput &output,
               DecodeResult *result);

/* The last line of a run: what was written, per kind, and what was skipped. */
std::string DecodeSummary(const DecodeResult &result);

/* The encodings of the format. */
double BglLongitude(uint32_t raw);
double BglLatitude(uint32_t raw);
std::string BglIdent(uint32_t value); /* base 38, most significant character first */

/* The shortest decimal text (at most eight decimals) that encodes back to `raw`: "50.1". */
void AppendCoordinate(std::string &out, uint32_t raw, bool latitude);
/* Number text: `decimals` digits after the point, trailing zeros dropped ("50.1", "-3"). */
void AppendFixed(std::string &out, double value, int decimals);
/* "N50° 06' 00\"" for a latitude, "E014° 12' 00.5\"" for a longitude (° in ISO-8859-1), with as
 * few decimals of the second as encode back to `raw`. */
void AppendDms(std::string &out, uint32_t raw, bool latitude);
/* Great-circle distance in nautical miles, or statute miles. */
double GreatCircleDistance(double latitude1, double longitude1, double latitude2, double longitude2,
                           bool statuteMiles);

#endif
