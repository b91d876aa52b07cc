// The settings store against the real registry of the test prefix: creation on first use,
// value round trips, wrong types and sizes, length limits, relative and absolute opening.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const char SubName[] = "VantrelStoreTestSub";

bool KeyExists(const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Writes a value of any type straight into the program's key, as other software might.
void WriteRaw(const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, AppKeyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, (const BYTE *)data, size));
    RegCloseKey(key);
}

class RegStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        RegDeleteTreeA(HKEY_CURRENT_USER, SubName);
        ASSERT_TRUE(RegStoreInit(&store, AppKeyPath));
    }
    void TearDown() override
    {
        RegStoreClose(&store);
        RegDeleteTreeA(HKEY_CURRENT_USER, SubName);
    }
    RegStore store;
};

TEST_F(RegStoreTest, FirstInitCreatesTheKeyAndReadsGiveDefaults)
{
    EXPECT_TRUE(KeyExists(AppKeyPath));
    EXPECT_STREQ(AppKeyPath, store.path);
    EXPECT_EQ(HKEY_CURRENT_USER, store.root);
    EXPECT_EQ((REGSAM)KEY_ALL_ACCESS, store.access);
    EXPECT_EQ(7u, RegStoreGetNumber(&store, "", "3ef", 7));
    EXPECT_EQ(1u, RegStoreGetFlag(&store, "", "3ea", 1));
    char text[260] = "junk";
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "3e8", text, "fallback", sizeof text));
    EXPECT_STREQ("fallback", text);
}

TEST_F(RegStoreTest, ValuesRoundTripWithoutDisturbingTheOpenKey)
{
    HKEY before = store.key;
    EXPECT_TRUE(RegStoreSetNumber(&store, "", "3ef", 0xFFD96C24u));
    EXPECT_TRUE(RegStoreSetFlag(&store, "", "3ea", 1));
    EXPECT_TRUE(RegStoreSetString(&store, "", "3e8", "Z:\\maps\\area.bgl"));
    EXPECT_EQ(before, store.key);
    EXPECT_STREQ(AppKeyPath, store.path);

    EXPECT_EQ(0xFFD96C24u, RegStoreGetNumber(&store, "", "3ef", 0));
    EXPECT_EQ(1u, RegStoreGetFlag(&store, "", "3ea", 0));
    char text[260];
    EXPECT_EQ(sizeof "Z:\\maps\\area.bgl", RegStoreGetString(&store, "", "3e8", text, "", sizeof text));
    EXPECT_STREQ("Z:\\maps\\area.bgl", text);

    // Written as REG_DWORD of exactly four bytes and as REG_SZ with its NUL.
    DWORD type = 0, size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, "3ef", RRF_RT_ANY, &type, NULL, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ(4u, size);
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, "3e8", RRF_RT_ANY, &type, NULL, &size));
    EXPECT_EQ((DWORD)REG_SZ, type);
}

TEST_F(RegStoreTest, WrongTypesAndSizesReadAsDefaults)
{
    WriteRaw("3ea", REG_SZ, "1", 2);
    EXPECT_EQ(0u, RegStoreGetFlag(&store, "", "3ea", 0));

    unsigned long long wide = 5;
    WriteRaw("3ef", REG_QWORD, &wide, sizeof wide);
    EXPECT_EQ(9u, RegStoreGetNumber(&store, "", "3ef", 9));

    DWORD four = 5;
    WriteRaw("3f0", REG_BINARY, &four, sizeof four);
    EXPECT_EQ(9u, RegStoreGetNumber(&store, "", "3f0", 9));
    WriteRaw("3f1", REG_DWORD, &four, 2);
    EXPECT_EQ(9u, RegStoreGetNumber(&store, "", "3f1", 9));

    char text[260];
    WriteRaw("3e8", REG_EXPAND_SZ, "%TEMP%", 7);
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "3e8", text, "default", sizeof text));
    EXPECT_STREQ("default", text);
    WriteRaw("3e9", REG_DWORD, &four, sizeof four);
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "3e9", text, "default", sizeof text));
    EXPECT_STREQ("default", text);
    WriteRaw("3f2", REG_SZ, "", 0); // zero bytes
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "3f2", text, "default", sizeof text));
    EXPECT_STREQ("default", text);
}

TEST_F(RegStoreTest, TextLongerThanTheBufferGivesTheDefault)
{
    std::string longText(300, 'p');
    ASSERT_TRUE(RegStoreSetString(&store, "", "3e8", longText.c_str()));
    char text[260];
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "3e8", text, "short", sizeof text));
    EXPECT_STREQ("short", text);

    // A default that does not fit is cut, never overrun.
    char small[4];
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "missing", small, "defaults", sizeof small));
    EXPECT_STREQ("def", small);
}

