// The numeric fields' text: reading per kind, bounded formatting, clamping, steps, filter.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

#include "panel/core/spin_text.h"

namespace {

const SpinLimits Latitude = {90.0, -90.0, 0.1, 1.0};
const SpinLimits Radius = {180.0, 0.0, 1.0, 5.0};
const SpinLimits Unbounded = {0.0, 0.0, 1.0, 10.0};

std::string Format(unsigned char kind, unsigned char decimals, double value)
{
    char text[SPIN_FORMAT_BUFFER];
    memset(text, 'x', sizeof text);
    SpinFormatValue(kind, decimals, value, text, sizeof text);
    EXPECT_NE(nullptr, memchr(text, '\0', sizeof text));
    return text;
}

TEST(SpinParse, IntegerReadsTheLeadingWholeNumber)
{
    EXPECT_EQ(12.0, SpinParseText(SPIN_KIND_INTEGER, "12.7"));
    EXPECT_EQ(-5.0, SpinParseText(SPIN_KIND_INTEGER, "  -5x"));
    EXPECT_EQ(7.0, SpinParseText(SPIN_KIND_INTEGER, "+7"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_INTEGER, "-"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_INTEGER, "+"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_INTEGER, ""));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_INTEGER, "word"));
    EXPECT_EQ(1.0, SpinParseText(SPIN_KIND_INTEGER, "1e5"));
}

TEST(SpinParse, IntegerBeyondThirtyTwoBitsSaturates)
{
    EXPECT_EQ(2147483647.0, SpinParseText(SPIN_KIND_INTEGER, "99999999999999999999999"));
    EXPECT_EQ(-2147483648.0, SpinParseText(SPIN_KIND_INTEGER, "-2147483648"));
    EXPECT_EQ(-2147483648.0, SpinParseText(SPIN_KIND_INTEGER, "-99999999999999999999"));
}

TEST(SpinParse, DecimalReadsExponentsButNoWords)
{
    EXPECT_EQ(10.0, SpinParseText(SPIN_KIND_DECIMAL, "1e1"));
    EXPECT_EQ(45.5, SpinParseText(SPIN_KIND_DECIMAL, "45.5"));
    EXPECT_EQ(-0.25, SpinParseText(SPIN_KIND_DECIMAL, "-.25"));
    EXPECT_EQ(3.0, SpinParseText(SPIN_KIND_DECIMAL, "3e"));   // a dangling exponent is not part of it
    EXPECT_EQ(1.5, SpinParseText(SPIN_KIND_DECIMAL, "1.5.5")); // second point ends the number
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_DECIMAL, "nan"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_DECIMAL, "inf"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_DECIMAL, "0x1p3"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_DECIMAL, "."));
}

TEST(SpinParse, HexReadsThirtyTwoBitsAsSigned)
{
    EXPECT_EQ(255.0, SpinParseText(SPIN_KIND_HEX, "ff"));
    EXPECT_EQ(255.0, SpinParseText(SPIN_KIND_HEX, "0xFF"));
    EXPECT_EQ(-1.0, SpinParseText(SPIN_KIND_HEX, "FFFFFFFF"));
    EXPECT_EQ(-16.0, SpinParseText(SPIN_KIND_HEX, "-10"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_HEX, "xyz"));
    EXPECT_EQ(0.0, SpinParseText(SPIN_KIND_HEX, "0x"));
    EXPECT_EQ(0x23456789 * 1.0, SpinParseText(SPIN_KIND_HEX, "123456789")); // low 32 bits
}

TEST(SpinFormat, WritesEachKind)
{
    EXPECT_EQ("90.000", Format(SPIN_KIND_DECIMAL, 3, 90.0));
    EXPECT_EQ("-180.000", Format(SPIN_KIND_DECIMAL, 3, -180.0));
    EXPECT_EQ("-89.900", Format(SPIN_KIND_DECIMAL, 3, -90.0 + 0.1));
    EXPECT_EQ("12", Format(SPIN_KIND_INTEGER, 0, 12.0));
    EXPECT_EQ("FF", Format(SPIN_KIND_HEX, 0, 255.9));
    EXPECT_EQ("FFFFFFFF", Format(SPIN_KIND_HEX, 0, -1.0));
}

