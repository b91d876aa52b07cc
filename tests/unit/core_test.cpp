// The pure core: the decoder's command line, the numeric fields' text, the registry encodings,
// centring, and every bounded text (key paths, folders, version values, registry text without
// a NUL, insertion, grouping, object ids, About lines). Texts are written into heap blocks of
// exactly the size named, so that AddressSanitizer reports a write past one. The output lines
// are judged whole by their fuzzer, against a model.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/core/text_forms.h"
#include "panel/core/panel_codec.h"
#include "panel/core/spin_text.h"
#include "run/core/cmdline.h"
#include "settings/core/key_path.h"
#include "ui/core/centering.h"
#include "ui/core/version_text.h"

namespace {

// The line after its fixed "morvane.exe "; every byte up to the promised size must be readable
// (AddressSanitizer) and zero. How paths with quotes and backslashes split back into arguments,
// and the decimals of ordinary values, are checked against the Windows rules and glibc by the
// command-line fuzzer; the rows here are what it cannot judge.
std::string Options(unsigned flags, int radius, double lat, double lon, const std::string &in, const std::string &out)
{
    DecodeRequest request = {nullptr, in.c_str(), out.c_str(), flags, radius, lat, lon};
    char *line = BuildDecoderCommandLine(&request);
    std::string text = line ? line : "";
    for (size_t i = text.size(); line && i < in.size() + out.size() + 128; ++i)
        EXPECT_EQ('\0', line[i]) << i;
    free(line);
    return text.rfind("morvane.exe ", 0) == 0 ? text.substr(12) : "bad start: " + text;
}

TEST(CommandLine, OptionsInOrderNumbersRoundedPathsQuotedWhole)
{
    const struct { unsigned flags; int radius; double lat, lon; std::string in, out, expected; } cases[] = {
        {0x1f, 25, 45.5, -73.566, "C:\\maps\\a.bgl", "C:\\out\\a.xml", "-t -m -f -d -r25 -n45.50 -eW73.57 \"C:\\maps\\a.bgl\" \"C:\\out\\a.xml\""},
        {DF_PARTIAL, INT32_MIN, 9007199254740992.0, -180, "a", "b", "-r-2147483648 -n9007199254740992.00 -eW180.00 \"a\" \"b\""},
        {DF_PARTIAL, INT32_MAX, 45.125, -2.675, "a", "b", "-r2147483647 -n45.13 -eW2.67 \"a\" \"b\""},
        {DF_PARTIAL, 1, NAN, -INFINITY, "a", "b", "-r1 -nnan -eWinf \"a\" \"b\""},
        {DF_PARTIAL, 1, 0.375, 1.005, "a", "b", "-r1 -n0.38 -e1.00 \"a\" \"b\""}, // a tie; just below one
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, Options(c.flags, c.radius, c.lat, c.lon, c.in, c.out));
}

// What `write` leaves in a block of `size` bytes that held `initial` (or only '#'), after "-"
// when it says it refused.
std::string Written(size_t size, const char *initial, const std::function<bool(char *)> &write)
{
    std::vector<char> block(size, '#'); // exactly `size` bytes on the heap
    memcpy(block.data(), initial ? initial : "", initial ? strlen(initial) + 1 : 0);
    return (write(block.data()) ? "" : "-") + std::string(block.data(), strnlen(block.data(), size));
}
#define WRITTEN(size, initial, call) Written(size, initial, [&](char *b) { return (call), true; })

// Integer field text is read as strtoll reads it (held to 32 bits), and insertion and grouping
// agree with a string model: both checked by the fuzzers.
TEST(NumbersAndTexts, SaturatedClampedRoundTripNeverPastTheBufferAlwaysTerminated)
{
    auto Format = [](unsigned char kind, unsigned char decimals, double value) {
        return WRITTEN(SPIN_FORMAT_BUFFER, "", SpinFormatValue(kind, decimals, value, b, SPIN_FORMAT_BUFFER));
    };
    const SpinLimits radius = {180, 0, 1, 5}, unbounded = {0, 0, 1, 5};
    auto parse = SpinParseText;
    const std::pair<double, double> numbers[] = {
        {parse(SPIN_DECIMAL, "1e1"), 10}, {parse(SPIN_DECIMAL, "3e"), 3}, {parse(SPIN_DECIMAL, "-.5x"), -0.5},
        {parse(SPIN_DECIMAL, "nan"), 0}, {parse(SPIN_DECIMAL, "0x1p3"), 0}, {parse(SPIN_HEX, "FFFFFFFF"), -1},
        {parse(SPIN_HEX, "0xff"), 255}, {parse(SPIN_HEX, "123456789"), 0x23456789}, {parse(SPIN_HEX, "-1"), -1},
        {parse(SPIN_HEX, "0xg"), 0}, {SpinClampValue(&radius, 500), 180}, {SpinClampValue(&radius, -0.5), 0},
        {SpinClampValue(&unbounded, -1e9), -1e9}, {EncodeLatitude(-45.5), -2528220u}, {EncodeLatitude(90), 5000875},
        {EncodeLatitude(200), 11113055}, {EncodeLatitude(NAN), 0}, {EncodeLongitude(-180), -8388608u}, {EncodeRadius(-1.9), 0xFFFFFFFF},
        {EncodeRadius(4294967303.0), 7}, {EncodeRadius(1e300), 0xFFFFFFFF}, {DecodeRadius(0xFFFFFFFF), -1},
        {TruncateToInt32(-2.9), -2}, {TruncateToInt32(-1e300), INT32_MIN}, {TruncateToInt32(2147483647.5), INT32_MAX},
        {CenteredOrigin(1024, 768, 301, 201).x, 362}, {CenteredOrigin(1024, 768, 1501, 1001).y, -116},
        {FreeKilobytes(2047), 1}, {FreeKilobytes(4294967296ull), 4194303},
    };
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(numbers[i].second, numbers[i].first) << "row " << i;
    // Every three-decimal value comes back from the registry with the same text.
    for (int thousandths = -180000; thousandths <= 180000; thousandths++) {
        char text[16];
        snprintf(text, sizeof text, "%0.3f", thousandths / 1000.0);
        ASSERT_EQ(text, Format(SPIN_DECIMAL, 3, DecodeLongitude(EncodeLongitude(atof(text)))));
        if (abs(thousandths) <= 90000)
            ASSERT_EQ(text, Format(SPIN_DECIMAL, 3, DecodeLatitude(EncodeLatitude(atof(text)))));
    }

    const std::string k510(KEY_PATH_MAX - 1, 'k'), b300(300, 'b'), r210(210, 'r'), commas(200, ',');
    const ObjectIdFields id = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}},
                         zeros = {0x0000ABCD, 0x000E, 0x0001, {0x00, 0x01, 0x0A, 0, 0, 0, 0, 0x0F}};
    const WindowsVersion nt = {2, 10, 0, 0xF0004A61}, me = {1, 4, 90, 0x045A0BB8}, other = {3, 5, 0, 1};
    auto resolve = [](const std::string &p, size_t n) { return Written(n, "", [&](char *b) { return ResolveKeyPath(p.c_str(), KEY_PATH_MAX, b, n); }); };
    auto join = [](const std::string &p, const std::string &q, size_t n) { return Written(n, "", [&](char *b) { return JoinKeyPath(p.c_str(), q.c_str(), KEY_PATH_MAX, b, n); }); };
    auto stored = [](const char *t, size_t count, size_t n) { return Written(n, nullptr, [&](char *b) { return memcpy(b, t, count), TerminateRegistryText(b, n, count) == count; }); };
    auto version = [](const char *t, size_t length, size_t n) { return WRITTEN(n, "", CopyVersionValue(b, n, t, length)); };
    auto windows = [](const WindowsVersion *v) { return WRITTEN(80, "", FormatWindowsLine(b, 80, v)); };
    auto memory = [](const char *kb, unsigned long load) { return WRITTEN(80, "", FormatMemoryLine(b, 80, kb, load)); };
    const std::pair<std::string, std::string> texts[] = {
        {Format(SPIN_DECIMAL, 3, 45.5), "45.500"}, {Format(SPIN_DECIMAL, 3, -0.0001), "-0.000"},
        {Format(SPIN_DECIMAL, 255, 1.5), "1.5"}, {Format(SPIN_DECIMAL, 3, DBL_MAX), "1.7976931348623157e+308"},
        {Format(SPIN_INTEGER, 0, -DBL_MAX), "-2147483648"}, {Format(SPIN_INTEGER, 0, NAN), "0"},
        {Format(SPIN_HEX, 0, 1e300), "7FFFFFFF"}, {Format(SPIN_HEX, 0, -1.9), "FFFFFFFF"},
        // Key paths: the absolute form loses its backslash; over-long paths are refused, leaving the output empty.
        {resolve("\\Soft\\V", 7), "Soft\\V"}, {resolve("\\" + k510, 511), k510}, {resolve(k510 + "kk", 1024), "-"},
        {resolve("abcd", 4), "-"}, {join("", "r", 2), "r"}, {join("a", "b", 4), "a\\b"}, {join("a", "b", 3), "-"},
        {join(b300, r210, 512), b300 + "\\" + r210}, {join(b300, r210 + "r", 1024), "-"}, // 512 joined
        {WRITTEN(4, "", FolderOfPath("C:\\m\\a.bgl", 5, b, 4)), "C:\\"}, {WRITTEN(9, "", FolderOfPath("C:\\a", 9, b, 9)), "C:\\a"},
        {version("Vantrel and more", 7, 256), "Vantrel"}, {version("1, 1\0x", 6, 256), "1, 1"}, {version("abcdef", 6, 4), "abc"},
        // Registry text stored without a NUL that fills the buffer is refused.
        {version(nullptr, 5, 9), ""}, {stored("abc", 3, 8), "abc"}, {stored("abc", 4, 8), "abc"}, {stored("abcd", 4, 4), "-abcd"},
        {WRITTEN(4, nullptr, InsertText("X", b, 4, 0)), "X##"}, {WRITTEN(1, "", InsertText("X", b, 0, 0)), ""}, // unterminated: full; no room
        // {6B29FC40-CA47-1067-B31D-00DD010662DA}: Data1..3 read as numbers, not as their bytes in memory.
        {WRITTEN(5, "", FormatTwoDecimals(123.456, b, 5)), "123."}, {WRITTEN(10, "", FormatObjectIdSpaced(&id, b, 10)), "6B29FC40 "},
        {WRITTEN(33, "", FormatObjectIdPlain(&id, b, 33)), "6B29FC40CA471067B31D00DD010662DA"},
        {WRITTEN(36, "", FormatObjectIdSpaced(&id, b, 36)), "6B29FC40 CA471067 B31D00DD 010662DA"},
        {WRITTEN(80, "", FormatObjectIdSpaced(&zeros, b, 80)), "0000ABCD 000E0001 00010A00 0000000F"},
        {WRITTEN(80, "", FormatVersionLine(b, 80, "1, 1, 0, 13")), "Version 1. 1. 0. 13"},
        {WRITTEN(80, "", FormatVersionLine(b, 80, commas.c_str())), "Version " + std::string(71, '.')},
        {windows(&nt), "Windows NT ver. 10.0 (build 19041)"}, {windows(&me), "Windows v9.x ver. 4.90 (build 3000)"},
        {windows(&other), "MS Windows ver. 5.0 (build 1)"}, {windows(nullptr), "Windows version unknown"},
        {memory("4,194,303", 37), "Available memory to Windows: 4,194,303 Kb (63%)"}, {memory("1", 250), "Available memory to Windows: 1 Kb (0%)"},
    };
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(texts[i].second, texts[i].first) << "text row " << i;
}

} // namespace
