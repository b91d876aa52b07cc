// Arbitrary text through a numeric field's reader, clamp and writer, for each kind and each of
// the fields' ranges: the text written reads back to itself (a fixed point), the clamped value
// lies within the range, and integer text reads as strtoll reads it, held to 32 bits.
// Input: kind, decimals, range, then the text.
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "panel/core/spin_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const SpinLimits ranges[] = {{90, -90, 0.1, 1}, {180, -180, 0.1, 1}, {180, 0, 1, 5}, {DBL_MAX, -DBL_MAX, 1, 1}};
    if (size < 3)
        return 0;
    const SpinLimits *limits = &ranges[data[2] % 4];
    unsigned char kind = data[0] % 3;
    std::string text(reinterpret_cast<const char *>(data + 3), size - 3);
    char first[SPIN_FORMAT_BUFFER], second[SPIN_FORMAT_BUFFER];
    double value = SpinClampValue(limits, SpinParseText(kind, text.c_str()));
    SpinFormatValue(kind, data[1], value, first, sizeof first);
    SpinFormatValue(kind, data[1], SpinClampValue(limits, SpinParseText(kind, first)), second, sizeof second);
    long long integer = strtoll(text.c_str(), nullptr, 10);
    double held = integer < INT32_MIN ? INT32_MIN : integer > INT32_MAX ? INT32_MAX : (double)integer;
    if (strcmp(first, second) != 0 || !(value >= limits->minValue && value <= limits->maxValue) ||
        (kind == SPIN_INTEGER && SpinParseText(kind, text.c_str()) != held))
        __builtin_trap();
    return 0;
}
