// Arbitrary requests through the command-line builder: paths of any length and content, any
// flags and numbers. The line must fit its buffer (ASan) and split into exactly the options
// and the two paths without their quotes.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "run/core/cmdline.h"

/* The C runtime's rules for splitting a command line: blanks separate arguments outside
 * quotes; 2n backslashes before a quote give n backslashes and the quote toggles quoting,
 * 2n+1 give n and a literal quote; other backslashes are literal. */
static std::vector<std::string> SplitLikeTheRuntime(const char *p)
{
    std::vector<std::string> arguments;
    for (;;) {
        p += strspn(p, " \t");
        if (!*p)
            return arguments;
        std::string argument;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            size_t backslashes = strspn(p, "\\");
            p += backslashes;
            if (*p == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2)
                    argument += '"';
                else
                    quoted = !quoted;
                ++p;
            } else {
                argument.append(backslashes, '\\');
                if (*p && (quoted || (*p != ' ' && *p != '\t')))
                    argument += *p++;
            }
        }
        arguments.push_back(argument);
    }
}

static std::string WithoutQuotes(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 24)
        return 0;
    DecodeRequest request = {};
    memcpy(&request.flags, data, 4);
    memcpy(&request.radius, data + 4, 4);
    memcpy(&request.centerLatitude, data + 8, 8);
    memcpy(&request.centerLongitude, data + 16, 8);
    std::string rest(reinterpret_cast<const char *>(data + 24), size - 24);
    size_t split = rest.find('|');
    std::string input = rest.substr(0, split).c_str(); // as far as a C string reaches
    std::string output = split == std::string::npos ? "" : rest.substr(split + 1).c_str();
    request.inputPath = input.c_str();
    request.outputPath = output.c_str();

    char *line = BuildDecoderCommandLine(&request);
    if (!line)
        return 0;
    std::vector<std::string> arguments = SplitLikeTheRuntime(line);
    free(line);

    size_t options = (request.flags & DF_PARTIAL) ? 3 : 0;
    for (unsigned bit : {DF_QUIET, DF_MILES, DF_FEET, DF_DMS})
        options += (request.flags & bit) != 0;
    if (arguments.size() != options + 3 || arguments[0] != "morvane.exe" ||
        arguments[options + 1] != WithoutQuotes(input) || arguments[options + 2] != WithoutQuotes(output))
        abort();
    return 0;
}
