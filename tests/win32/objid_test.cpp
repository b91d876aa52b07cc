// The Object ID generator from the program's own template: it opens empty, every press shows a
// fresh GUID in both forms, and Enter, Esc and the buttons end it with the right result.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctype.h>

#include <memory>
#include <vector>

#include "dialogs/dialogs.h"
#include "resource.h"
#include "win32_support.h"

namespace {

HWND OpenGenerator()
{
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OBJID), NULL, ObjIdDlgProc, 0);
}

// The generator as the user sees it: modal, driven by `steps` from inside its own loop. Each
// step runs once per tick until it returns true; after the last one the dialog must end by
// itself, or it is ended with -100 when the time is up. Returns what `open` returned (by
// default the result of DialogBoxParamA); every step must have run.
INT_PTR RunGenerator(std::vector<std::function<bool(HWND)>> steps, std::function<INT_PTR()> open = nullptr)
{
    struct Progress {
        std::vector<std::function<bool(HWND)>> steps;
        size_t next = 0;
        HWND dialog = NULL;
    };
    auto progress = std::make_shared<Progress>();
    progress->steps = std::move(steps);
    // The driver may outlive this call by a tick, so it holds only shared state.
    WhileModal(
        [progress]() {
            if (progress->dialog && progress->next == progress->steps.size())
                return !IsWindow(progress->dialog);
            HWND dialog = GetActiveWindow();
            if (!dialog || WindowText(dialog) != "Object ID Generator")
                return false;
            progress->dialog = dialog;
            while (progress->next < progress->steps.size() && progress->steps[progress->next](dialog))
                progress->next++;
            return false;
        },
        20, 10000, [progress]() { EndDialog(progress->dialog ? progress->dialog : GetActiveWindow(), -100); });
    INT_PTR result = open ? open() : DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OBJID), NULL, ObjIdDlgProc, 0);
    EXPECT_EQ(progress->steps.size(), progress->next) << "the dialog ended before its last step";
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

TEST(ObjIdDialog, OpensEmptyWithTheFocusOnGenerate)
{
    EXPECT_EQ(IDCANCEL, RunGenerator({[](HWND dialog) {
                  EXPECT_EQ(GetDlgItem(dialog, IDC_GENERATE), GetFocus());
                  EXPECT_EQ("", Field(dialog, IDC_GUID_SPACED));
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
    RunGenerator({[main](HWND dialog) {
                     EXPECT_EQ(main, GetWindow(dialog, GW_OWNER));
                     EXPECT_FALSE(IsWindowEnabled(main));
                     PostKey(VK_ESCAPE);
                     return true;
                 }},
                 [main]() {
                     return SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_OBJID, BN_CLICKED), (LPARAM)GetDlgItem(main, IDC_OBJID));
                 });
    EXPECT_TRUE(IsWindowEnabled(main));
    DestroyWindow(main);
}

} // namespace
