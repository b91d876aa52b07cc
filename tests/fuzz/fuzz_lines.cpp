// Arbitrary decoder output through the line assembly, once whole and once in pieces of sizes
// taken from the input: both give exactly the lines of a plain model, and no line outgrows the
// buffer.
#include <stdint.h>

#include <algorithm>
#include <string>

#include "run/core/lines.h"

// The lines the assembly must give, each ended with an LF: CRs dropped, an LF ending a line
// (an empty one too), a NUL hiding the rest of its line, a long line cut every
// RESULT_LINE_SIZE - 1 bytes, and a last line without its LF given if a byte other than CR came.
// Not instrumented: the fuzzer has nothing to find in its own model, and byte by byte the
// coverage callbacks would cost more than the assembly under test.
__attribute__((no_sanitize("coverage"))) static void ModelLines(const char *bytes, size_t size, std::string *lines)
{
    size_t length = 0; // of the line so far
    bool cut = false, pending = false;
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\n')
            *lines += '\n', length = 0, cut = pending = false;
        else if (bytes[i] != '\r')
            pending = true, cut = cut || bytes[i] == '\0';
        if (bytes[i] == '\n' || bytes[i] == '\r' || cut)
            continue;
        if (length++ == RESULT_LINE_SIZE - 1)
            *lines += '\n', length = 1;
        *lines += bytes[i];
    }
    if (pending)
        *lines += '\n';
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::string whole, pieces, model; // kept from input to input: once grown, no allocation
    // Lines arrive one after the other, each ended here with an LF (which no line holds).
    auto collect = [](void *to, const char *line) { static_cast<std::string *>(to)->append(line) += '\n'; };
    const char *bytes = reinterpret_cast<const char *>(data);
    whole.clear(), pieces.clear(), model.clear();
    LineAssembly assembly;
    LineAssemblyReset(&assembly);
    LineAssemblyFeed(&assembly, bytes, size, collect, &whole);
    LineAssemblyFinish(&assembly, collect, &whole);
    for (size_t at = 0, piece; at < size; at += piece) {
        piece = std::min(data[at] % 8 ? data[at] % 8 : size, size - at); // long pieces cross several lines
        LineAssemblyFeed(&assembly, bytes + at, piece, collect, &pieces);
    }
    LineAssemblyFinish(&assembly, collect, &pieces);
    ModelLines(bytes, size, &model);
    if (whole != pieces || whole != model)
        __builtin_trap();
    return 0;
}
