// The panel restored from and stored into the real registry, through the real main dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resource.h"
#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const int Boxes[] = {IDC_QUIET, IDC_FEET, IDC_MILES, IDC_DMS, IDC_PARTIAL};

std::string Stored(const char *name)
{
    char text[2048] = "";
    DWORD size = sizeof text, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_ANY, &type, text, &size) != ERROR_SUCCESS)
        return "<missing>";
    return type == REG_DWORD ? std::to_string(*(int *)text) : std::string(text);
}

void WriteNumber(const char *name, DWORD value)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, name, REG_DWORD, &value, sizeof value);
}

class PanelSettings : public ::testing::Test {
protected:
    void SetUp() override { DeleteProgramKey(); }
    void TearDown() override { DestroyWindow(dialog); }
    void Open()
    {
        DestroyWindow(dialog);
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
    }
    void Reopen() // dismissed the way the user does: IDCANCEL saves
    {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Open();
    }
    std::string Text(int id) { return WindowText(GetDlgItem(dialog, id)); }
    std::string Panel()
    {
        std::string panel = Text(IDC_INPUT_FILE);
        for (int id : Boxes)
            panel += IsDlgButtonChecked(dialog, id) ? " x" : " -";
        for (int id : {IDC_CENTER_LAT, IDC_CENTER_LON, IDC_RADIUS})
            panel += " " + Text(id) + (IsWindowEnabled(GetDlgItem(dialog, id)) ? "" : "(off)");
        return panel;
    }
    HWND dialog = nullptr;
};

TEST_F(PanelSettings, FirstRunCreatesTheKeyAndShowsTheDefaults)
{
    Open();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, AppKeyPath, 0, KEY_READ, &key));
    RegCloseKey(key);
    EXPECT_EQ("<missing>", Stored("3e8")); // loading writes nothing
    EXPECT_EQ(" - - - - - 0.000(off) 0.000(off) 0(off)", Panel());
}

TEST_F(PanelSettings, EveryValueRoundTrips)
{
    Open();
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, "Z:\\maps\\area one.bgl");
    for (int id : Boxes)
        CheckDlgButton(dialog, id, id == IDC_FEET ? BST_UNCHECKED : BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_CENTER_LAT, "-45.500");
    SetDlgItemTextA(dialog, IDC_CENTER_LON, "-180.000");
    SetDlgItemTextA(dialog, IDC_RADIUS, "12");
    Reopen();
    EXPECT_EQ("Z:\\maps\\area one.bgl 1 0 1 1 1 -2528220 -8388608 12",
              Stored("3e8") + " " + Stored("3ea") + " " + Stored("3eb") + " " + Stored("3ec") + " " + Stored("3ed") +
                  " " + Stored("3ee") + " " + Stored("3ef") + " " + Stored("3f0") + " " + Stored("3f1"));
    EXPECT_EQ("Z:\\maps\\area one.bgl x - x x x -45.500 -180.000 12", Panel());

    SetDlgItemTextA(dialog, IDC_CENTER_LON, "180.000");
    CheckDlgButton(dialog, IDC_PARTIAL, BST_UNCHECKED);
    Reopen();
    EXPECT_EQ("8388608", Stored("3f0"));
    EXPECT_EQ("Z:\\maps\\area one.bgl x - x x - -45.500(off) 180.000(off) 12(off)", Panel());
}

TEST_F(PanelSettings, StoredValuesAreClampedAndWrongTypesIgnored)
{
    WriteNumber("3f1", 500);
    WriteNumber("3ef", 11113055);        // 200 degrees
    WriteNumber("3f0", (DWORD)-9000000); // beyond -180
    WriteNumber("3ea", 7);               // any non-zero number checks the box
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, "3ee", REG_SZ, "1", 2);
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, "3e8", REG_EXPAND_SZ, "%TEMP%", 7);
    Open();
    EXPECT_EQ(" x - - - - 90.000(off) -180.000(off) 180(off)", Panel());
}

TEST_F(PanelSettings, LongInputPathIsSavedCutTo511)
{
    Open();
    std::string path = "Z:\\" + std::string(597, 'p');
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, path.c_str());
    Reopen();
    EXPECT_EQ(path.substr(0, 511), Stored("3e8"));
    EXPECT_EQ(path.substr(0, 511), Text(IDC_INPUT_FILE));
}

TEST_F(PanelSettings, EscapeWhileTypingSavesTheTextAsTyped)
{
    Open();
    HWND latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
    EnableWindow(latitude, TRUE);
    SetFocus(latitude);
    SetWindowTextA(latitude, "200");
    MSG escape = {latitude, WM_KEYDOWN, VK_ESCAPE, 1, GetTickCount(), {0, 0}};
    ASSERT_TRUE(IsDialogMessageA(dialog, &escape)); // IDCANCEL without a focus change
    EXPECT_EQ("11113055", Stored("3ef"));
    Open();
    EXPECT_EQ("90.000", Text(IDC_CENTER_LAT));
}

} // namespace
