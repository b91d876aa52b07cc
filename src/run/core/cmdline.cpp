/*
 * The decoder's command line: "morvane.exe", the options in the order -t -m -f -d, the
 * partial-decode options, then the input and output paths, each in double quotes.
 */
#include "run/core/cmdline.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

void StripChars(char *text, const char *set)
{
    char *to = text;
    for (const char *from = text; *from; ++from) {
        if (!strchr(set, *from))
            *to++ = *from;
    }
    *to = '\0';
}

/* A non-negative integer in base 10^9 limbs, least significant first: big enough for
 * 100 times the largest double. */
enum { BIG_LIMBS = 40 };
struct BigDecimal {
    uint32_t limb[BIG_LIMBS];
    int used;
};

static void BigFromInteger(BigDecimal *big, uint64_t value)
{
    big->used = 0;
    do {
        big->limb[big->used++] = (uint32_t)(value % 1000000000u);
        value /= 1000000000u;
    } while (value);
}

/* Multiplies `big` by 2^bits, bits at most 32: a limb shifted that far still fits 64 bits.
 * Shifting many bits per pass keeps the largest doubles (2^1023) to some 32 passes. */
static void BigShiftLeft(BigDecimal *big, int bits)
{
    uint64_t carry = 0;
    for (int i = 0; i < big->used; ++i) {
        uint64_t shifted = ((uint64_t)big->limb[i] << bits) + carry;
        big->limb[i] = (uint32_t)(shifted % 1000000000u);
        carry = shifted / 1000000000u;
    }
    for (; carry && big->used < BIG_LIMBS; carry /= 1000000000u)
        big->limb[big->used++] = (uint32_t)(carry % 1000000000u);
}

/* The decimal digits of `big`, most significant first, NUL-terminated; returns their count. */
static size_t BigDigits(const BigDecimal *big, char *digits)
{
    size_t length = 0;
    for (int i = big->used - 1; i >= 0; --i) {
        uint32_t limb = big->limb[i];
        char group[9];
        for (int d = 8; d >= 0; --d) {
            group[d] = (char)('0' + limb % 10);
            limb /= 10;
        }
        int first = 0;
        if (i == big->used - 1) {
            while (first < 8 && group[first] == '0')
                ++first;
        }
        for (int d = first; d < 9; ++d)
            digits[length++] = group[d];
    }
    digits[length] = '\0';
    return length;
}

/* Hundredths of `magnitude`, rounded half away from zero, computed exactly. */
static void HundredthsOf(double magnitude, BigDecimal *big)
{
    int exponent = 0;
    double fraction = frexp(magnitude, &exponent);
    /* magnitude == mantissa * 2^shift exactly, with mantissa an integer below 2^53. */
    uint64_t mantissa = (uint64_t)ldexp(fraction, 53);
    int shift = exponent - 53;
    uint64_t scaled = mantissa * 100; /* below 2^60 */
    if (shift >= 0) {
        BigFromInteger(big, scaled);
        for (; shift > 0; shift -= 32)
            BigShiftLeft(big, shift < 32 ? shift : 32);
        return;
    }
    int k = -shift;
    uint64_t whole = 0;
    if (k < 64) {
        uint64_t rest = scaled & ((UINT64_C(1) << k) - 1);
        whole = scaled >> k;
        if (rest >= (UINT64_C(1) << (k - 1)))
            ++whole;
    }
    BigFromInteger(big, whole);
}

static size_t CopyText(char *out, size_t size, const char *text)
{
    size_t length = strlen(text);
    if (size == 0)
        return length;
    size_t copied = length < size - 1 ? length : size - 1;
    memcpy(out, text, copied);
    out[copied] = '\0';
    return length;
}

size_t FormatTwoDecimals(double magnitude, char *out, size_t size)
{
    if (isnan(magnitude))
        return CopyText(out, size, "nan");
    if (isinf(magnitude))
        return CopyText(out, size, "inf");
    if (magnitude < 0)
        magnitude = -magnitude;

    BigDecimal big;
    HundredthsOf(magnitude, &big);
    char digits[DECIMAL_TEXT_SIZE];
    size_t count = BigDigits(&big, digits);

    /* At least one integer digit: pad the hundredths to three digits, then put the period
     * before the last two. */
    char text[DECIMAL_TEXT_SIZE];
    size_t length = 0;
    for (size_t i = count; i < 3; ++i)
        text[length++] = '0';
    memcpy(text + length, digits, count);
    length += count;
    text[length + 1] = '\0';
    text[length] = text[length - 1];
    text[length - 1] = text[length - 2];
    text[length - 2] = '.';
    return CopyText(out, size, text);
}

