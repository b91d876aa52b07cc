// The panel restored from and stored into the real registry, through the real main dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resource.h"
#include "settings/regstore.h"
#include "win32_support.h"

namespace {

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
    void Set(int id, const std::string &text) { SetDlgItemTextA(dialog, id, text.c_str()); }
    // The input path, the five boxes, then the numeric fields ("(off)" when disabled).
    std::string Panel()
    {
        std::string panel = WindowText(GetDlgItem(dialog, IDC_INPUT_FILE));
        for (int id : {IDC_QUIET, IDC_FEET, IDC_MILES, IDC_DMS, IDC_PARTIAL})
            panel += IsDlgButtonChecked(dialog, id) ? " x" : " -";
        for (int id : {IDC_CENTER_LAT, IDC_CENTER_LON, IDC_RADIUS})
            panel += " " + WindowText(GetDlgItem(dialog, id)) + (IsWindowEnabled(GetDlgItem(dialog, id)) ? "" : "(off)");
        return panel;
    }
    HWND dialog = nullptr;
};

TEST_F(PanelSettings, FirstRunCreatesTheKeyAndShowsTheDefaults)
{
    Open();
    EXPECT_TRUE(KeyExists(AppKeyPath));
    EXPECT_EQ("<missing>", StoredValue("3e8")); // loading writes nothing
    EXPECT_EQ(" - - - - - 0.000(off) 0.000(off) 0(off)", Panel());
}

TEST_F(PanelSettings, EveryValueRoundTrips)
{
    Open();
    Set(IDC_INPUT_FILE, "Z:\\maps\\area one.bgl");
    for (int id : {IDC_QUIET, IDC_MILES, IDC_DMS, IDC_PARTIAL})
        CheckDlgButton(dialog, id, BST_CHECKED);
    Set(IDC_CENTER_LAT, "-45.500");
    Set(IDC_CENTER_LON, "-180.000");
    Set(IDC_RADIUS, "12");
    Reopen();
    EXPECT_EQ("Z:\\maps\\area one.bgl 1 0 1 1 1 -2528220 -8388608 12",
              StoredValues({"3e8", "3ea", "3eb", "3ec", "3ed", "3ee", "3ef", "3f0", "3f1"}));
    EXPECT_EQ("Z:\\maps\\area one.bgl x - x x x -45.500 -180.000 12", Panel());

    std::string path = "Z:\\" + std::string(597, 'p'); // 600 characters
    Set(IDC_INPUT_FILE, path);
    Set(IDC_CENTER_LON, "180.000");
    CheckDlgButton(dialog, IDC_PARTIAL, BST_UNCHECKED);
    Reopen();
    EXPECT_EQ(path.substr(0, 511) + " 8388608", StoredValues({"3e8", "3f0"}));
    EXPECT_EQ(path.substr(0, 511) + " x - x x - -45.500(off) 180.000(off) 12(off)", Panel());
}

TEST_F(PanelSettings, OutOfRangeValuesAreStoredAsTypedAndClampedWhenRead)
{
    DWORD radius = 500, longitude = (DWORD)-9000000, quiet = 7; // any non-zero number ticks the box
    WriteProgramValue("3f1", REG_DWORD, &radius, 4);
    WriteProgramValue("3f0", REG_DWORD, &longitude, 4);
    WriteProgramValue("3ea", REG_DWORD, &quiet, 4);
    WriteProgramValue("3ee", REG_SZ, "1", 2); // wrong types read as the defaults
    WriteProgramValue("3e8", REG_EXPAND_SZ, "%TEMP%", 7);
    Open();
    EXPECT_EQ(" x - - - - 0.000(off) -180.000(off) 180(off)", Panel());

    // Escape while typing: IDCANCEL without a focus change, so the text is saved as typed.
    HWND latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
    EnableWindow(latitude, TRUE);
    SetFocus(latitude);
    SetWindowTextA(latitude, "200");
    ASSERT_TRUE(DialogKey(dialog, latitude, VK_ESCAPE));
    EXPECT_EQ("11113055", StoredValue("3ef"));
    Open();
    EXPECT_EQ("90.000", WindowText(GetDlgItem(dialog, IDC_CENTER_LAT)));
}

} // namespace
