/*
 * morvane's decoding, as the program and the tests call it: a BGL file held whole in memory,
 * turned into XML in the scenery compiler's vocabulary. Pure C++ (no Windows headers), so it
 * builds natively for the unit tests, the fuzzer, the conformance run and the benchmark.
 */
#ifndef MORVANE_DECODER_H
#define MORVANE_DECODER_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct DecodeOptions {
    bool quiet;   /* no verbose lines */
    bool miles;   /* ranges and the radius in statute miles instead of metres and nautical miles */
    bool feet;    /* altitudes in feet instead of metres */
    bool dms;     /* latitude and longitude as degrees, minutes and seconds */
    bool partial; /* only top-level records within `radius` of the centre */
    double radius;
    double centerLatitude;  /* decimal degrees, north positive */
    double centerLongitude; /* decimal degrees, east positive */
};

/* Where the decode goes: the XML text in pieces, and the verbose lines (never called when
 * the options ask for quiet). */
struct DecodeOutput {
    void *context;
    void (*writeXml)(void *context, const char *bytes, size_t count);
    void (*note)(void *context, const char *line);
};

struct ElementCount {
    const char *element;
    unsigned long count;
};

struct DecodeResult {
    bool ok;
    size_t errorOffset; /* where the file is damaged, when !ok */
    std::string error;  /* what is wrong there, naming the offset */
    std::vector<ElementCount> written; /* elements written, per name, in the order first written */
    unsigned long outside;             /* top-level records left out by the radius */
    unsigned long skippedRecords;      /* records of ids this decoder does not read */
    unsigned long skippedSections;     /* sections of types this decoder does not walk */
};

/* Decodes `size` bytes; never reads outside them. False, with the offset and the reason in
 * `result`, for a file that is not a BGL file or is damaged. */
bool DecodeBgl(const unsigned char *bytes, size_t size, const DecodeOptions &options, const DecodeOutput &output,
               DecodeResult *result);

/* The last line of a run: what was written, per element, and what was skipped. */
std::string DecodeSummary(const DecodeResult &result);

/* How many `element`s a decode wrote. */
unsigned long WrittenCount(const DecodeResult &result, const char *element);

#endif
