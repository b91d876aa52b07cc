/*
 * The number and text encodings of the BGL format, and the text forms the XML uses.
 *
 * Coordinates (the published "new BGL file structure" write-ups and the wiki agree):
 *   longitude = raw * 360 / (3 * 0x10000000) - 180,  latitude = 90 - raw * 180 / (2 * 0x10000000).
 * One step is 4.5e-7 degrees of longitude and 3.4e-7 of latitude: seven decimals always give
 * back the stored integer, and a value compiled from a short decimal ("50.1") is written
 * as that decimal again.
 * Idents: each character a value 0..37 (blank 0, digits 2..11, letters 12..37), the first
 * character the most significant digit of a base-38 number. The descriptions leave the
 * value 1 unassigned; it is shown as '?'.
 */
#include "encodings.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

double BglLongitude(uint32_t raw)
{
    return raw * (360.0 / (3.0 * 0x10000000)) - 180.0;
}

double BglLatitude(uint32_t raw)
{
    return 90.0 - raw * (180.0 / (2.0 * 0x10000000));
}

uint32_t BglRawLongitude(double degrees)
{
    double raw = (degrees + 180.0) * (3.0 * 0x10000000) / 360.0;
    return raw <= 0 ? 0 : raw >= 4294967295.0 ? 0xFFFFFFFFu : (uint32_t)llround(raw);
}

uint32_t BglRawLatitude(double degrees)
{
    double raw = (90.0 - degrees) * (2.0 * 0x10000000) / 180.0;
    return raw <= 0 ? 0 : raw >= 4294967295.0 ? 0xFFFFFFFFu : (uint32_t)llround(raw);
}

/* The compiler turns a point's position into metres from its object's position so: north at
 * 111130.556 metres a degree of latitude, east at 111319.49 metres a degree of longitude at
 * the equator, times the cosine of the latitude half-way between the two points. Both
 * figures fitted to the 112 taxiway signs of LEAR/LEAR_ADEX_ARV187.bgl against their
 * positions in LEAR_ADEX_ARV187.xml (up to 2400 metres away, each within 1e-7 degrees); the
 * descriptions say nothing of it. */
void OffsetByMetres(double latitude, double longitude, double east, double north, double *toLatitude,
                    double *toLongitude)
{
    const double NORTH_METRES_PER_DEGREE = 111130.556, EAST_METRES_PER_DEGREE = 111319.49;
    *toLatitude = latitude + north / NORTH_METRES_PER_DEGREE;
    double middle = (latitude + *toLatitude) / 2 * (3.14159265358979323846 / 180.0);
    *toLongitude = longitude + east / (EAST_METRES_PER_DEGREE * cos(middle));
}

size_t FormatIdent(char *to, uint32_t value)
{
    char reversed[8];
    size_t count = 0;
    while (value && count < sizeof reversed) {
        unsigned digit = value % 38;
        value /= 38;
        reversed[count++] = digit == 0 ? ' ' : digit == 1 ? '?' : digit < 12 ? (char)('0' + digit - 2)
                                                                             : (char)('A' + digit - 12);
    }
    for (size_t i = 0; i < count; ++i)
        to[i] = reversed[count - 1 - i];
    return count;
}

std::string BglIdent(uint32_t value)
{
    char text[16];
    return std::string(text, FormatIdent(text, value));
}

