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

std::string CommandLine(unsigned flags, int radius, double latitude, double longitude,
                        const char *input = "C:\\maps\\area.bgl", const char *output = "C:\\out\\area.xml")
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

std::string Stripped(std::string text, const char *set)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    StripChars(buffer.data(), set);
    return buffer.data();
}

TEST(CommandLine, ExampleWithEveryOption)
{
    EXPECT_EQ("morvane.exe -t -m -f -d -r25 -n45.50 -eW73.57 \"C:\\maps\\area.bgl\" \"C:\\out\\area.xml\"",
              CommandLine(0x1f, 25, 45.5, -73.566));
}

TEST(CommandLine, NoOptionIsTheToolAndTwoQuotedPaths)
{
    EXPECT_EQ("morvane.exe \"C:\\maps\\area.bgl\" \"C:\\out\\area.xml\"", CommandLine(0, 25, 45.5, -73.566));
}

// Every combination of the five bits, against an expectation built a different way: the
// plain options looked up by bit in their fixed order.
TEST(CommandLine, AllThirtyTwoFlagCombinations)
{
    struct Option {
        unsigned bit;
        const char *text;
    } const order[] = {{DF_QUIET, "-t"}, {DF_MILES, "-m"}, {DF_FEET, "-f"}, {DF_DMS, "-d"}};
    for (unsigned flags = 0; flags < 32; ++flags) {
        std::string expected = "morvane.exe";
        for (const Option &option : order)
            if (flags & option.bit)
                expected += std::string(" ") + option.text;
        if (flags & DF_PARTIAL)
            expected += " -r-7 -nS12.25 -e100.00";
        expected += " \"in.bgl\" \"out.xml\"";
        EXPECT_EQ(expected, CommandLine(flags, -7, -12.25, 100.0, "in.bgl", "out.xml")) << "flags " << flags;
        // Bits beyond the five add nothing.
        EXPECT_EQ(expected, CommandLine(flags | 0xffffffe0u, -7, -12.25, 100.0, "in.bgl", "out.xml"));
    }
}

TEST(CommandLine, PartialOptionsAtTheirEdges)
{
    EXPECT_EQ("morvane.exe -r0 -n0.00 -e0.00 \"a\" \"b\"", CommandLine(DF_PARTIAL, 0, 0.0, 0.0, "a", "b"));
    // The sign test is on the value, not on its rounded text.
    EXPECT_EQ("morvane.exe -r1 -nS0.00 -eW0.00 \"a\" \"b\"", CommandLine(DF_PARTIAL, 1, -0.001, -0.004, "a", "b"));
    EXPECT_EQ("morvane.exe -r1 -n0.00 -e0.00 \"a\" \"b\"", CommandLine(DF_PARTIAL, 1, -0.0, 0.004, "a", "b"));
    EXPECT_EQ("morvane.exe -r-2147483648 -n90.00 -eW180.00 \"a\" \"b\"",
              CommandLine(DF_PARTIAL, INT32_MIN, 90, -180, "a", "b"));
    EXPECT_EQ("morvane.exe -r2147483647 -nS90.00 -e180.00 \"a\" \"b\"",
              CommandLine(DF_PARTIAL, INT32_MAX, -90, 180, "a", "b"));
}

TEST(CommandLine, OptionsLongerThanThirtyOneCharactersAreWrittenWhole)
{
    std::string line = CommandLine(DF_PARTIAL, 5, -1e40, 1e300, "a", "b");
    std::string latitude = "-nS10000000000000000303786028427003666890752.00 ";
    EXPECT_NE(std::string::npos, line.find(latitude)) << line;
    // glibc prints the exact value too, and 1e300 is no tie.
    char longitude[400];
    snprintf(longitude, sizeof longitude, " -e%.2f ", 1e300);
    EXPECT_NE(std::string::npos, line.find(longitude)) << line;
    EXPECT_EQ("\"a\" \"b\"", line.substr(line.size() - 7));
}

TEST(CommandLine, NonFiniteValuesStayText)
{
    EXPECT_EQ("morvane.exe -r1 -nnan -eWinf \"a\" \"b\"", CommandLine(DF_PARTIAL, 1, NAN, -INFINITY, "a", "b"));
}

