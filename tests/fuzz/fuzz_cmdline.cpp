// Arbitrary requests through the command-line builder: paths of any length and content,
// any flags and numbers. The line must fit its buffer and hold exactly the quoted paths.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "run/core/cmdline.h"

/* The rules by which the C runtime splits a command line into its argument vector:
 * blanks separate arguments outside quotes; 2n backslashes before a quote give n
 * backslashes and the quote toggles quoting; 2n+1 give n and a literal quote; backslashes
 * elsewhere are literal. */
static std::vector<std::string> SplitLikeTheRuntime(const char *line)
{
    std::vector<std::string> arguments;
    const char *p = line;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string argument;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            size_t backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
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
    return arguments;
}

static std::string WithoutQuotes(const std::string &text)
{
    std::string kept;
    for (char c : text)
        if (c != '"')
            kept += c;
    return kept;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4 + 4 + 8 + 8)
        return 0;
    DecodeRequest request = {};
    memcpy(&request.flags, data, 4);
    memcpy(&request.radius, data + 4, 4);
    memcpy(&request.centerLatitude, data + 8, 8);
    memcpy(&request.centerLongitude, data + 16, 8);
    std::string rest(reinterpret_cast<const char *>(data + 24), size - 24);
    size_t split = rest.find('|');
    std::string input = rest.substr(0, split);
    std::string output = split == std::string::npos ? "" : rest.substr(split + 1);
    input = input.c_str(); // as far as a C string reaches
    output = output.c_str();
    request.inputPath = input.c_str();
    request.outputPath = output.c_str();

    char *line = BuildDecoderCommandLine(&request);
    if (!line)
        return 0;
    std::vector<std::string> arguments = SplitLikeTheRuntime(line);
    free(line);

    size_t options = 0;
    for (unsigned bit : {DF_QUIET, DF_MILES, DF_FEET, DF_DMS})
        options += (request.flags & bit) != 0;
    if (request.flags & DF_PARTIAL)
        options += 3;
    if (arguments.size() != 1 + options + 2 || arguments[0] != "morvane.exe")
        abort();
    if (arguments[options + 1] != WithoutQuotes(input) || arguments[options + 2] != WithoutQuotes(output))
        abort();
    return 0;
}
