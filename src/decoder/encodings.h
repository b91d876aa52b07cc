/*
 * The number and text encodings of the BGL format, and the text forms the XML gives them.
 */
#ifndef MORVANE_ENCODINGS_H
#define MORVANE_ENCODINGS_H

#include <stddef.h>
#include <stdint.h>

#include <string>

double BglLongitude(uint32_t raw);
double BglLatitude(uint32_t raw);
uint32_t BglRawLongitude(double degrees); /* the nearest stored value */
uint32_t BglRawLatitude(double degrees);
/* The point `east` and `north` metres from `latitude`, `longitude`, as the compiler reckons it. */
void OffsetByMetres(double latitude, double longitude, double east, double north, double *toLatitude,
                    double *toLongitude);
std::string BglIdent(uint32_t value); /* base 38, most significant character first */
size_t FormatIdent(char *to, uint32_t value); /* the same at `to` (7 characters at most); its length */

/* The text forms below written at a buffer of FORMATTED_BYTES, returning their length;
 * FormatFixed writes nothing and returns 0 for a magnitude of 2^31 or more. */
const size_t FORMATTED_BYTES = 32;
size_t FormatCoordinate(char *to, uint32_t raw, bool latitude);
size_t FormatFixed(char *to, double value, int decimals);

/* The shortest decimal text (at most eight decimals) that encodes back to `raw`: "50.1". */
void AppendCoordinate(std::string &out, uint32_t raw, bool latitude);
/* Number text: `decimals` digits after the point, trailing zeros dropped ("50.1", "-3"). */
void AppendFixed(std::string &out, double value, int decimals);
/* "N50° 06' 00\"" for a latitude, "E014° 12' 00.5\"" for a longitude (° as the byte 0xB0, ISO-8859-1), with as
 * few decimals of the second as encode back to `raw`. */
void AppendDms(std::string &out, uint32_t raw, bool latitude);
/* Great-circle distance in nautical miles, or statute miles. */
double GreatCircleDistance(double latitude1, double longitude1, double latitude2, double longitude2,
                           bool statuteMiles);

#endif
