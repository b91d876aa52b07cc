// Arbitrary bytes through the whole decode: it never reads outside the buffer (AddressSanitizer
// guards the exact-size copy libFuzzer hands over) and either succeeds with a complete
// document holding exactly the elements it counts as written, or names an offset inside the
// file, or its end, as the damage.
#include <stdint.h>

#include <string>

#include "decoder.h"
#include "encodings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string xml;
    auto keep = [](void *to, const char *bytes, size_t count) { static_cast<std::string *>(to)->append(bytes, count); };
    auto note = [](void *, const char *line) { if (!*line) __builtin_trap(); }; // never an empty line
    // The options follow the size, so each seed is read several ways; the centre is the sample's.
    DecodeOptions options = {(size & 8) != 0, (size & 16) != 0, (size & 2) != 0, (size & 1) != 0, (size & 4) != 0, 100, 50, 14};
    DecodeResult result;
    bool ok = DecodeBgl(data, size, options, {&xml, keep, note}, &result);
    size_t elements = 0; // attribute text is escaped, so '<' only begins a tag
    for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1))
        elements += xml[at + 1] != '/' && xml[at + 1] != '?';
    unsigned long counted_elements = 1; // FSData
    for (const ElementCount &entry : result.written)
        counted_elements += entry.count;
    bool counted = elements == counted_elements;
    bool complete = xml.size() >= 11 && xml.compare(xml.size() - 11, 11, "</FSData>\r\n") == 0;
    if (ok != result.ok || (ok && !(complete && counted)) ||
        (!ok && (result.errorOffset > size || result.error.find("offset") == std::string::npos)))
        __builtin_trap();
    return 0;
}
