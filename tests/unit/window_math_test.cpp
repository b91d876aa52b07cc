// Centring arithmetic and the cutting of version values.
#include <gtest/gtest.h>

#include <string.h>

#include "panel/core/centering.h"
#include "panel/core/version_text.h"

TEST(CenteredOrigin, HalvesEachSizeBeforeSubtracting)
{
    ScreenPoint p = CenteredOrigin(1024, 768, 301, 201);
    EXPECT_EQ(362, p.x);
    EXPECT_EQ(284, p.y);
}

TEST(CenteredOrigin, WindowLargerThanScreenGetsNegativeOrigin)
{
    ScreenPoint p = CenteredOrigin(1024, 768, 1501, 1001);
    EXPECT_EQ(512 - 750, p.x);
    EXPECT_EQ(384 - 500, p.y);
}

TEST(CopyVersionValue, CopiesTheRecordedLengthOnly)
{
    char field[256];
    memset(field, 'x', sizeof field);
    CopyVersionValue(field, sizeof field, "Vantrel and more", 7);
    EXPECT_STREQ("Vantrel", field);
}

TEST(CopyVersionValue, CutsLongValuesTo255Characters)
{
    char text[400];
    memset(text, 'a', sizeof text);
    char field[256];
    CopyVersionValue(field, sizeof field, text, sizeof text);
    EXPECT_EQ(255u, strlen(field));
}

TEST(CopyVersionValue, StopsAtTheTerminatorAndToleratesNull)
{
    char field[256];
    CopyVersionValue(field, sizeof field, "1, 1, 0, 13", 12); // the length may count the NUL
    EXPECT_STREQ("1, 1, 0, 13", field);
    CopyVersionValue(field, sizeof field, nullptr, 5);
    EXPECT_STREQ("", field);
}
