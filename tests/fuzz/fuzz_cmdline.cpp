// Arbitrary requests through the command-line builder. Split again by the Windows rules, the
// line gives back the options and both paths exactly, less their double quotes, and each
// coordinate as glibc writes it ("%.2f"), except on exact ties, which round away from zero here.
// Input: flags and radius (4 bytes each), latitude and longitude (8 each), "input|output".
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "run/core/cmdline.h"

// Blanks separate arguments outside quotes; 2n backslashes and a quote give n backslashes and
// toggle quoting, 2n+1 give n and a literal quote; other backslashes are literal.
static std::vector<std::string> SplitArguments(const char *p)
{
    std::vector<std::string> arguments;
    while (*(p += strspn(p, " \t"))) {
        std::string argument;
        for (bool quoted = false; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            size_t backslashes = strspn(p, "\\");
            argument.append(p[backslashes] == '"' ? backslashes / 2 : backslashes, '\\');
            p += backslashes;
            if (*p == '"' && backslashes % 2 == 0)
                quoted = !quoted;
            else if (*p == '"' || backslashes == 0)
                argument += *p;
            else
                --p; // the character after the backslashes is looked at again
        }
        arguments.push_back(argument);
    }
    return arguments;
}

template <typename T> static T Read(const uint8_t *data)
{
    T value;
    memcpy(&value, data, sizeof value);
    return value;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 24)
        return 0;
    std::string rest(reinterpret_cast<const char *>(data + 24), size - 24);
    size_t bar = std::min(rest.find('|'), rest.size()); // each path as far as a C string reaches
    std::string paths[2] = {rest.substr(0, bar).c_str(), rest.substr(std::min(bar + 1, rest.size())).c_str()};
    DecodeRequest request = {nullptr, paths[0].c_str(), paths[1].c_str(), Read<unsigned>(data), Read<int>(data + 4),
                             Read<double>(data + 8), Read<double>(data + 16)};

    char *line = BuildDecoderCommandLine(&request);
    std::vector<std::string> arguments = SplitArguments(line);
    free(line);
    size_t options = __builtin_popcount(request.flags & 0x0f) + (request.flags & DF_PARTIAL ? 3 : 0);
    for (std::string &path : paths)
        path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    if (arguments.size() != options + 3 || arguments[0] != "morvane.exe" || arguments[options + 1] != paths[0] ||
        arguments[options + 2] != paths[1])
        __builtin_trap();
    for (int i = 0; (request.flags & DF_PARTIAL) && i < 2; ++i) {
        double value = i ? request.centerLongitude : request.centerLatitude;
        char glibc[DECIMAL_TEXT_SIZE + 8];
        int length = snprintf(glibc, sizeof glibc, "%s%.2f", value < 0 ? (i ? "-eW" : "-nS") : (i ? "-e" : "-n"), fabs(value));
        size_t same = length - (fmodl(200.0L * fabs(value), 2.0L) == 1.0L); // a tie may differ in the last digit
        const std::string &option = arguments[options - 1 + i];
        if (option.size() != (size_t)length || option.compare(0, same, glibc, same) != 0)
            __builtin_trap();
    }
    return 0;
}
