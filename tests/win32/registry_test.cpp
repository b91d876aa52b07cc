// The settings store and the panel against the real registry of the test prefix: values of
// the wrong type, size or length, keys opened relative and absolute, and values other software
// left out of range.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctype.h>
#include <string.h>

#include <string>
#include <vector>

#include "resource.h"
#include "settings/regstore.h"
#include "support.h"

namespace {

const std::string Sub = "VantrelStoreTestSub";

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str());
        ASSERT_TRUE(RegStoreInit(&store, AppKeyPath));
    }
    void TearDown() override { RegStoreClose(&store), RegDeleteTreeA(HKEY_CURRENT_USER, Sub.c_str()); }
    // The text read into `size` bytes of a buffer full of 'x', and what the store returned.
    std::string Read(const char *name, DWORD size = 260)
    {
        std::string text(size, 'x');
        DWORD count = RegStoreGetString(&store, "", name, &text[0], "default", size);
        return text.substr(0, strnlen(text.c_str(), size)) + " " + std::to_string(count);
    }
    DWORD Number(const char *name) { return RegStoreGetNumber(&store, "", name, 9); }
    RegStore store;
};

TEST_F(Registry, WrongTypesSizesAndLengthsReadAsDefaults)
{
    const struct { const char *name; DWORD type; std::string bytes; const char *expected; } rows[] = {
        {"3ea", REG_SZ, std::string("1", 2), "9"},
        {"3ef", REG_QWORD, std::string("\5\0\0\0\0\0\0\0", 8), "9"},
        {"3f0", REG_BINARY, std::string("\5\0\0\0", 4), "9"},
        {"3f1", REG_DWORD, std::string("\5\0", 2), "9"},
        {"3e8", REG_EXPAND_SZ, std::string("%TEMP%", 7), "default 0"},
        {"3e9", REG_DWORD, std::string("\5\0\0\0", 4), "default 0"},
        {"3ee", REG_SZ, "", "default 0"},
        {"3f2", REG_SZ, std::string(300, 'p') + '\0', "default 0"}, // 301 bytes for 260
        {"3ec", REG_SZ, "Z:\\maps\\", "Z:\\maps\\ 9"},               // without its NUL
        {"3eb", REG_SZ, std::string("", 1), " 1"},                   // empty is a text, not the default
    };
    for (const auto &row : rows) {
        WriteProgramValue(row.name, row.type, row.bytes.data(), (DWORD)row.bytes.size());
        bool number = isdigit(row.expected[0]);
        EXPECT_EQ(row.expected, number ? std::to_string(Number(row.name)) : Read(row.name))
            << row.name;
    }
    EXPECT_EQ("def 0", Read("missing", 4)); // the default is cut to fit
}

TEST_F(Registry, RelativeAndAbsoluteOpenAndFailuresThatChangeNothing)
{
    ASSERT_TRUE(RegStoreOpen(&store, Sub.c_str(), true));
    EXPECT_EQ(std::string(AppKeyPath) + "\\" + Sub, store.path);
    ASSERT_TRUE(RegStoreSetNumber(&store, "Deeper", "n", 42));
    ASSERT_TRUE(RegStoreOpen(&store, ("\\" + Sub).c_str(), true));
    EXPECT_EQ(0u, RegStoreGetNumber(&store, "Deeper", "n", 0)); // a different key
    std::string absolute = "\\" + std::string(AppKeyPath) + "\\" + Sub + "\\Deeper";
    EXPECT_EQ(42u, RegStoreGetNumber(&store, absolute.c_str(), "n", 0));
    HKEY before = store.key;
    EXPECT_FALSE(RegStoreOpen(&store, "DoesNotExist", false));
    EXPECT_FALSE(RegStoreOpen(&store, std::string(600, 'k').c_str(), true));
    EXPECT_EQ(before, store.key);
    EXPECT_EQ(Sub, store.path);
    EXPECT_FALSE(RegStoreSetNumber(&store, std::string(256, 's').c_str(), "n", 1));
    RegStoreClose(&store);
    RegStoreClose(&store);
    EXPECT_EQ(nullptr, store.key);
}

// Numbers out of range that other software stored are clamped when read; Escape while typing
// saves the text as typed, and a 600-character path as much of it as the panel keeps.
TEST_F(Registry, PanelClampsWhatItReadsAndCutsLongPaths)
{
    DWORD radius = 500, longitude = (DWORD)-9000000, quiet = 7; // any non-zero number ticks the box
    WriteProgramValue("3f1", REG_DWORD, &radius, 4);
    WriteProgramValue("3f0", REG_DWORD, &longitude, 4);
    WriteProgramValue("3ea", REG_DWORD, &quiet, 4);
    HWND dialog = CreateMainDialog();
    ASSERT_NE(nullptr, dialog);
    char text[16] = "";
    GetDlgItemTextA(dialog, IDC_CENTER_LON, text, sizeof text);
    EXPECT_STREQ("-180.000", text);
    GetDlgItemTextA(dialog, IDC_RADIUS, text, sizeof text);
    EXPECT_STREQ("180", text);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_QUIET));
    HWND latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
    EnableWindow(latitude, TRUE);
    SetFocus(latitude);
    SetWindowTextA(latitude, "200");
    std::string path = "Z:\\" + std::string(597, 'p');
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, path.c_str());
    MSG escape = {latitude, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
    ASSERT_TRUE(IsDialogMessageA(dialog, &escape));
    EXPECT_EQ(path.substr(0, 511) + " 512", Read("3e8", 600));
    EXPECT_EQ((std::vector<DWORD>{11113055, (DWORD)-8388608, 1}), (std::vector<DWORD>{Number("3ef"), Number("3f0"), Number("3ea")}));
    DestroyWindow(dialog);
}

} // namespace
