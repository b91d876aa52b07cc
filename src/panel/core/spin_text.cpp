/*
 * The text side of the numeric fields.
 */
#include "panel/core/spin_text.h"

#include "panel/core/panel_codec.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

double SpinClampValue(const SpinLimits *limits, double value)
{
    if (limits->maxValue == limits->minValue)
        return value;
    if (value < limits->minValue)
        return limits->minValue;
    if (value <= limits->maxValue)
        return value;
    return limits->maxValue;
}

static bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

static int HexDigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/* Skips leading blanks and an optional sign; tells whether the sign was a minus. */
static const char *SkipBlanksAndSign(const char *text, bool *negative)
{
    while (IsBlank(*text))
        text++;
    *negative = *text == '-';
    if (*text == '+' || *text == '-')
        text++;
    return text;
}

/* Leading whole decimal number, as "%d" reads it. A number beyond the 32-bit range reads as
 * the end of the range it passed, where scanning it with "%d" would be undefined. */
static double ParseInteger(const char *text)
{
    bool negative;
    text = SkipBlanksAndSign(text, &negative);
    long long magnitude = 0;
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    for (; IsDigit(*text); text++) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return (double)(negative ? -magnitude : magnitude);
}

/* Leading hexadecimal number, with an optional 0x, as "%X" reads it, then taken as signed. A
 * number of more than eight digits keeps its low 32 bits, where "%X" would be undefined. */
static double ParseHex(const char *text)
{
    bool negative;
    text = SkipBlanksAndSign(text, &negative);
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigitValue(text[2]) >= 0)
        text += 2;
    uint32_t bits = 0;
    for (int digit; (digit = HexDigitValue(*text)) >= 0; text++)
        bits = (bits << 4) | (uint32_t)digit;
    if (negative)
        bits = 0u - bits;
    return (double)(int32_t)bits;
}

/* Length of the leading decimal number: blanks, sign, digits, point, digits, exponent. Words
 * such as "inf" or "nan" and hexadecimal floats are not numbers here. */
static size_t DecimalNumberLength(const char *text)
{
    size_t i = 0;
    while (IsBlank(text[i]))
        i++;
    if (text[i] == '+' || text[i] == '-')
        i++;
    size_t digits = 0;
    for (; IsDigit(text[i]); i++)
        digits++;
    if (text[i] == '.')
        for (i++; IsDigit(text[i]); i++)
            digits++;
    if (digits == 0)
        return 0;
    if (text[i] == 'e' || text[i] == 'E') {
        size_t j = i + 1;
        if (text[j] == '+' || text[j] == '-')
            j++;
        if (IsDigit(text[j])) {
            while (IsDigit(text[j]))
                j++;
            i = j;
        }
    }
    return i;
}

static double ParseDecimal(const char *text)
{
    size_t length = DecimalNumberLength(text);
    if (length == 0)
        return 0.0;
    char *end = nullptr;
    double value = strtod(text, &end);
    /* strtod read further than a decimal number ("0x1p3"): the number is the zero before the x. */
    if (end != text + length)
        return 0.0;
    return value;
}

double SpinParseText(unsigned char kind, const char *text)
{
    switch (kind) {
    case SPIN_INTEGER: return ParseInteger(text);
    case SPIN_DECIMAL: return ParseDecimal(text);
    case SPIN_HEX: return ParseHex(text);
    }
    return 0.0;
}

/* Integers are written within the 32-bit range they are read back in. */
static double LimitToInt32Range(double value)
{
    if (std::isnan(value))
        return 0.0;
    if (value < -2147483648.0)
        return -2147483648.0;
    if (value > 2147483647.0)
        return 2147483647.0;
    return value;
}

void SpinFormatValue(unsigned char kind, unsigned char decimals, double value, char *out, size_t outSize)
{
    if (outSize == 0)
        return;
    int written = 0;
    switch (kind) {
    case SPIN_INTEGER: written = snprintf(out, outSize, "%0.0f", LimitToInt32Range(value)); break;
    case SPIN_DECIMAL:
        written = snprintf(out, outSize, "%0.*f", (int)decimals, value);
        /* Too long for fixed notation (a huge value or many decimals): the shortest exact form. */
        if (written < 0 || (size_t)written >= outSize)
            written = snprintf(out, outSize, "%.17g", value);
        break;
    case SPIN_HEX: written = snprintf(out, outSize, "%X", (unsigned)TruncateToInt32(value)); break;
    default: out[0] = '\0'; break;
    }
    if (written < 0)
        out[0] = '\0';
}

double SpinStepValue(const SpinLimits *limits, SpinStepKind step, double current)
{
    switch (step) {
    case SPIN_STEP_UP: return SpinClampValue(limits, current) + limits->smallStep;
    case SPIN_STEP_DOWN: return SpinClampValue(limits, current) - limits->smallStep;
    case SPIN_STEP_DOWN_LARGE: return SpinClampValue(limits, current) - limits->largeStep;
    case SPIN_STEP_UP_LARGE: return SpinClampValue(limits, current + limits->largeStep); /* adds first */
    }
    return current;
}

static bool IsKindCharacter(unsigned char kind, unsigned long long c)
{
    if (c == '+' || c == '-' || (c >= '0' && c <= '9'))
        return true;
    switch (kind) {
    case SPIN_DECIMAL: return c == '.' || c == 'E' || c == 'e';
    case SPIN_HEX: return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    }
    return false;
}

bool SpinAcceptsChar(unsigned char kind, bool editable, unsigned long long character)
{
    const unsigned long long BACKSPACE = 0x08;
    bool control = character < 0x20;
    if (!control && !IsKindCharacter(kind, character))
        return false;
    if (!editable)
        return control && character != BACKSPACE;
    return true;
}
