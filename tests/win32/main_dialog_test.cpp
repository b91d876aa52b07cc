// The main dialog from the program's own resources: caption, system menu, partial fields,
// initial focus, centring and the version strings.
#include <gtest/gtest.h>

#include <windows.h>

#include "panel/panel.h"
#include "panel/spin_field.h"
#include "resource.h"
#include "win32_support.h"

namespace {

class MainDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
        PumpMessages(50);
    }
    void TearDown() override
    {
        if (dialog)
            DestroyWindow(dialog);
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }
    HWND dialog = nullptr;
};

TEST_F(MainDialog, CaptionIsTheProductNameNotTheTemplateCaption)
{
    EXPECT_EQ("Vantrel", WindowText(dialog));
}

TEST_F(MainDialog, SystemMenuEndsWithSeparatorAndAbout)
{
    HMENU menu = GetSystemMenu(dialog, FALSE);
    ASSERT_NE(nullptr, menu);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);

    MENUITEMINFOA separator = {};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, count - 2, TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

    char text[64] = "";
    EXPECT_EQ(IDC_ABOUT, (int)GetMenuItemID(menu, count - 1));
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("About", text);
}

TEST_F(MainDialog, PartialCheckBoxEnablesExactlyTheThreeNumericFields)
{
    const int numeric[] = {IDC_CENTER_LAT, IDC_CENTER_LON, IDC_RADIUS};
    const int others[] = {IDC_PARTIAL, IDC_INPUT_FILE, IDC_GO, IDCANCEL, IDC_QUIET};
    for (int id : numeric)
        EXPECT_FALSE(IsWindowEnabled(item(id))) << id;

    SendMessageA(item(IDC_PARTIAL), BM_CLICK, 0, 0); // ticks the automatic box and notifies
    for (int id : numeric)
        EXPECT_TRUE(IsWindowEnabled(item(id))) << id;
    for (int id : others)
        EXPECT_TRUE(IsWindowEnabled(item(id))) << id;

    SendMessageA(item(IDC_PARTIAL), BM_CLICK, 0, 0);
    for (int id : numeric)
        EXPECT_FALSE(IsWindowEnabled(item(id))) << id;
    for (int id : others)
        EXPECT_TRUE(IsWindowEnabled(item(id))) << id;
}

TEST_F(MainDialog, FocusStartsInTheInputField)
{
    // A modeless dialog gets the same WM_INITDIALOG focus rule as the modal one.
    EXPECT_EQ(item(IDC_INPUT_FILE), GetFocus());
}

TEST_F(MainDialog, HasTheClassIconAndIsCentred)
{
    EXPECT_NE(0, (LONG_PTR)GetClassLongPtrA(dialog, GCLP_HICON));
    RECT rect;
    GetWindowRect(dialog, &rect);
    HDC dc = GetDC(dialog);
    EXPECT_EQ((GetDeviceCaps(dc, HORZRES) >> 1) - ((rect.right - rect.left) >> 1), rect.left);
    EXPECT_EQ((GetDeviceCaps(dc, VERTRES) >> 1) - ((rect.bottom - rect.top) >> 1), rect.top);
    ReleaseDC(dialog, dc);
}

TEST(CenterWindow, HalvesOddSizesBeforeSubtractingAndKeepsTheSize)
{
    HDC screen = GetDC(NULL);
    const int screenWidth = GetDeviceCaps(screen, HORZRES), screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);
    // An odd size, and one larger than the screen, which goes to negative coordinates.
    const SIZE sizes[] = {{301, 201}, {screenWidth + 301, screenHeight + 201}};
    for (SIZE size : sizes) {
        HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 5, 7, size.cx, size.cy, NULL, NULL,
                                      GetModuleHandleA(NULL), NULL);
        CenterWindow(window);
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ((screenWidth >> 1) - (size.cx >> 1), rect.left) << size.cx;
        EXPECT_EQ((screenHeight >> 1) - (size.cy >> 1), rect.top) << size.cy;
        EXPECT_EQ(size.cx, rect.right - rect.left);
        EXPECT_EQ(size.cy, rect.bottom - rect.top);
        DestroyWindow(window);
    }
}

TEST(ReadVersionStrings, ReadsTheProgramsOwnBlock)
{
    VersionStrings version;
    memset(&version, 'x', sizeof version);
    ReadVersionStrings(&version);
    EXPECT_STREQ("Vantrel", version.ProductName);
    EXPECT_STREQ("1, 1, 0, 13", version.FileVersion);
    // Queried as "LegalCopyRight", stored as LegalCopyright.
    EXPECT_STREQ("Copyright (C) 2026 Halvorik", version.LegalCopyRight);
}

} // namespace
