// The pure side of the panel and the settings store: what the Win32 tests cannot reach under
// Wine (numbers beyond the ranges, text buffers at their limits, registry text without a NUL).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "panel/core/panel_codec.h"
#include "panel/core/spin_text.h"
#include "settings/core/key_path.h"

namespace {

std::string Format(unsigned char kind, unsigned char decimals, double value)
{
    char text[SPIN_FORMAT_BUFFER];
    SpinFormatValue(kind, decimals, value, text, sizeof text);
    return text;
}

TEST(SpinText, ReadsAndWritesNumbersBeyondTheRangesWithinTheBuffer)
{
    EXPECT_EQ(2147483647.0, SpinParseText(SPIN_INTEGER, "99999999999999999999"));
    EXPECT_EQ(-2147483648.0, SpinParseText(SPIN_INTEGER, "-99999999999999999999"));
    EXPECT_EQ(3.0, SpinParseText(SPIN_DECIMAL, "3e"));
    for (const char *word : {"nan", "inf", "0x1p3", ".", "-"})
        EXPECT_EQ(0.0, SpinParseText(SPIN_DECIMAL, word)) << word;
    EXPECT_EQ(-1.0, SpinParseText(SPIN_HEX, "FFFFFFFF"));
    EXPECT_EQ(255.0, SpinParseText(SPIN_HEX, "0xff"));
    EXPECT_EQ(0x23456789 * 1.0, SpinParseText(SPIN_HEX, "123456789"));
    std::string huge = Format(SPIN_DECIMAL, 3, DBL_MAX);
    EXPECT_LT(huge.size(), SPIN_FORMAT_BUFFER);
    EXPECT_EQ(DBL_MAX, SpinParseText(SPIN_DECIMAL, huge.c_str()));
    EXPECT_LT(Format(SPIN_DECIMAL, 255, 1.5).size(), SPIN_FORMAT_BUFFER);
    EXPECT_EQ("-2147483648", Format(SPIN_INTEGER, 0, -DBL_MAX));
    EXPECT_EQ("7FFFFFFF", Format(SPIN_HEX, 0, 1e300));
    EXPECT_EQ("0", Format(SPIN_HEX, 0, NAN));
}

TEST(PanelCodec, EveryThreeDecimalValueComesBackWithTheSameText)
{
    for (int thousandths = -180000; thousandths <= 180000; thousandths++) {
        char text[16];
        snprintf(text, sizeof text, "%0.3f", thousandths / 1000.0);
        ASSERT_EQ(text, Format(SPIN_DECIMAL, 3, DecodeLongitude(EncodeLongitude(atof(text)))));
        if (abs(thousandths) <= 90000)
            ASSERT_EQ(text, Format(SPIN_DECIMAL, 3, DecodeLatitude(EncodeLatitude(atof(text)))));
    }
}

TEST(PanelCodec, OutOfRangeNumbersAndShortBuffersDoNotOverflow)
{
    EXPECT_EQ(0u, EncodeLatitude(NAN));
    EXPECT_EQ(0xFFFFFFFFu, EncodeRadius(1e300)); // low 32 bits of the largest 64-bit integer
    EXPECT_EQ(INT32_MIN, TruncateToInt32(-1e300));
    EXPECT_EQ(0, TruncateToInt32(-0.5));
    char folder[4];
    FolderOfPath("C:\\maps\\area.bgl", 8, folder, sizeof folder);
    EXPECT_STREQ("C:\\", folder);

    char out[1024];
    std::string limit(KEY_PATH_MAX, 'k');
    EXPECT_TRUE(ResolveKeyPath(("\\" + limit.substr(1)).c_str(), KEY_PATH_MAX, out, sizeof out));
    EXPECT_FALSE(ResolveKeyPath((limit + "k").c_str(), KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("", out);
    std::string base(300, 'b'), relative(211, 'r'); // joined: 512 characters
    EXPECT_FALSE(JoinKeyPath(base.c_str(), relative.c_str(), KEY_PATH_MAX, out, sizeof out));
    relative.pop_back();
    EXPECT_TRUE(JoinKeyPath(base.c_str(), relative.c_str(), KEY_PATH_MAX, out, sizeof out));

    // Wine's registry adds the NUL itself; Windows hands the stored bytes back as they are.
    char text[8] = {'a', 'b', 'c', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(3u, TerminateRegistryText(text, sizeof text, 3));
    EXPECT_STREQ("abc", text);
    EXPECT_EQ(0u, TerminateRegistryText(text, sizeof text, 8)); // no room left for the NUL
}

} // namespace
