// The Object ID generator from the program's own template: it opens empty, every press shows a
// fresh GUID in both forms, and Enter, Esc and the buttons end it with the right result.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctype.h>

#include "dialogs/dialogs.h"
#include "resource.h"
#include "win32_support.h"

namespace {

HWND OpenGenerator()
{
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OBJID), NULL, ObjIdDlgProc, 0);
}

// The generator as the user sees it: modal, driven by `steps` from inside its own loop. Each
// step runs once per tick until it returns true; the result is what DialogBoxParamA returned.
// Every step must have run before the dialog ended.
INT_PTR RunGenerator(std::vector<std::function<bool(HWND)>> steps, HWND owner = NULL)
{
    size_t next = 0;
    WhileModal(
        [&]() {
            HWND dialog = GetActiveWindow();
            if (!dialog || WindowText(dialog) != "Object ID Generator")
                return false;
            while (next < steps.size() && steps[next](dialog))
                next++;
            return next == steps.size();
        },
        20, 10000, [&]() { EndDialog(GetActiveWindow(), -100); });
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OBJID), owner, ObjIdDlgProc, 0);
    EXPECT_EQ(steps.size(), next) << "the dialog ended before its last step";
    return result;
}

// A key as the keyboard delivers it: posted to the focused control, so the dialog manager of
// the modal loop sees it first.
void PostKey(UINT key)
{
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

void PostClick(HWND control)
{
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

std::string Field(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

// Both fields hold one GUID: 32 upper-case hexadecimal digits, and the same digits with blanks
// at positions 9, 18 and 27 counted from 1.
void ExpectOneGuidInBothForms(const std::string &spaced, const std::string &plain)
{
    ASSERT_EQ(32u, plain.size()) << plain;
    ASSERT_EQ(35u, spaced.size()) << spaced;
    for (char c : plain)
        EXPECT_TRUE(isdigit((unsigned char)c) || (c >= 'A' && c <= 'F')) << plain;
    EXPECT_EQ(' ', spaced[8]);
    EXPECT_EQ(' ', spaced[17]);
    EXPECT_EQ(' ', spaced[26]);
    EXPECT_EQ(plain, spaced.substr(0, 8) + spaced.substr(9, 8) + spaced.substr(18, 8) + spaced.substr(27, 8));
}

TEST(ObjIdDialog, OpensWithBothFieldsEmpty)
{
    HWND dialog = OpenGenerator();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Object ID Generator", WindowText(dialog));
    EXPECT_EQ("", Field(dialog, IDC_GUID_SPACED));
    EXPECT_EQ("", Field(dialog, IDC_GUID_PLAIN));
    DestroyWindow(dialog);
}

TEST(ObjIdDialog, EachPressShowsAFreshGuidInBothForms)
{
    HWND dialog = OpenGenerator();
    ASSERT_NE(nullptr, dialog);
    HWND generate = GetDlgItem(dialog, IDC_GENERATE);

    SendMessageA(generate, BM_CLICK, 0, 0);
    std::string firstSpaced = Field(dialog, IDC_GUID_SPACED), firstPlain = Field(dialog, IDC_GUID_PLAIN);
    ExpectOneGuidInBothForms(firstSpaced, firstPlain);

    SendMessageA(generate, BM_CLICK, 0, 0);
    std::string secondSpaced = Field(dialog, IDC_GUID_SPACED), secondPlain = Field(dialog, IDC_GUID_PLAIN);
    ExpectOneGuidInBothForms(secondSpaced, secondPlain);
    EXPECT_NE(firstPlain, secondPlain);

    // A random GUID carries version 4 in the top digit of Data3 and the variant in the top bits
    // of Data4[0]; both sit at these digits only when Data3 is written as a number.
    EXPECT_EQ('4', secondPlain[12]) << secondPlain;
    EXPECT_NE(std::string::npos, std::string("89AB").find(secondPlain[16])) << secondPlain;
    DestroyWindow(dialog);
}

TEST(ObjIdDialog, FieldsAreReadOnlyButSelectable)
{
    HWND dialog = OpenGenerator();
    ASSERT_NE(nullptr, dialog);
    SendMessageA(GetDlgItem(dialog, IDC_GENERATE), BM_CLICK, 0, 0);
    HWND plain = GetDlgItem(dialog, IDC_GUID_PLAIN);
    std::string before = WindowText(plain);

    SendMessageA(plain, WM_CHAR, 'x', 1);
    SendMessageA(plain, WM_PASTE, 0, 0);
    EXPECT_EQ(before, WindowText(plain));
    SendMessageA(plain, EM_SETSEL, 0, -1);
    DWORD start = 0, end = 0;
    SendMessageA(plain, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(32u, end);
    DestroyWindow(dialog);
}

TEST(ObjIdDialog, FocusStartsOnGenerate)
{
    EXPECT_EQ(IDCANCEL, RunGenerator({[](HWND dialog) {
                  EXPECT_EQ(GetDlgItem(dialog, IDC_GENERATE), GetFocus());
                  EXPECT_EQ("", Field(dialog, IDC_GUID_PLAIN));
                  PostKey(VK_ESCAPE);
                  return true;
              }}));
}

// Tab walks the two buttons only (the fields are no tab stops), and the dialog manager makes
// the focused push button the one Enter presses. (Wine, unlike Windows, does not do so for the
// focus the dialog opens with, so the walk starts with Tab.)
TEST(ObjIdDialog, EnterOnGenerateGeneratesAndEscEndsWithTwo)
{
    std::string first, second;
    INT_PTR result = RunGenerator({
        [](HWND) {
            PostKey(VK_TAB);
            return true;
        },
        [](HWND dialog) {
            if (GetFocus() != GetDlgItem(dialog, IDCANCEL))
                return false;
            PostKey(VK_TAB);
            return true;
        },
        [](HWND dialog) {
            if (GetFocus() != GetDlgItem(dialog, IDC_GENERATE))
                return false;
            PostKey(VK_RETURN);
            return true;
        },
        [&](HWND dialog) {
            first = Field(dialog, IDC_GUID_PLAIN);
            if (first.empty())
                return false;
            PostKey(VK_RETURN);
            return true;
        },
        [&](HWND dialog) {
            second = Field(dialog, IDC_GUID_PLAIN);
            if (second == first)
                return false;
            PostKey(VK_ESCAPE);
            return true;
        },
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(32u, first.size());
    EXPECT_EQ(32u, second.size());
}

TEST(ObjIdDialog, EnterAfterAClickIntoAFieldEndsWithOne)
{
    std::string plain;
    INT_PTR result = RunGenerator({
        [](HWND dialog) {
            PostClick(GetDlgItem(dialog, IDC_GENERATE));
            return true;
        },
        [&](HWND dialog) {
            plain = Field(dialog, IDC_GUID_PLAIN);
            if (plain.empty())
                return false;
            PostClick(GetDlgItem(dialog, IDC_GUID_SPACED));
            return true;
        },
        [](HWND dialog) {
            if (GetFocus() != GetDlgItem(dialog, IDC_GUID_SPACED))
                return false;
            PostKey(VK_RETURN);
            return true;
        },
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(32u, plain.size()) << "a click on Generate generates";
}

TEST(ObjIdDialog, CancelButtonAndCloseBoxEndWithTwo)
{
    EXPECT_EQ(IDCANCEL, RunGenerator({[](HWND dialog) {
                  PostClick(GetDlgItem(dialog, IDCANCEL));
                  return true;
              }}));
    EXPECT_EQ(IDCANCEL, RunGenerator({[](HWND dialog) {
                  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                  return true;
              }}));
}

TEST(ObjIdDialog, OpensFromTheMainDialogAsItsOwnedModalDialog)
{
    DeleteProgramKey();
    HWND main = CreateMainDialog();
    ASSERT_NE(nullptr, main);
    bool seen = false;
    WhileModal([&]() {
        HWND dialog = GetActiveWindow();
        if (!dialog || WindowText(dialog) != "Object ID Generator")
            return false;
        seen = true;
        EXPECT_EQ(main, GetWindow(dialog, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(main));
        PostKey(VK_ESCAPE);
        return true;
    }, 20, 10000, []() { EndDialog(GetActiveWindow(), -100); });
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_OBJID, BN_CLICKED), (LPARAM)GetDlgItem(main, IDC_OBJID));
    EXPECT_TRUE(seen);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindow(main));
    DestroyWindow(main);
}

} // namespace