TEST_F(RegStoreTest, EmptyTextIsOneByteNotTheDefault)
{
    ASSERT_TRUE(RegStoreSetString(&store, "", "3f2", ""));
    char text[260] = "junk";
    EXPECT_EQ(1u, RegStoreGetString(&store, "", "3f2", text, "default", sizeof text));
    EXPECT_STREQ("", text);
}

TEST_F(RegStoreTest, TextStoredWithoutNulComesBackTerminated)
{
    WriteRaw("3e9", REG_SZ, "Z:\\maps\\", 8);
    char text[260];
    memset(text, 'x', sizeof text);
    // Windows reports the 8 stored bytes; Wine's ANSI conversion adds a NUL and reports 9.
    DWORD count = RegStoreGetString(&store, "", "3e9", text, "", sizeof text);
    EXPECT_TRUE(count == 8 || count == 9) << count;
    EXPECT_STREQ("Z:\\maps\\", text);

    // Exactly as long as the buffer: no room for the NUL, so the default.
    char eight[8];
    WriteRaw("3f2", REG_SZ, "abcdefgh", 8);
    EXPECT_EQ(0u, RegStoreGetString(&store, "", "3f2", eight, "d", sizeof eight));
    EXPECT_STREQ("d", eight);
}

TEST_F(RegStoreTest, RelativeAndAbsoluteOpen)
{
    ASSERT_TRUE(RegStoreOpen(&store, SubName, true));
    EXPECT_EQ(std::string(AppKeyPath) + "\\" + SubName, store.path);
    EXPECT_TRUE(KeyExists((std::string(AppKeyPath) + "\\" + SubName).c_str()));
    EXPECT_FALSE(KeyExists(SubName));
    ASSERT_TRUE(RegStoreSetNumber(&store, "", "n", 42));
    EXPECT_EQ(42u, RegStoreGetNumber(&store, "", "n", 0));

    ASSERT_TRUE(RegStoreOpen(&store, (std::string("\\") + SubName).c_str(), true));
    EXPECT_STREQ(SubName, store.path);
    EXPECT_TRUE(KeyExists(SubName));
    EXPECT_EQ(0u, RegStoreGetNumber(&store, "", "n", 0)); // a different key now

    // Sub-key paths of value operations resolve the same way.
    EXPECT_TRUE(RegStoreSetNumber(&store, "Deeper", "d", 3));
    EXPECT_EQ(3u, RegStoreGetNumber(&store, "Deeper", "d", 0));
    EXPECT_EQ(3u, RegStoreGetNumber(&store, (std::string("\\") + SubName + "\\Deeper").c_str(), "d", 0));
}

TEST_F(RegStoreTest, FailingOpenLeavesTheOpenKeyUsable)
{
    HKEY before = store.key;
    EXPECT_FALSE(RegStoreOpen(&store, "DoesNotExist", false));
    EXPECT_FALSE(RegStoreOpen(&store, std::string(600, 'k').c_str(), true)); // over-long path
    EXPECT_EQ(before, store.key);
    EXPECT_STREQ(AppKeyPath, store.path);
    EXPECT_TRUE(RegStoreSetNumber(&store, "", "3f1", 12));
    EXPECT_EQ(12u, RegStoreGetNumber(&store, "", "3f1", 0));
}

TEST_F(RegStoreTest, OverlongSubkeyPathIsAFailedOperation)
{
    std::string tooLong(256, 's');
    EXPECT_FALSE(RegStoreSetNumber(&store, tooLong.c_str(), "n", 1));
    EXPECT_EQ(5u, RegStoreGetNumber(&store, tooLong.c_str(), "n", 5));
    char text[16];
    EXPECT_EQ(0u, RegStoreGetString(&store, tooLong.c_str(), "t", text, "d", sizeof text));
    EXPECT_STREQ("d", text);
    EXPECT_FALSE(RegStoreCreateSubkey(&store, std::string(512, 's').c_str()));
}

TEST_F(RegStoreTest, CloseTwiceIsHarmless)
{
    RegStoreClose(&store);
    EXPECT_EQ(nullptr, store.key);
    EXPECT_STREQ("", store.path);
    RegStoreClose(&store);
    EXPECT_EQ(nullptr, store.key);
}

TEST(RegStoreWithoutKey, ValuesGoStraightIntoTheRoot)
{
    // An init that cannot open its key leaves the store without one: "" then means the root.
    RegStore store;
    EXPECT_FALSE(RegStoreInit(&store, std::string(600, 'k').c_str()));
    EXPECT_EQ(nullptr, store.key);
    EXPECT_TRUE(RegStoreSetNumber(&store, "", "VantrelStoreTestValue", 77));
    HKEY root;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &root));
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(root, "VantrelStoreTestValue", NULL, NULL, (BYTE *)&value, &size));
    EXPECT_EQ(77u, value);
    RegDeleteValueA(root, "VantrelStoreTestValue");
    RegCloseKey(root);
    RegStoreClose(&store);
}

} // namespace
