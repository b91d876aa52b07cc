// Arbitrary decoder output through the line assembly, once whole and once in pieces of sizes
// taken from the input: the pieces give the same lines, no line outgrows the buffer, and the
// lines hold every byte except CR, LF and what follows a NUL up to the next LF.
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "run/core/lines.h"

// Lines arrive one after the other, each ended here with an LF (which no line holds).
static void Collect(void *context, const char *line)
{
    size_t length = strlen(line);
    if (length >= RESULT_LINE_SIZE)
        __builtin_trap();
    static_cast<std::string *>(context)->append(line, length) += '\n';
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    std::string whole, pieces, kept;
    LineAssembly assembly;
    LineAssemblyReset(&assembly);
    LineAssemblyFeed(&assembly, bytes, size, Collect, &whole);
    LineAssemblyFinish(&assembly, Collect, &whole);
    for (size_t at = 0, piece; at < size; at += piece) {
        piece = std::min(data[at] % 8 ? data[at] % 8 : size, size - at); // long pieces cross several lines
        LineAssemblyFeed(&assembly, bytes + at, piece, Collect, &pieces);
    }
    LineAssemblyFinish(&assembly, Collect, &pieces);

    bool cut = false;
    for (size_t i = 0; i < size; ++i) {
        cut = bytes[i] != '\n' && (cut || bytes[i] == '\0');
        if (!cut && bytes[i] != '\r' && bytes[i] != '\n')
            kept += bytes[i];
    }
    bool same = whole == pieces;
    whole.erase(std::remove(whole.begin(), whole.end(), '\n'), whole.end());
    if (!same || whole != kept)
        __builtin_trap();
    return 0;
}
