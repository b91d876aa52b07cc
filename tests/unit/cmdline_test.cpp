// The decoder's command line: option order, partial options, the two-decimal numbers with
// their rounding, the quoted paths, and buffers that never overflow.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "run/core/cmdline.h"

namespace {

std::string CommandLine(unsigned flags, int radius, double latitude, double longitude, const char *input = "a",
                        const char *output = "b")
{
    DecodeRequest request = {nullptr, input, output, flags, radius, latitude, longitude};
    char *line = BuildDecoderCommandLine(&request);
    EXPECT_NE(nullptr, line);
    std::string text = line ? line : "";
    free(line);
    return text;
}

std::string TwoDecimals(double value)
{
    char text[DECIMAL_TEXT_SIZE];
    FormatTwoDecimals(value, text, sizeof text);
    return text;
}

TEST(CommandLine, Examples)
{
    struct Case {
        unsigned flags;
        int radius;
        double latitude, longitude;
        const char *input, *output, *expected;
    } const cases[] = {
        {0x1f, 25, 45.5, -73.566, "C:\\maps\\area.bgl", "C:\\out\\area.xml",
         "morvane.exe -t -m -f -d -r25 -n45.50 -eW73.57 \"C:\\maps\\area.bgl\" \"C:\\out\\area.xml\""},
        {0, 25, 45.5, -73.566, "a", "b", "morvane.exe \"a\" \"b\""},
        {DF_PARTIAL, 0, 0.0, 0.0, "a", "b", "morvane.exe -r0 -n0.00 -e0.00 \"a\" \"b\""},
        // The sign test is on the value, not on its rounded text.
        {DF_PARTIAL, 1, -0.001, -0.004, "a", "b", "morvane.exe -r1 -nS0.00 -eW0.00 \"a\" \"b\""},
        {DF_PARTIAL, 1, -0.0, 0.004, "a", "b", "morvane.exe -r1 -n0.00 -e0.00 \"a\" \"b\""},
        {DF_PARTIAL, INT32_MIN, 90, -180, "a", "b", "morvane.exe -r-2147483648 -n90.00 -eW180.00 \"a\" \"b\""},
        {DF_PARTIAL, INT32_MAX, -90, 180, "a", "b", "morvane.exe -r2147483647 -nS90.00 -e180.00 \"a\" \"b\""},
        {DF_PARTIAL, 1, NAN, -INFINITY, "a", "b", "morvane.exe -r1 -nnan -eWinf \"a\" \"b\""},
        // Quotes inside paths are removed; empty paths stay two quotes.
        {0, 0, 0, 0, "\"C:\\my \"maps\\a.bgl\"", "\"\"\"", "morvane.exe \"C:\\my maps\\a.bgl\" \"\""},
        {0, 0, 0, 0, "", "", "morvane.exe \"\" \"\""},
        // Trailing backslashes are doubled before the closing quote, inner ones stay single,
        // and a quote removed after a backslash leaves it trailing.
        {0, 0, 0, 0, "C:\\dir\\", "D:\\\\", "morvane.exe \"C:\\dir\\\\\" \"D:\\\\\\\\\""},
        {0, 0, 0, 0, "\\\\srv\\share\\a.bgl", "C:\\x\\\"", "morvane.exe \"\\\\srv\\share\\a.bgl\" \"C:\\x\\\\\""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, CommandLine(c.flags, c.radius, c.latitude, c.longitude, c.input, c.output));
}

// Every combination of the five bits, against an expectation built a different way: the
// plain options looked up by bit in their fixed order. Bits beyond the five add nothing.
TEST(CommandLine, AllThirtyTwoFlagCombinations)
{
    const std::pair<unsigned, const char *> plain[] = {
        {DF_QUIET, "-t"}, {DF_MILES, "-m"}, {DF_FEET, "-f"}, {DF_DMS, "-d"}};
    for (unsigned flags = 0; flags < 32; ++flags) {
        std::string expected = "morvane.exe";
        for (const auto &option : plain)
            if (flags & option.first)
                expected += std::string(" ") + option.second;
        if (flags & DF_PARTIAL)
            expected += " -r-7 -nS12.25 -e100.00";
        expected += " \"in.bgl\" \"out.xml\"";
        EXPECT_EQ(expected, CommandLine(flags, -7, -12.25, 100.0, "in.bgl", "out.xml")) << "flags " << flags;
        EXPECT_EQ(expected, CommandLine(flags | 0xffffffe0u, -7, -12.25, 100.0, "in.bgl", "out.xml"));
    }
}

// Paths longer than any quoting buffer and options longer than 31 characters are written
// whole, in a zero-filled buffer of at least the agreed size (ASan reports a read past it).
TEST(CommandLine, LongPathsAndOptionsAreWrittenWhole)
{
    std::string input(5000, 'i'), output = std::string(300, 'o') + "\\";
    EXPECT_EQ("morvane.exe -t -m -f -d -r1 -n1.00 -e1.00 \"" + input + "\" \"" + output + "\\\"",
              CommandLine(0x1f, 1, 1, 1, input.c_str(), output.c_str()));

    char longitude[400];
    snprintf(longitude, sizeof longitude, " -e%.2f ", 1e300); // glibc prints the exact value; no tie
    std::string line = CommandLine(DF_PARTIAL, 5, -1e40, 1e300);
    EXPECT_EQ("morvane.exe -r5 -nS10000000000000000303786028427003666890752.00" + std::string(longitude) +
                  "\"a\" \"b\"",
              line);

    DecodeRequest request = {nullptr, "abc", "de", 0, 0, 0, 0};
    char *small = BuildDecoderCommandLine(&request);
    ASSERT_NE(nullptr, small);
    for (size_t i = strlen(small); i < 3 + 2 + 128; ++i)
        ASSERT_EQ('\0', small[i]) << i;
    free(small);
}

TEST(TwoDecimals, RoundsOnTheExactBinaryValueHalfAwayFromZero)
{
    const std::pair<double, const char *> cases[] = {
        {45.125, "45.13"}, {0.125, "0.13"}, {0.375, "0.38"}, // exact ties
        {2.675, "2.67"},   {1.005, "1.00"},                  // stored just below the tie
        {0.005, "0.01"},                                     // stored just above the tie
        {73.566, "73.57"}, {0.0, "0.00"}, {0.0049999999999999, "0.00"}, {4.9e-324, "0.00"}, {180, "180.00"},
        {99.995000000000005, "100.00"}, // carries into a new digit
        {9007199254740992.0, "9007199254740992.00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.second, TwoDecimals(c.first)) << c.first;

    char text[5];
    EXPECT_EQ(6u, FormatTwoDecimals(123.456, text, sizeof text));
    EXPECT_STREQ("123.", text); // cut, not overrun
}

// Away from exact ties the result must be glibc's (which formats the exact value too).
TEST(TwoDecimals, AgreesWithTheExactValueExceptOnTies)
{
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> spread(-30, 30);
    for (int i = 0; i < 200000; ++i) {
        double value = fabs(ldexp((double)(random() >> 11), (int)spread(random)) * 1e-16);
        if (i % 4 == 0)
            value = (double)(random() % 100000) / 8.0; // many exact ties
        char expected[512];
        snprintf(expected, sizeof expected, "%.2f", value);
        long double twice = 200.0L * value; // exact in the x87 format
        if (fmodl(twice, 2.0L) == 1.0L)
            snprintf(expected, sizeof expected, "%.2Lf", (floorl(100.0L * value) + 1) / 100.0L);
        ASSERT_EQ(expected, TwoDecimals(value)) << value;
    }
}

TEST(StripChars, RemovesEveryCharacterOfTheSet)
{
    const char *const cases[][3] = {{"\"a\"b\"\"c\"", "\"", "abc"}, {"\"\"\"", "\"", ""}, {"", "\"", ""},
                                    {"a\"b", "", "a\"b"},           {"abcde", "db", "ace"}};
    for (const auto &c : cases) {
        std::string text = c[0];
        StripChars(&text[0], c[1]);
        EXPECT_STREQ(c[2], text.c_str());
    }
}

} // namespace
