// The decoder run's two texts, each input read both ways.
// Output lines: arbitrary decoder output through the line assembly, once whole and once in pieces
// of sizes taken from the input: the pieces give the same lines, no line outgrows the buffer, and
// the lines hold every byte except CR, LF and what follows a NUL up to the next LF.
// Command line: an arbitrary request through the builder. Split again by the Windows rules, the
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
#include "run/core/lines.h"

// Blanks separate arguments outside quotes; 2n backslashes and a quote give n backslashes and
// toggle quoting, 2n+1 give n and a literal quote; other backslashes are literal.
static std::vector<std::string> SplitArguments(const char *p)
{
    std::vector<std::string> arguments;
    while (*(p += strspn(p, " \t"))) {
        std::string argument;
        for (bool quoted = false; *p && (quoted || (*p != ' ' && *p != '\t'));) {
            size_t backslashes = strspn(p, "\\");
            argument.append(p[backslashes] == '"' ? backslashes / 2 : backslashes, '\\');
            p += backslashes;
            if (*p == '"' && backslashes % 2 == 0)
                quoted = !quoted, ++p;
            else if (*p == '"' || backslashes == 0)
                argument += *p++;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Lines arrive one after the other, each ended here with an LF (which no line holds). A line
    // longer than the buffer would lose its bytes past the buffer's text here, and be found out.
    auto collect = [](void *to, const char *line) { static_cast<std::string *>(to)->append(line, strnlen(line, RESULT_LINE_SIZE - 1)) += '\n'; };
    const char *bytes = reinterpret_cast<const char *>(data);
    std::string whole, pieces, kept;
    LineAssembly assembly;
    LineAssemblyReset(&assembly);
    LineAssemblyFeed(&assembly, bytes, size, collect, &whole);
    LineAssemblyFinish(&assembly, collect, &whole);
    for (size_t at = 0, piece; at < size; at += piece) {
        piece = std::min(data[at] % 8 ? data[at] % 8 : size, size - at); // long pieces cross several lines
        LineAssemblyFeed(&assembly, bytes + at, piece, collect, &pieces);
    }
    LineAssemblyFinish(&assembly, collect, &pieces);
    bool cut = false, same = whole == pieces;
    for (size_t i = 0; i < size; ++i) {
        cut = bytes[i] != '\n' && (cut || bytes[i] == '\0');
        if (!cut && bytes[i] != '\r' && bytes[i] != '\n')
            kept += bytes[i];
    }
    whole.erase(std::remove(whole.begin(), whole.end(), '\n'), whole.end());
    if (!same || whole != kept)
        __builtin_trap();

    struct { unsigned flags; int radius; double lat, lon; } n;
    if (size < sizeof n)
        return 0;
    memcpy(&n, data, sizeof n);
    std::string rest(bytes + sizeof n, size - sizeof n);
    size_t bar = std::min(rest.find('|'), rest.size()); // each path as far as a C string reaches
    std::string paths[2] = {rest.substr(0, bar).c_str(), rest.substr(std::min(bar + 1, rest.size())).c_str()};
    DecodeRequest request = {nullptr, paths[0].c_str(), paths[1].c_str(), n.flags, n.radius, n.lat, n.lon};
    char *line = BuildDecoderCommandLine(&request);
    std::vector<std::string> arguments = SplitArguments(line);
    free(line);
    size_t options = __builtin_popcount(n.flags & 0x0f) + (n.flags & DF_PARTIAL ? 3 : 0);
    for (std::string &path : paths)
        path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    if (arguments.size() != options + 3 || arguments[0] != "morvane.exe" || arguments[options + 1] != paths[0] || arguments[options + 2] != paths[1])
        __builtin_trap();
    for (int i = 0; (n.flags & DF_PARTIAL) && i < 2; ++i) {
        double value = i ? n.lon : n.lat;
        char glibc[DECIMAL_TEXT_SIZE + 8];
        size_t length = snprintf(glibc, sizeof glibc, "%s%.2f", value < 0 ? (i ? "-eW" : "-nS") : (i ? "-e" : "-n"), fabs(value));
        size_t same = length - (fmodl(200.0L * fabs(value), 2.0L) == 1.0L); // a tie may differ in the last digit
        if (arguments[options - 1 + i].size() != length || arguments[options - 1 + i].compare(0, same, glibc, same) != 0)
            __builtin_trap();
    }
    return 0;
}