TEST(CommandLine, QuotesInsidePathsAreRemoved)
{
    EXPECT_EQ("morvane.exe \"C:\\my maps\\a.bgl\" \"\"", CommandLine(0, 0, 0, 0, "\"C:\\my \"maps\\a.bgl\"", "\"\"\""));
    EXPECT_EQ("morvane.exe \"\" \"\"", CommandLine(0, 0, 0, 0, "", ""));
}

TEST(CommandLine, TrailingBackslashesAreDoubledBeforeTheClosingQuote)
{
    EXPECT_EQ("morvane.exe \"C:\\dir\\\\\" \"D:\\\\\\\\\"", CommandLine(0, 0, 0, 0, "C:\\dir\\", "D:\\\\"));
    // Inner backslashes stay single.
    EXPECT_EQ("morvane.exe \"\\\\srv\\share\\a.bgl\" \"o\"", CommandLine(0, 0, 0, 0, "\\\\srv\\share\\a.bgl", "o"));
    // A quote removed after a backslash leaves it trailing: still doubled.
    EXPECT_EQ("morvane.exe \"C:\\x\\\\\" \"o\"", CommandLine(0, 0, 0, 0, "C:\\x\\\"", "o"));
}

TEST(CommandLine, PathsLongerThanTheQuotingBuffersArriveWhole)
{
    std::string input(5000, 'i');
    std::string output = std::string(300, 'o') + "\\";
    std::string line = CommandLine(0x1f, 1, 1, 1, input.c_str(), output.c_str());
    EXPECT_EQ("morvane.exe -t -m -f -d -r1 -n1.00 -e1.00 \"" + input + "\" \"" + output + "\\\"", line);
}

TEST(CommandLine, BufferIsAtLeastTheAgreedSizeAndZeroFilled)
{
    DecodeRequest request = {nullptr, "abc", "de", 0, 0, 0, 0};
    char *line = BuildDecoderCommandLine(&request);
    ASSERT_NE(nullptr, line);
    size_t length = strlen(line);
    for (size_t i = length; i < 3 + 2 + 128; ++i)
        ASSERT_EQ('\0', line[i]) << i; // ASan reports a read past a smaller buffer
    free(line);
}

TEST(TwoDecimals, RoundsOnTheExactBinaryValueHalfAwayFromZero)
{
    EXPECT_EQ("45.13", TwoDecimals(45.125)); // exact tie
    EXPECT_EQ("0.13", TwoDecimals(0.125));
    EXPECT_EQ("0.38", TwoDecimals(0.375));
    EXPECT_EQ("2.67", TwoDecimals(2.675)); // stored just below the tie
    EXPECT_EQ("1.00", TwoDecimals(1.005)); // stored just below the tie
    EXPECT_EQ("0.01", TwoDecimals(0.005)); // stored just above the tie
    EXPECT_EQ("73.57", TwoDecimals(73.566));
    EXPECT_EQ("0.00", TwoDecimals(0.0));
    EXPECT_EQ("0.00", TwoDecimals(0.0049999999999999));
    EXPECT_EQ("0.00", TwoDecimals(4.9e-324));
    EXPECT_EQ("100.00", TwoDecimals(99.995000000000005)); // carries into a new digit
    EXPECT_EQ("9007199254740992.00", TwoDecimals(9007199254740992.0));
    EXPECT_EQ("180.00", TwoDecimals(180));
}

TEST(TwoDecimals, SmallBufferIsCutNotOverrun)
{
    char text[5];
    EXPECT_EQ(6u, FormatTwoDecimals(123.456, text, sizeof text));
    EXPECT_STREQ("123.", text);
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
        std::string ours = TwoDecimals(value);
        long double twice = 200.0L * value; // exact in the x87 format
        bool tie = fmodl(twice, 2.0L) == 1.0L;
        if (!tie) {
            ASSERT_EQ(expected, ours) << value;
        } else {
            long double up = (floorl(100.0L * value) + 1) / 100.0L;
            char rounded[512];
            snprintf(rounded, sizeof rounded, "%.2Lf", up);
            ASSERT_EQ(rounded, ours) << value;
        }
    }
}

TEST(StripChars, RemovesEveryCharacterOfTheSet)
{
    EXPECT_EQ("abc", Stripped("\"a\"b\"\"c\"", "\""));
    EXPECT_EQ("", Stripped("\"\"\"", "\""));
    EXPECT_EQ("", Stripped("", "\""));
    EXPECT_EQ("a\"b", Stripped("a\"b", ""));
    EXPECT_EQ("ace", Stripped("abcde", "db"));
}

} // namespace
