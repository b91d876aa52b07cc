// The panel restored from and stored into the real registry of the test prefix, through the
// real main dialog: first run, round trip of every value, encodings, clamping, wrong types.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "panel/panel.h"
#include "panel/spin_field.h"
#include "resource.h"
#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const int Boxes[] = {IDC_QUIET, IDC_FEET, IDC_MILES, IDC_DMS, IDC_PARTIAL};
const int Numeric[] = {IDC_CENTER_LAT, IDC_CENTER_LON, IDC_RADIUS};

bool ReadNumber(const char *name, DWORD *value)
{
    DWORD size = sizeof *value;
    return RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_REG_DWORD, NULL, value, &size) == ERROR_SUCCESS;
}

DWORD StoredNumber(const char *name)
{
    DWORD value = 0xDEADBEEF;
    EXPECT_TRUE(ReadNumber(name, &value)) << name;
    return value;
}

std::string StoredText(const char *name)
{
    char text[2048] = "";
    DWORD size = sizeof text;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_REG_SZ, NULL, text, &size));
    return text;
}

void WriteRaw(const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, AppKeyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegSetValueExA(key, name, 0, type, (const BYTE *)data, size);
    RegCloseKey(key);
}

void WriteNumber(const char *name, DWORD value)
{
    WriteRaw(name, REG_DWORD, &value, sizeof value);
}

class PanelSettings : public ::testing::Test {
protected:
    void SetUp() override { DeleteProgramKey(); }
    void TearDown() override { Close(); }
    void Open()
    {
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
    }
    void Close()
    {
        if (dialog)
            DestroyWindow(dialog);
        dialog = nullptr;
    }
    // Dismisses the panel the way the user does (IDCANCEL saves), then opens it again.
    void Reopen()
    {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Close();
        Open();
    }
    std::string Text(int id) { return WindowText(GetDlgItem(dialog, id)); }
    bool Checked(int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }
    HWND dialog = nullptr;
};

TEST_F(PanelSettings, FirstRunCreatesTheKeyAndShowsTheDefaults)
{
    Open();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, AppKeyPath, 0, KEY_READ, &key));
    DWORD values = 99;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    EXPECT_EQ(0u, values); // loading writes nothing

    EXPECT_EQ("", Text(IDC_INPUT_FILE));
    for (int id : Boxes)
        EXPECT_FALSE(Checked(id)) << id;
    for (int id : Numeric)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ("0.000", Text(IDC_CENTER_LAT));
    EXPECT_EQ("0.000", Text(IDC_CENTER_LON));
    EXPECT_EQ("0", Text(IDC_RADIUS));
}

TEST_F(PanelSettings, EveryValueRoundTrips)
{
    Open();
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, "Z:\\maps\\area one.bgl");
    for (int id : Boxes)
        CheckDlgButton(dialog, id, BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_CENTER_LAT, "-45.500");
    SetDlgItemTextA(dialog, IDC_CENTER_LON, "-180.000");
    SetDlgItemTextA(dialog, IDC_RADIUS, "12");
    Reopen();

    EXPECT_EQ("Z:\\maps\\area one.bgl", StoredText("3e8"));
    for (const char *name : {"3ea", "3eb", "3ec", "3ed", "3ee"})
        EXPECT_EQ(1u, StoredNumber(name)) << name;
    EXPECT_EQ((DWORD)-2528220, StoredNumber("3ef"));
    EXPECT_EQ((DWORD)-8388608, StoredNumber("3f0"));
    EXPECT_EQ(12u, StoredNumber("3f1"));

    EXPECT_EQ("Z:\\maps\\area one.bgl", Text(IDC_INPUT_FILE));
    for (int id : Boxes)
        EXPECT_TRUE(Checked(id)) << id;
    for (int id : Numeric)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ("-45.500", Text(IDC_CENTER_LAT));
    EXPECT_EQ("-180.000", Text(IDC_CENTER_LON));
    EXPECT_EQ("12", Text(IDC_RADIUS));

    // And back to clear: each box is stored on its own, not all-or-nothing.
    CheckDlgButton(dialog, IDC_FEET, BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PARTIAL, BST_UNCHECKED);
    SetDlgItemTextA(dialog, IDC_CENTER_LON, "180.000");
    Reopen();
    EXPECT_EQ(0u, StoredNumber("3eb"));
    EXPECT_EQ(0u, StoredNumber("3ee"));
    EXPECT_EQ(1u, StoredNumber("3ea"));
    EXPECT_EQ(8388608u, StoredNumber("3f0"));
    EXPECT_FALSE(Checked(IDC_FEET));
    EXPECT_TRUE(Checked(IDC_MILES));
    for (int id : Numeric)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ("180.000", Text(IDC_CENTER_LON));
}

TEST_F(PanelSettings, ValuesOutsideTheRangesAreClampedWhenRestored)
{
    WriteNumber("3f1", 500);
    WriteNumber("3ef", 11113055);      // 200 degrees
    WriteNumber("3f0", (DWORD)-9000000); // beyond -180
    WriteNumber("3ea", 7);             // any non-zero number is checked
    Open();
    EXPECT_EQ("180", Text(IDC_RADIUS));
    EXPECT_EQ("90.000", Text(IDC_CENTER_LAT));
    EXPECT_EQ("-180.000", Text(IDC_CENTER_LON));
    EXPECT_TRUE(Checked(IDC_QUIET));
}

TEST_F(PanelSettings, WrongTypesRestoreAsDefaults)
{
    WriteRaw("3ee", REG_SZ, "1", 2);
    unsigned long long wide = 100;
    WriteRaw("3f1", REG_QWORD, &wide, sizeof wide);
    WriteRaw("3e8", REG_EXPAND_SZ, "%TEMP%\\a.bgl", 13);
    Open();
    EXPECT_FALSE(Checked(IDC_PARTIAL));
    EXPECT_FALSE(Enabled(IDC_RADIUS));
    EXPECT_EQ("0", Text(IDC_RADIUS));
    EXPECT_EQ("", Text(IDC_INPUT_FILE));
}

TEST_F(PanelSettings, LongInputPathIsSavedCutTo511)
{
    Open();
    std::string path = "Z:\\" + std::string(597, 'p');
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, path.c_str());
    ASSERT_EQ(600u, Text(IDC_INPUT_FILE).size());
    Reopen();
    EXPECT_EQ(path.substr(0, 511), StoredText("3e8"));
    EXPECT_EQ(path.substr(0, 511), Text(IDC_INPUT_FILE));
}

TEST_F(PanelSettings, EscapeWhileTypingSavesTheTextAsTyped)
{
    Open();
    CheckDlgButton(dialog, IDC_PARTIAL, BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, IDC_PARTIAL, 0);
    HWND latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
    SetFocus(latitude);
    SetWindowTextA(latitude, "200");
    MSG escape = {latitude, WM_KEYDOWN, VK_ESCAPE, 1, GetTickCount(), {0, 0}};
    ASSERT_TRUE(IsDialogMessageA(dialog, &escape)); // the dialog manager turns it into IDCANCEL
    EXPECT_EQ(11113055u, StoredNumber("3ef"));
    Close();
    Open();
    EXPECT_EQ("90.000", Text(IDC_CENTER_LAT));
}

} // namespace