TEST(SpinFormat, HugeValuesStayInsideTheBuffer)
{
    // Fixed notation of DBL_MAX needs 300+ characters; the text must still fit and read back.
    std::string huge = Format(SPIN_KIND_DECIMAL, 3, DBL_MAX);
    EXPECT_LT(huge.size(), SPIN_FORMAT_BUFFER);
    EXPECT_EQ(DBL_MAX, SpinParseText(SPIN_KIND_DECIMAL, huge.c_str()));
    EXPECT_LT(Format(SPIN_KIND_DECIMAL, 255, 1.5).size(), SPIN_FORMAT_BUFFER);
    EXPECT_EQ("2147483647", Format(SPIN_KIND_INTEGER, 0, 1e300));
    EXPECT_EQ("-2147483648", Format(SPIN_KIND_INTEGER, 0, -DBL_MAX));
    EXPECT_EQ("7FFFFFFF", Format(SPIN_KIND_HEX, 0, 1e300));
    EXPECT_EQ("0", Format(SPIN_KIND_HEX, 0, NAN));

    char tiny[4];
    SpinFormatValue(SPIN_KIND_DECIMAL, 3, -180.0, tiny, sizeof tiny);
    EXPECT_EQ('\0', tiny[3]);
}

TEST(SpinClamp, KeepsTheRangeUnlessUnbounded)
{
    EXPECT_EQ(90.0, SpinClampValue(&Latitude, 100.0));
    EXPECT_EQ(-90.0, SpinClampValue(&Latitude, -300.0));
    EXPECT_EQ(45.5, SpinClampValue(&Latitude, 45.5));
    EXPECT_EQ(1e12, SpinClampValue(&Unbounded, 1e12));
    EXPECT_EQ(-1e12, SpinClampValue(&Unbounded, -1e12));
}

TEST(SpinStep, LargeUpAddsBeforeClampingTheOthersAfter)
{
    EXPECT_NEAR(-89.9, SpinClampValue(&Latitude, SpinStepValue(&Latitude, SPIN_STEP_UP, -300.0)), 1e-9);
    EXPECT_EQ(-90.0, SpinClampValue(&Latitude, SpinStepValue(&Latitude, SPIN_STEP_UP_LARGE, -300.0)));
    EXPECT_EQ(90.0, SpinClampValue(&Latitude, SpinStepValue(&Latitude, SPIN_STEP_UP, 89.95)));
    EXPECT_EQ(-90.0, SpinClampValue(&Latitude, SpinStepValue(&Latitude, SPIN_STEP_DOWN, -90.0)));
    EXPECT_EQ(8.0, SpinClampValue(&Radius, SpinStepValue(&Radius, SPIN_STEP_UP_LARGE, 3.0)));
    EXPECT_EQ(0.0, SpinClampValue(&Radius, SpinStepValue(&Radius, SPIN_STEP_DOWN_LARGE, 3.0)));
    EXPECT_EQ(180.0, SpinClampValue(&Radius, SpinStepValue(&Radius, SPIN_STEP_UP_LARGE, 178.0)));
}

TEST(SpinFilter, AcceptsOnlyTheKindsCharacters)
{
    for (char c : std::string("+-0123456789")) {
        EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_INTEGER, true, c)) << c;
        EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_DECIMAL, true, c)) << c;
        EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_HEX, true, c)) << c;
    }
    for (char c : std::string(".Ee"))
        EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_DECIMAL, true, c)) << c;
    for (char c : std::string("abcdefABCDEF"))
        EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_HEX, true, c)) << c;
    for (char c : std::string(".eEaxX ,/"))
        EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_INTEGER, true, c)) << c;
    for (char c : std::string("aAdDfgxX ,"))
        EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_DECIMAL, true, c)) << c;
    for (char c : std::string(".gGxX "))
        EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_HEX, true, c)) << c;
    EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_DECIMAL, true, 0xB0));
    EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_DECIMAL, true, 0x100 + '5')); // the whole code counts
    EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_INTEGER, true, 0x08));
    EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_INTEGER, true, 0x16)); // Ctrl+V
}

TEST(SpinFilter, ReadOnlyFieldKeepsOnlyControlCodesOtherThanBackspace)
{
    EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_DECIMAL, false, '5'));
    EXPECT_FALSE(SpinAcceptsChar(SPIN_KIND_DECIMAL, false, 0x08));
    EXPECT_TRUE(SpinAcceptsChar(SPIN_KIND_DECIMAL, false, 0x03)); // Ctrl+C
}

} // namespace
