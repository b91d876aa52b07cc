/*
 * The decoder's command line, built from a decode request. Pure text work: no windows.h.
 */
#ifndef VANTREL_CMDLINE_H
#define VANTREL_CMDLINE_H

#include <stddef.h>

#include "run/core/decode_request.h"

/* Largest text FormatTwoDecimals writes: the 309 integer digits of the largest double, the
 * period, two decimals and the NUL, with room to spare. */
enum { DECIMAL_TEXT_SIZE = 328 };

/* Removes from `text`, in place, every character that occurs in `set`. */
void StripChars(char *text, const char *set);

/* Writes `magnitude` (not negative) in fixed point with exactly two decimals and a period.
 * Rounding is done here, on the exact binary value, half away from zero: 45.125 (exact in
 * binary) gives 45.13, while 2.675 (really 2.67499999...) gives 2.67. The C runtimes differ
 * on ties (glibc rounds them to even, msvcrt away from zero), so no printf is involved and
 * every build writes the same digits. Infinity and NaN are written "inf" and "nan". Returns
 * the length; `size` must be at least DECIMAL_TEXT_SIZE for the text to be whole. */
size_t FormatTwoDecimals(double magnitude, char *out, size_t size);

/* The option for one center coordinate: `plain` ("-n") with the value, or `negative`
 * ("-nS") with its magnitude when the value is below 0. The blank after it is included. */
void FormatCoordinateOption(char *out, size_t size, const char *plain, const char *negative, double value);

/* The whole command line: "morvane.exe ", the options, and the two paths in double quotes.
 * Newly allocated with calloc, writable, NUL-terminated, at least strlen(inputPath) +
 * strlen(outputPath) + 128 bytes and always large enough for everything it holds (paths of
 * any length, options of any length). NULL if it cannot be allocated. Release with free. */
char *BuildDecoderCommandLine(const DecodeRequest *request);

#endif
