// Text insertion with arbitrary buffers, texts, positions and sizes: it must agree with a plain
// string model and never touch a byte past the buffer (AddressSanitizer watches the block).
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "dialogs/core/text_forms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    size_t bufferSize = 1 + data[0] % 64, position = data[1] % 72, split = 3 + (size - 3) * data[2] / 256;
    // Both texts end at their first NUL; the start is cut to what the buffer holds.
    std::string start = std::string((const char *)data + 3, split - 3).c_str();
    std::string text = std::string((const char *)data + split, size - split).c_str();
    start.resize(std::min(start.size(), bufferSize - 1));

    char *buffer = (char *)malloc(bufferSize);
    memcpy(buffer, start.c_str(), start.size() + 1);
    InsertText(text.c_str(), buffer, bufferSize, position);
    std::string expected = start;
    expected.insert(std::min(position, start.size()), text);
    expected.resize(std::min(expected.size(), bufferSize - 1));
    if (expected != buffer)
        abort();
    free(buffer);

    uint32_t value = 0;
    memcpy(&value, data, size >= 4 ? 4 : 3);
    char grouped[TEXT_LINE_SIZE];
    GroupThousands(grouped, 1 + data[2] % sizeof grouped, value, (char)data[1]);
    return 0;
}
