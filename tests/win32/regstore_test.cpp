// The settings store against the real registry of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const std::string Sub = "VantrelStoreTestSub";

bool KeyExists(const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// A value of any type straight into the program's key, as other software might write it.
void WriteRaw(const char *name, DWORD type, const void *data, DWORD size)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, name, type, data, size);
}

class RegStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str());
        ASSERT_TRUE(RegStoreInit(&store, AppKeyPath));
    }
    void TearDown() override { RegStoreClose(&store); }
    DWORD GetString(const char *name, char *text, DWORD size)
    {
        return RegStoreGetString(&store, "", name, text, "default", size);
    }
    RegStore store;
    char text[260];
};

TEST_F(RegStoreTest, FirstInitCreatesTheKeyAndValuesRoundTrip)
{
    EXPECT_TRUE(KeyExists(AppKeyPath));
    EXPECT_STREQ(AppKeyPath, store.path);
    EXPECT_EQ(7u, RegStoreGetNumber(&store, "", "3ef", 7));
    EXPECT_EQ(0u, GetString("3e8", text, sizeof text));
    EXPECT_STREQ("default", text);

    HKEY before = store.key;
    EXPECT_TRUE(RegStoreSetNumber(&store, "", "3ef", 0xFFD96C24u));
    EXPECT_TRUE(RegStoreSetFlag(&store, "", "3ea", 1));
    EXPECT_TRUE(RegStoreSetString(&store, "", "3e8", "Z:\\maps\\area.bgl"));
    EXPECT_EQ(before, store.key); // each value operation used a handle of its own
    EXPECT_EQ(0xFFD96C24u, RegStoreGetNumber(&store, "", "3ef", 0));
    EXPECT_EQ(1u, RegStoreGetFlag(&store, "", "3ea", 0));
    EXPECT_EQ(sizeof "Z:\\maps\\area.bgl", GetString("3e8", text, sizeof text));
    EXPECT_STREQ("Z:\\maps\\area.bgl", text);

    EXPECT_TRUE(RegStoreSetString(&store, "", "3f2", "")); // one byte, not the default
    EXPECT_EQ(1u, GetString("3f2", text, sizeof text));
    EXPECT_STREQ("", text);
}

TEST_F(RegStoreTest, WrongTypesSizesAndLengthsReadAsDefaults)
{
    unsigned long long wide = 5;
    DWORD four = 5;
    WriteRaw("3ea", REG_SZ, "1", 2);
    WriteRaw("3ef", REG_QWORD, &wide, sizeof wide);
    WriteRaw("3f0", REG_BINARY, &four, sizeof four);
    WriteRaw("3f1", REG_DWORD, &four, 2);
    for (const char *name : {"3ea", "3ef", "3f0", "3f1"})
        EXPECT_EQ(9u, RegStoreGetNumber(&store, "", name, 9)) << name;

    WriteRaw("3e8", REG_EXPAND_SZ, "%TEMP%", 7);
    WriteRaw("3e9", REG_DWORD, &four, sizeof four);
    WriteRaw("3ee", REG_SZ, "", 0);
    WriteRaw("3f2", REG_SZ, std::string(300, 'p').c_str(), 301);
    for (const char *name : {"3e8", "3e9", "3ee", "3f2"}) {
        EXPECT_EQ(0u, GetString(name, text, sizeof text)) << name;
        EXPECT_STREQ("default", text) << name;
    }
    char small[4];
    EXPECT_EQ(0u, GetString("missing", small, sizeof small)); // the default is cut to fit
    EXPECT_STREQ("def", small);

    WriteRaw("3e9", REG_SZ, "Z:\\maps\\", 8); // without its NUL
    memset(text, 'x', sizeof text);
    EXPECT_NE(0u, GetString("3e9", text, sizeof text));
    EXPECT_STREQ("Z:\\maps\\", text);
}

TEST_F(RegStoreTest, RelativeAndAbsoluteOpen)
{
    ASSERT_TRUE(RegStoreOpen(&store, Sub.c_str(), true));
    EXPECT_EQ(std::string(AppKeyPath) + "\\" + Sub, store.path);
    EXPECT_TRUE(KeyExists(store.path));
    ASSERT_TRUE(RegStoreSetNumber(&store, "Deeper", "n", 42));

    ASSERT_TRUE(RegStoreOpen(&store, ("\\" + Sub).c_str(), true));
    EXPECT_EQ(Sub, store.path);
    EXPECT_EQ(0u, RegStoreGetNumber(&store, "Deeper", "n", 0)); // a different key
    std::string absolute = "\\" + std::string(AppKeyPath) + "\\" + Sub + "\\Deeper";
    EXPECT_EQ(42u, RegStoreGetNumber(&store, absolute.c_str(), "n", 0));
    RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str());
}

TEST_F(RegStoreTest, FailedOperationsChangeNothing)
{
    HKEY before = store.key;
    EXPECT_FALSE(RegStoreOpen(&store, "DoesNotExist", false));
    EXPECT_FALSE(RegStoreOpen(&store, std::string(600, 'k').c_str(), true));
    EXPECT_EQ(before, store.key);
    EXPECT_STREQ(AppKeyPath, store.path);
    EXPECT_TRUE(RegStoreSetNumber(&store, "", "3f1", 12)); // still usable

    std::string tooLong(256, 's');
    EXPECT_FALSE(RegStoreSetNumber(&store, tooLong.c_str(), "n", 1));
    EXPECT_EQ(5u, RegStoreGetNumber(&store, tooLong.c_str(), "n", 5));

    RegStoreClose(&store);
    RegStoreClose(&store);
    EXPECT_EQ(nullptr, store.key);
    EXPECT_STREQ("", store.path);
}

} // namespace
