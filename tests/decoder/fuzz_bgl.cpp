// Arbitrary bytes through the whole decode: it never reads outside the buffer (AddressSanitizer
// guards the exact-size copy libFuzzer hands over) and either succeeds with a complete
// document or names an offset inside the file, or its end, as the damage.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "core/bgl_decode.h"

static void Keep(void *context, const char *bytes, size_t count)
{
    static_cast<std::string *>(context)->append(bytes, count);
}

static void Line(void *, const char *line)
{
    if (!*line)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string xml;
    DecodeOutput output = {&xml, Keep, Line};
    DecodeOptions options = {};
    options.dms = size & 1;
    options.feet = size & 2;
    options.partial = size & 4;
    options.radius = 100;
    DecodeResult result;
    bool ok = DecodeBgl(data, size, options, output, &result);
    if (ok != result.ok)
        abort();
    if (ok && xml.compare(xml.size() < 11 ? 0 : xml.size() - 11, 11, "</FSData>\r\n") != 0)
        abort();
    if (!ok && (result.errorOffset > size || result.error.find("offset") == std::string::npos))
        abort();
    return 0;
}
