// Arbitrary requests through the command-line builder. Split again by the Windows rules, the
// line gives back the options and both paths exactly, less their double quotes, and each
// coordinate as glibc writes it ("%.2f"), except on exact ties, which round away from zero here.
// Input: flags and radius (4 bytes each), latitude and longitude (8 each), "input|output".
// Only the builder is instrumented for coverage, and apart from it nothing allocates: the fuzzer
// has nothing to find in its own model, whose coverage and allocations would cost more than the
// builder.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "run/core/cmdline.h"

// Splits `p` in place (no argument is longer than its text); returns the count of arguments, the
// first `room` of which go to `arguments`. Blanks separate arguments outside quotes; 2n
// backslashes and a quote give n backslashes and toggle quoting, 2n+1 give n and a literal
// quote; other backslashes are literal.
__attribute__((no_sanitize("coverage"))) static size_t SplitArguments(char *p, char **arguments, size_t room)
{
    size_t count = 0;
    for (; *(p += strspn(p, " \t")); ++count) {
        char *to = count < room ? arguments[count] = p : p;
        for (bool quoted = false; *p && (quoted || (*p != ' ' && *p != '\t'));) {
            size_t backslashes = strspn(p, "\\"), kept = p[backslashes] == '"' ? backslashes / 2 : backslashes;
            to = static_cast<char *>(memset(to, '\\', kept)) + kept;
            p += backslashes;
            if (*p == '"' && backslashes % 2 == 0)
                quoted = !quoted, ++p;
            else if (*p == '"' || backslashes == 0)
                *to++ = *p++;
        }
        p += *p != '\0'; // past the blank that ended it, where its NUL may go
        *to = '\0';
    }
    return count;
}

// Removes the double quotes from `path`, in place.
__attribute__((no_sanitize("coverage"))) static void StripQuotes(char *path)
{
    char *to = path;
    for (; *path; ++path)
        if (*path != '"')
            *to++ = *path;
    *to = '\0';
}

extern "C" __attribute__((no_sanitize("coverage"))) int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    struct { unsigned flags; int radius; double lat, lon; } n;
    if (size < sizeof n)
        return 0;
    memcpy(&n, data, sizeof n);
    static std::string rest; // kept from input to input: once grown, no allocation
    rest.assign(reinterpret_cast<const char *>(data) + sizeof n, size - sizeof n);
    size_t bar = std::min(rest.find('|'), rest.size());
    rest[bar] = '\0'; // each path as far as a C string reaches
    char *paths[2] = {&rest[0], &rest[std::min(bar + 1, rest.size())]};
    DecodeRequest request = {nullptr, paths[0], paths[1], n.flags, n.radius, n.lat, n.lon};
    char *line = BuildDecoderCommandLine(&request), *arguments[10]; // the most a request gives
    size_t count = SplitArguments(line, arguments, 10);
    size_t options = __builtin_popcount(n.flags & 0x0f) + (n.flags & DF_PARTIAL ? 3 : 0);
    for (char *path : paths)
        StripQuotes(path);
    if (count != options + 3 || strcmp(arguments[0], "morvane.exe") != 0 || strcmp(paths[0], arguments[options + 1]) != 0 || strcmp(paths[1], arguments[options + 2]) != 0)
        __builtin_trap();
    for (int i = 0; (n.flags & DF_PARTIAL) && i < 2; ++i) {
        double value = i ? n.lon : n.lat;
        char glibc[DECIMAL_TEXT_SIZE + 8];
        size_t length = snprintf(glibc, sizeof glibc, "%s%.2f", value < 0 ? (i ? "-eW" : "-nS") : (i ? "-e" : "-n"), fabs(value));
        size_t same = length - (fmodl(200.0L * fabs(value), 2.0L) == 1.0L); // a tie may differ in the last digit
        if (strlen(arguments[options - 1 + i]) != length || strncmp(arguments[options - 1 + i], glibc, same) != 0)
            __builtin_trap();
    }
    free(line);
    return 0;
}
