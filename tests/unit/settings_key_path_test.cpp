// Key paths of the settings store: relative or absolute, length limits, joins, and text
// coming back from the registry without its terminating NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/core/key_path.h"

namespace {

TEST(KeyPath, LeadingBackslashMakesAPathAbsolute)
{
    EXPECT_TRUE(IsRelativeKeyPath(""));
    EXPECT_TRUE(IsRelativeKeyPath("Sub\\Deeper"));
    EXPECT_FALSE(IsRelativeKeyPath("\\Sub"));

    char out[512];
    ASSERT_TRUE(ResolveKeyPath("\\Sub", KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("Sub", out);
    ASSERT_TRUE(ResolveKeyPath("Sub", KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("Sub", out);
    ASSERT_TRUE(ResolveKeyPath("\\\\Sub", KEY_PATH_MAX, out, sizeof out)); // only one is removed
    EXPECT_STREQ("\\Sub", out);
}

TEST(KeyPath, OverlongPathFailsInsteadOfOverrunning)
{
    char out[512];
    std::string limit(KEY_PATH_MAX, 'k'), over(KEY_PATH_MAX + 1, 'k');
    EXPECT_TRUE(ResolveKeyPath(limit.c_str(), KEY_PATH_MAX, out, sizeof out));
    EXPECT_EQ(limit, out);
    EXPECT_FALSE(ResolveKeyPath(over.c_str(), KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("", out);
    std::string subkey(SUBKEY_PATH_MAX + 1, 's');
    EXPECT_FALSE(ResolveKeyPath(subkey.c_str(), SUBKEY_PATH_MAX, out, sizeof out));
    char small[8];
    EXPECT_FALSE(ResolveKeyPath("LongerThan7", KEY_PATH_MAX, small, sizeof small));
}

TEST(KeyPath, JoinPutsOneBackslashBetweenAndHonoursTheLimit)
{
    char out[1024];
    ASSERT_TRUE(JoinKeyPath("Software\\Halvorik\\Vantrel", "Sub", KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("Software\\Halvorik\\Vantrel\\Sub", out);
    ASSERT_TRUE(JoinKeyPath("", "Sub", KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("Sub", out);

    std::string base(300, 'b'), relative(211, 'r'); // 300 + 1 + 211 = 512 > 511
    EXPECT_FALSE(JoinKeyPath(base.c_str(), relative.c_str(), KEY_PATH_MAX, out, sizeof out));
    EXPECT_STREQ("", out);
    relative.pop_back();
    EXPECT_TRUE(JoinKeyPath(base.c_str(), relative.c_str(), KEY_PATH_MAX, out, sizeof out));
    EXPECT_EQ(KEY_PATH_MAX, strlen(out));
}

TEST(RegistryText, StoredWithoutNulComesBackTerminated)
{
    char buffer[8];
    memcpy(buffer, "abcxxxxx", 8);
    EXPECT_EQ(3u, TerminateRegistryText(buffer, sizeof buffer, 3));
    EXPECT_STREQ("abc", buffer);

    memcpy(buffer, "abc\0xxxx", 8);
    EXPECT_EQ(4u, TerminateRegistryText(buffer, sizeof buffer, 4));
    EXPECT_STREQ("abc", buffer);

    memcpy(buffer, "abcdefgh", 8); // fills the buffer, no room for the NUL
    EXPECT_EQ(0u, TerminateRegistryText(buffer, sizeof buffer, 8));
    EXPECT_EQ(0u, TerminateRegistryText(buffer, sizeof buffer, 0));
    EXPECT_EQ(0u, TerminateRegistryText(buffer, sizeof buffer, 9));
}

} // namespace