void FormatCoordinateOption(char *out, size_t size, const char *plain, const char *negative, double value)
{
    /* The test is on the value, not its rounded text: -0.001 gives "S0.00". A negative zero
     * is not below 0 and is written "0.00": no minus sign ever reaches the decoder. */
    const char *prefix = value < 0.0 ? negative : plain;
    char number[DECIMAL_TEXT_SIZE];
    FormatTwoDecimals(value < 0.0 ? -value : value, number, sizeof number);
    size_t length = CopyText(out, size, prefix);
    if (length < size)
        length += CopyText(out + length, size - length, number);
    if (length < size)
        CopyText(out + length, size - length, " ");
}

static void FormatRadiusOption(char *out, int radius)
{
    /* "-r%d " without printf: every int fits in 16 bytes. */
    char digits[12];
    int count = 0;
    unsigned magnitude = radius < 0 ? 0u - (unsigned)radius : (unsigned)radius;
    do {
        digits[count++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    size_t length = 0;
    out[length++] = '-';
    out[length++] = 'r';
    if (radius < 0)
        out[length++] = '-';
    while (count)
        out[length++] = digits[--count];
    out[length++] = ' ';
    out[length] = '\0';
}

/* Trailing backslashes before the closing quote are doubled: the Windows rules that split a
 * command line turn two backslashes and a quote into one backslash and the end of the
 * argument, while one backslash and a quote would become a literal quote and run the two
 * paths together. */
static size_t TrailingBackslashes(const char *text, size_t length)
{
    size_t count = 0;
    while (count < length && text[length - 1 - count] == '\\')
        ++count;
    return count;
}

/* Appends `path` without its double quotes, between two double quotes, at `out`; returns
 * the bytes written. With out NULL it only counts them. */
static size_t AppendQuotedPath(char *out, const char *path)
{
    size_t length = 0;
    size_t kept = 0;
    for (const char *p = path; *p; ++p) {
        if (*p == '"')
            continue;
        if (out)
            out[1 + kept] = *p;
        ++kept;
    }
    if (out) {
        out[0] = '"';
        size_t doubled = TrailingBackslashes(out + 1, kept);
        memset(out + 1 + kept, '\\', doubled);
        out[1 + kept + doubled] = '"';
        length = kept + doubled + 2;
    } else {
        /* Counting pass: assume every kept byte might be a trailing backslash. */
        length = 2 * kept + 2;
    }
    return length;
}

char *BuildDecoderCommandLine(const DecodeRequest *request)
{
    const char *input = request->inputPath ? request->inputPath : "";
    const char *output = request->outputPath ? request->outputPath : "";

    char radius[16] = "";
    char latitude[DECIMAL_TEXT_SIZE + 8] = "";
    char longitude[DECIMAL_TEXT_SIZE + 8] = "";
    if (request->flags & DF_PARTIAL) {
        FormatRadiusOption(radius, request->radius);
        FormatCoordinateOption(latitude, sizeof latitude, "-n", "-nS", request->centerLatitude);
        FormatCoordinateOption(longitude, sizeof longitude, "-e", "-eW", request->centerLongitude);
    }

    size_t size = strlen(input) + strlen(output) + 128;
    size_t needed = strlen("morvane.exe -t -m -f -d ") + strlen(radius) + strlen(latitude) + strlen(longitude) +
                    AppendQuotedPath(NULL, input) + 1 + AppendQuotedPath(NULL, output) + 1;
    if (needed > size)
        size = needed;
    char *line = (char *)calloc(size, 1);
    if (!line)
        return NULL;

    strcpy(line, "morvane.exe ");
    if (request->flags & DF_QUIET)
        strcat(line, "-t ");
    if (request->flags & DF_MILES)
        strcat(line, "-m ");
    if (request->flags & DF_FEET)
        strcat(line, "-f ");
    if (request->flags & DF_DMS)
        strcat(line, "-d ");
    strcat(line, radius);
    strcat(line, latitude);
    strcat(line, longitude);

    size_t length = strlen(line);
    length += AppendQuotedPath(line + length, input);
    line[length++] = ' ';
    AppendQuotedPath(line + length, output);
    return line;
}