static const uint64_t POWERS[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
static const double SCALES[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

/* Digits, zero-padded to `width`, written at `to`; returns their number. Values that fit 32
 * bits are divided as such: the 32-bit build would otherwise call the runtime's 64-bit
 * division for every digit. */
static size_t PutDigits(char *to, uint64_t value, int width)
{
    char digits[24];
    int count = 0;
    for (; value > 0xFFFFFFFFu; value /= 10)
        digits[sizeof digits - 1 - count++] = (char)('0' + value % 10);
    uint32_t small = (uint32_t)value;
    do {
        digits[sizeof digits - 1 - count++] = (char)('0' + small % 10);
        small /= 10;
    } while (small);
    while (count < width && count < (int)sizeof digits)
        digits[sizeof digits - 1 - count++] = '0';
    memcpy(to, digits + sizeof digits - count, (size_t)count);
    return (size_t)count;
}

static void AppendDigits(std::string &out, uint64_t value, int width)
{
    char digits[24];
    out.append(digits, PutDigits(digits, value, width));
}

/* `whole` and `fraction` (`decimals` digits) as number text, trailing zeros dropped. */
static size_t PutParts(char *to, bool negative, uint64_t whole, uint32_t fraction, int decimals)
{
    char *at = to;
    if (negative && (whole || fraction))
        *at++ = '-';
    at += PutDigits(at, whole, 1);
    if (!fraction)
        return (size_t)(at - to);
    while (fraction % 10 == 0) {
        fraction /= 10;
        --decimals;
    }
    *at++ = '.';
    at += PutDigits(at, fraction, decimals);
    return (size_t)(at - to);
}

/* Most numbers are worked in 32 bits: the whole part, then the fraction. The 32-bit build
 * would otherwise convert to and divide 64-bit integers through the runtime for each one. */
size_t FormatFixed(char *to, double value, int decimals)
{
    double magnitude = fabs(value);
    if (!(magnitude < 2147483647.0))
        return 0;
    int32_t whole = (int32_t)magnitude, scale = (int32_t)POWERS[decimals];
    int32_t fraction = (int32_t)((magnitude - whole) * SCALES[decimals] + 0.5);
    if (fraction >= scale) {
        fraction -= scale;
        ++whole;
    }
    return PutParts(to, value < 0, (uint32_t)whole, (uint32_t)fraction, decimals);
}

void AppendFixed(std::string &out, double value, int decimals)
{
    char text[FORMATTED_BYTES];
    if (size_t length = FormatFixed(text, value, decimals)) {
        out.append(text, length);
        return;
    }
    double magnitude = fabs(value);
    double scaled = magnitude * (double)POWERS[decimals];
    /* Floats read from a file may be anything; integer work only where it is exact. */
    if (!(scaled < 9.0e15)) {
        char text[64];
        snprintf(text, sizeof text, "%g", value);
        out += text;
        return;
    }
    uint64_t units = (uint64_t)(scaled + 0.5);
    out.append(text, PutParts(text, value < 0, units / POWERS[decimals], (uint32_t)(units % POWERS[decimals]), decimals));
}

static uint32_t EncodeCoordinate(double degrees, bool latitude)
{
    double raw = latitude ? (90.0 - degrees) * (2.0 * 0x10000000) / 180.0 : (degrees + 180.0) * (3.0 * 0x10000000) / 360.0;
    return raw < 0 || raw > 4294967295.0 ? 0 : (uint32_t)(raw + 0.5);
}

/* Whether `degrees` encodes to `stored`, by the rounding EncodeCoordinate does, in doubles. */
static bool EncodesTo(double degrees, double stored, bool latitude)
{
    double value = latitude ? (90.0 - degrees) * (2.0 * 0x10000000) / 180.0 : (degrees + 180.0) * (3.0 * 0x10000000) / 360.0;
    return value >= stored - 0.5 && value < stored + 0.5;
}

size_t FormatCoordinate(char *to, uint32_t raw, bool latitude)
{
    /* Signed 32-bit integers and doubles only: the 32-bit build converts an unsigned one to a
     * double the long way. */
    double degrees = latitude ? BglLatitude(raw) : BglLongitude(raw), magnitude = fabs(degrees);
    double stored = (double)raw, sign = degrees < 0 ? -1.0 : 1.0;
    int32_t whole = (int32_t)magnitude;
    double rest = magnitude - whole; /* exact */
    /* The fewest decimals that encode back; eight always do, a step being over 3e-7 degrees. */
    for (int decimals = 0;; ++decimals) {
        int32_t scale = (int32_t)POWERS[decimals], shownWhole = whole;
        int32_t fraction = (int32_t)(rest * SCALES[decimals] + 0.5);
        if (fraction >= scale) {
            fraction -= scale;
            ++shownWhole;
        }
        double shown = (shownWhole + fraction / SCALES[decimals]) * sign;
        if (decimals == 8 || EncodesTo(shown, stored, latitude))
            return PutParts(to, degrees < 0, (uint32_t)shownWhole, (uint32_t)fraction, decimals);
    }
}

void AppendCoordinate(std::string &out, uint32_t raw, bool latitude)
{
    char text[FORMATTED_BYTES];
    out.append(text, FormatCoordinate(text, raw, latitude));
}

void AppendDms(std::string &out, uint32_t raw, bool latitude)
{
    /* In ten-thousandths of a second, finer than one step of the stored coordinate; then as
     * few decimals of the second as still encode back to `raw`. */
    double degrees = latitude ? BglLatitude(raw) : BglLongitude(raw), magnitude = fabs(degrees);
    uint64_t units = (uint64_t)(magnitude * 36000000.0 + 0.5), shown = units;
    int decimals = 0;
    for (; decimals < 4; ++decimals) {
        uint64_t step = POWERS[4 - decimals];
        shown = (units + step / 2) / step * step;
        if (EncodeCoordinate((degrees < 0 ? -1.0 : 1.0) * (double)shown / 36000000.0, latitude) == raw)
            break;
    }
    if (decimals == 4)
        shown = units;
    out += latitude ? (degrees < 0 ? 'S' : 'N') : (degrees < 0 ? 'W' : 'E');
    AppendDigits(out, shown / 36000000, latitude ? 2 : 3);
    out += "\xB0 ";
    AppendDigits(out, shown / 600000 % 60, 2);
    out += "' ";
    AppendDigits(out, shown / 10000 % 60, 2);
    if (decimals) {
        out += '.';
        AppendDigits(out, shown % 10000 / POWERS[4 - decimals], decimals);
    }
    out += '"';
}

double GreatCircleDistance(double latitude1, double longitude1, double latitude2, double longitude2,
                           bool statuteMiles)
{
    /* The mean earth radius, 6371.0 km, in nautical miles (1852 m) or statute miles (1609.344 m). */
    const double radius = statuteMiles ? 6371000.0 / 1609.344 : 6371000.0 / 1852.0;
    const double toRadians = 3.14159265358979323846 / 180.0;
    double dLatitude = (latitude2 - latitude1) * toRadians, dLongitude = (longitude2 - longitude1) * toRadians;
    double a = sin(dLatitude / 2) * sin(dLatitude / 2) +
               cos(latitude1 * toRadians) * cos(latitude2 * toRadians) * sin(dLongitude / 2) * sin(dLongitude / 2);
    if (a > 1.0)
        a = 1.0;
    return 2.0 * radius * asin(sqrt(a));
}
