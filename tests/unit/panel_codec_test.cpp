// Registry encodings of the panel: value names, latitude/longitude/radius integers, folders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "panel/core/panel_codec.h"
#include "panel/core/spin_text.h"

namespace {

std::string Restored(double value)
{
    char text[SPIN_FORMAT_BUFFER];
    SpinFormatValue(SPIN_KIND_DECIMAL, 3, value, text, sizeof text);
    return text;
}

TEST(PanelCodec, ValueNamesAreLowerCaseHex)
{
    char name[32];
    SettingValueName(1000, name, sizeof name);
    EXPECT_STREQ("3e8", name);
    SettingValueName(1010, name, sizeof name);
    EXPECT_STREQ("3f2", name);
}

TEST(PanelCodec, KnownEncodings)
{
    EXPECT_EQ((uint32_t)-2528220, EncodeLatitude(-45.5));
    EXPECT_EQ("-45.500", Restored(DecodeLatitude(EncodeLatitude(-45.5))));
    EXPECT_EQ((uint32_t)-8388608, EncodeLongitude(-180.0));
    EXPECT_EQ(8388608u, EncodeLongitude(180.0));
    EXPECT_EQ(5000875u, EncodeLatitude(90.0));
    EXPECT_EQ(11113055u, EncodeLatitude(200.0));
    EXPECT_EQ(-180.0, DecodeLongitude(EncodeLongitude(-180.0)));
    EXPECT_EQ(12u, EncodeRadius(12.9));
    EXPECT_EQ(500.0, DecodeRadius(500));
    EXPECT_EQ(-1.0, DecodeRadius(0xFFFFFFFFu));
}

TEST(PanelCodec, EveryThreeDecimalValueComesBackWithTheSameText)
{
    for (int thousandths = -180000; thousandths <= 180000; thousandths++) {
        char text[16];
        snprintf(text, sizeof text, "%0.3f", thousandths / 1000.0);
        double value = atof(text);
        ASSERT_EQ(text, Restored(DecodeLongitude(EncodeLongitude(value)))) << "longitude";
        if (thousandths >= -90000 && thousandths <= 90000)
            ASSERT_EQ(text, Restored(DecodeLatitude(EncodeLatitude(value)))) << "latitude";
    }
}

TEST(PanelCodec, OutOfRangeNumbersDoNotOverflow)
{
    EXPECT_EQ(0u, EncodeLatitude(NAN));
    EXPECT_EQ(0xFFFFFFFFu, EncodeRadius(1e300));   // low 32 bits of the largest 64-bit integer
    EXPECT_EQ(0u, EncodeRadius(-1e300));           // low 32 bits of the smallest
    EXPECT_EQ(INT32_MAX, TruncateToInt32(1e300));
    EXPECT_EQ(INT32_MIN, TruncateToInt32(-1e300));
    EXPECT_EQ(12, TruncateToInt32(12.9));
    EXPECT_EQ(0, TruncateToInt32(-0.5));
}

TEST(PanelCodec, FolderIsThePathUpToTheFileName)
{
    char folder[260];
    FolderOfPath("C:\\maps\\area.bgl", 8, folder, sizeof folder);
    EXPECT_STREQ("C:\\maps\\", folder);
    FolderOfPath("C:\\area.bgl", 3, folder, sizeof folder);
    EXPECT_STREQ("C:\\", folder);

    char small[4];
    FolderOfPath("C:\\maps\\area.bgl", 8, small, sizeof small);
    EXPECT_STREQ("C:\\", small);
    FolderOfPath("C:", 100, folder, sizeof folder); // offset past the end
    EXPECT_STREQ("C:", folder);

    char same[32] = "Z:\\tmp\\out.xml";
    FolderOfPath(same, 7, same, sizeof same);
    EXPECT_STREQ("Z:\\tmp\\", same);
}

} // namespace
