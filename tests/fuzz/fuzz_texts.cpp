// The fields' and dialogs' texts, each input read both ways.
// Numeric fields: arbitrary text through a field's reader, clamp and writer, for each kind and
// each of the fields' ranges: the text written reads back to itself (a fixed point), the clamped
// value lies within the range, and integer text reads as strtoll reads it, held to 32 bits.
// Input: kind, decimals, range, then the text.
// Text insertion and thousands grouping with arbitrary texts, positions, numbers and buffer
// sizes: each agrees with a plain string model cut to the buffer, and neither touches a byte past
// the buffer (AddressSanitizer watches the block).
// Input: buffer size, position, separator, where the start text ends, the number, the two texts.
#include <float.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/core/text_forms.h"
#include "panel/core/spin_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const SpinLimits ranges[] = {{90, -90, 0.1, 1}, {180, -180, 0.1, 1}, {180, 0, 1, 5}, {DBL_MAX, -DBL_MAX, 1, 1}};
    if (size < 3)
        return 0;
    const SpinLimits *limits = &ranges[data[2] % 4];
    unsigned char kind = data[0] % 3;
    std::string field(reinterpret_cast<const char *>(data + 3), size - 3);
    char first[SPIN_FORMAT_BUFFER], second[SPIN_FORMAT_BUFFER];
    double value = SpinClampValue(limits, SpinParseText(kind, field.c_str()));
    SpinFormatValue(kind, data[1], value, first, sizeof first);
    SpinFormatValue(kind, data[1], SpinClampValue(limits, SpinParseText(kind, first)), second, sizeof second);
    long long held = std::clamp(strtoll(field.c_str(), nullptr, 10), (long long)INT32_MIN, (long long)INT32_MAX);
    if (strcmp(first, second) != 0 || !(value >= limits->minValue && value <= limits->maxValue) ||
        (kind == SPIN_INTEGER && SpinParseText(kind, field.c_str()) != (double)held))
        __builtin_trap();

    if (size < 8)
        return 0;
    size_t bufferSize = 1 + data[0] % 64, position = data[1] % 72, split = 8 + (size - 8) * data[3] / 256;
    std::string start = std::string((const char *)data + 8, split - 8).c_str(); // texts end at a NUL
    std::string text = std::string((const char *)data + split, size - split).c_str();
    start.resize(std::min(start.size(), bufferSize - 1));
    std::vector<char> buffer(bufferSize); // exactly the buffer's size on the heap
    memcpy(buffer.data(), start.c_str(), start.size() + 1);
    InsertText(text.c_str(), buffer.data(), bufferSize, position);
    bool inserted = start.insert(std::min(position, start.size()), text).substr(0, bufferSize - 1) == buffer.data();
    uint32_t number = data[4] | data[5] << 8 | data[6] << 16 | (uint32_t)data[7] << 24;
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); data[2] && at > 3;)
        digits.insert(at -= 3, 1, (char)data[2]);
    GroupThousands(buffer.data(), bufferSize, number, (char)data[2]);
    if (!inserted || digits.substr(0, bufferSize - 1) != buffer.data())
        __builtin_trap();
    return 0;
}
