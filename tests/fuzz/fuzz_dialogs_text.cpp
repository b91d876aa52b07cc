// Text insertion and thousands grouping with arbitrary texts, positions, numbers and buffer
// sizes: each agrees with a plain string model cut to the buffer, and neither touches a byte past
// the buffer (AddressSanitizer watches the block).
// Input: buffer size, position, separator, where the start text ends, then the two texts.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "dialogs/core/text_forms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 8)
        return 0;
    size_t bufferSize = 1 + data[0] % 64, position = data[1] % 72, split = 8 + (size - 8) * data[3] / 256;
    std::string start = std::string((const char *)data + 8, split - 8).c_str(); // texts end at a NUL
    std::string text = std::string((const char *)data + split, size - split).c_str();
    start.resize(std::min(start.size(), bufferSize - 1));
    char *buffer = (char *)malloc(bufferSize);
    memcpy(buffer, start.c_str(), start.size() + 1);
    InsertText(text.c_str(), buffer, bufferSize, position);
    std::string expected = start.insert(std::min(position, start.size()), text).substr(0, bufferSize - 1);
    bool inserted = expected == buffer;

    uint32_t value;
    memcpy(&value, data + 4, 4);
    std::string digits = std::to_string(value);
    for (size_t at = digits.size(); data[2] && at > 3;)
        digits.insert(at -= 3, 1, (char)data[2]);
    GroupThousands(buffer, bufferSize, value, (char)data[2]);
    if (!inserted || digits.substr(0, bufferSize - 1) != buffer)
        __builtin_trap();
    free(buffer);
    return 0;
}
