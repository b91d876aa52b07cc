/*
 * The text side of the numeric fields: reading a field's text as a number of its kind,
 * writing a number as text in a bounded buffer, clamping, stepping and the typed-character
 * filter. No window is involved here.
 */
#ifndef VANTREL_SPIN_TEXT_H
#define VANTREL_SPIN_TEXT_H

#include <cstddef>

/* The kinds of number a field holds. */
enum { SPIN_INTEGER = 0, SPIN_DECIMAL = 1, SPIN_HEX = 2 };

enum SpinStepKind { SPIN_STEP_UP, SPIN_STEP_DOWN, SPIN_STEP_UP_LARGE, SPIN_STEP_DOWN_LARGE };

/* A field's range and steps. minValue equal to maxValue: no bounds. */
struct SpinLimits {
    double maxValue;
    double minValue;
    double smallStep;
    double largeStep;
};

/* Longest text that the formatter writes is one shorter than this. */
const size_t SPIN_FORMAT_BUFFER = 80;

/* The value limited to the range; unchanged when the range has no bounds. */
double SpinClampValue(const SpinLimits *limits, double value);

/* The leading number of `text` read as the kind reads it; 0 when it does not begin with one.
 * Integer and hexadecimal text reads as a 32-bit signed number. */
double SpinParseText(unsigned char kind, const char *text);

/* Writes `value` (already clamped) as the kind writes it into `out`, always NUL-terminated
 * within `outSize` bytes. */
void SpinFormatValue(unsigned char kind, unsigned char decimals, double value, char *out, size_t outSize);

/* The value a step writes (before the final clamp that writing the value performs). */
double SpinStepValue(const SpinLimits *limits, SpinStepKind step, double current);

/* True when a typed character (the whole WM_CHAR code) may reach the field's control. */
bool SpinAcceptsChar(unsigned char kind, bool editable, unsigned long long character);

#endif
