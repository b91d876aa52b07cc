// The settings store against the real registry of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctype.h>
#include <string.h>

#include <string>

#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const std::string Sub = "VantrelStoreTestSub";

class RegStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str());
        ASSERT_TRUE(RegStoreInit(&store, AppKeyPath));
    }
    void TearDown() override { RegStoreClose(&store), RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str()); }
    // The text read into `size` bytes of a buffer full of 'x'; `count` gets what the store returned.
    std::string Read(const char *name, DWORD size = 260)
    {
        char text[260];
        memset(text, 'x', sizeof text);
        count = RegStoreGetString(&store, "", name, text, "default", size);
        return std::string(text, strnlen(text, sizeof text));
    }
    DWORD count = 0;
    RegStore store;
};

TEST_F(RegStoreTest, InitCreatesTheKeyAndTextsRoundTrip)
{
    EXPECT_TRUE(KeyExists(AppKeyPath));
    EXPECT_STREQ(AppKeyPath, store.path);
    HKEY before = store.key;
    // The panel's tests round-trip every value through the store; here what they cannot see.
    EXPECT_TRUE(RegStoreSetString(&store, "", "3e8", "Z:\\maps\\area.bgl"));
    EXPECT_TRUE(RegStoreSetString(&store, "", "3f2", ""));
    EXPECT_EQ(before, store.key); // each value operation used a handle of its own
    EXPECT_EQ("Z:\\maps\\area.bgl", Read("3e8"));
    EXPECT_EQ(17u, count);
    EXPECT_EQ("", Read("3f2"));
    EXPECT_EQ(1u, count); // an empty text is one byte, not the default
    EXPECT_EQ("def", Read("missing", 4)); // the default is cut to fit
}

TEST_F(RegStoreTest, WrongTypesSizesAndLengthsReadAsDefaults)
{
    const struct { const char *name; DWORD type; std::string bytes; const char *expected; } rows[] = {
        {"3ea", REG_SZ, std::string("1", 2), "9"},
        {"3ef", REG_QWORD, std::string("\5\0\0\0\0\0\0\0", 8), "9"},
        {"3f0", REG_BINARY, std::string("\5\0\0\0", 4), "9"},
        {"3f1", REG_DWORD, std::string("\5\0", 2), "9"},
        {"3e8", REG_EXPAND_SZ, std::string("%TEMP%", 7), "default"},
        {"3e9", REG_DWORD, std::string("\5\0\0\0", 4), "default"},
        {"3ee", REG_SZ, "", "default"},
        {"3f2", REG_SZ, std::string(300, 'p') + '\0', "default"}, // 301 bytes for 260
        {"3ec", REG_SZ, "Z:\\maps\\", "Z:\\maps\\"},                // without its NUL
    };
    for (const auto &row : rows) {
        WriteProgramValue(row.name, row.type, row.bytes.data(), (DWORD)row.bytes.size());
        bool number = isdigit(row.expected[0]);
        std::string got = number ? std::to_string(RegStoreGetNumber(&store, "", row.name, 9)) : Read(row.name);
        EXPECT_EQ(row.expected, got) << row.name;
        EXPECT_TRUE(number || (count == 0) == (got == "default")) << row.name << " returned " << count;
    }
}

TEST_F(RegStoreTest, RelativeAndAbsoluteOpenAndFailuresThatChangeNothing)
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

    HKEY before = store.key;
    EXPECT_FALSE(RegStoreOpen(&store, "DoesNotExist", false));
    EXPECT_FALSE(RegStoreOpen(&store, std::string(600, 'k').c_str(), true));
    EXPECT_EQ(before, store.key);
    EXPECT_EQ(Sub, store.path);
    EXPECT_TRUE(RegStoreSetNumber(&store, "", "n", 12)); // still usable
    std::string tooLong(256, 's');
    EXPECT_FALSE(RegStoreSetNumber(&store, tooLong.c_str(), "n", 1));
    EXPECT_EQ(5u, RegStoreGetNumber(&store, tooLong.c_str(), "n", 5));

    RegStoreClose(&store);
    RegStoreClose(&store);
    EXPECT_EQ(nullptr, store.key);
    EXPECT_STREQ("", store.path);
}

} // namespace
