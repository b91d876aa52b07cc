// Arbitrary decoder output through the line assembly, whole and in arbitrary pieces: every
// line fits the buffer, the pieces give the same lines as the whole, and without a NUL
// nothing but CR and LF is lost.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "run/core/lines.h"

static void Collect(void *context, const char *line)
{
    size_t length = strlen(line);
    if (length >= RESULT_LINE_SIZE)
        abort();
    static_cast<std::vector<std::string> *>(context)->push_back(std::string(line, length));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    size_t piece = data[0] % 17 + 1;
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    size_t count = size - 1;

    std::vector<std::string> whole, pieces;
    LineAssembly assembly;
    LineAssemblyReset(&assembly);
    LineAssemblyFeed(&assembly, bytes, count, Collect, &whole);
    LineAssemblyFinish(&assembly, Collect, &whole);
    for (size_t at = 0; at < count; at += piece)
        LineAssemblyFeed(&assembly, bytes + at, count - at < piece ? count - at : piece, Collect, &pieces);
    LineAssemblyFinish(&assembly, Collect, &pieces);
    if (whole != pieces)
        abort();

    if (!memchr(bytes, '\0', count)) {
        size_t kept = 0, shown = 0;
        for (size_t i = 0; i < count; ++i)
            kept += bytes[i] != '\r' && bytes[i] != '\n';
        for (const std::string &line : whole)
            shown += line.size();
        if (kept != shown)
            abort();
    }
    return 0;
}
