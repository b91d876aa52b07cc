// Text insertion with arbitrary buffers, texts, positions and sizes: it must agree with a plain
// string model and never touch a byte past the buffer (AddressSanitizer watches the block).
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "dialogs/core/text_forms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    size_t bufferSize = data[0] % 64;
    size_t position = data[1] % 72;
    size_t split = 3 + (size - 3) * data[2] / 256;
    std::string start((const char *)data + 3, (const char *)data + split);
    std::string text((const char *)data + split, (const char *)data + size);
    start = start.substr(0, strnlen(start.c_str(), start.size()));
    text = text.substr(0, strnlen(text.c_str(), text.size()));

    char *buffer = (char *)malloc(bufferSize ? bufferSize : 1);
    if (bufferSize) {
        size_t kept = start.size() < bufferSize - 1 ? start.size() : bufferSize - 1;
        memcpy(buffer, start.data(), kept);
        buffer[kept] = '\0';
        start.resize(kept);

        InsertText(text.c_str(), buffer, bufferSize, position);
        std::string expected = start;
        expected.insert(position < start.size() ? position : start.size(), text);
        expected.resize(expected.size() < bufferSize - 1 ? expected.size() : bufferSize - 1);
        if (expected != buffer)
            abort();
    }
    free(buffer);

    uint32_t value = 0;
    memcpy(&value, data, size >= 4 ? 4 : 3);
    char grouped[TEXT_LINE_SIZE];
    GroupThousands(grouped, 1 + data[2] % sizeof grouped, value, (char)data[1]);
    return 0;
}
