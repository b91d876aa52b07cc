// The Object ID generator from the program's own template, driven from inside its modal loop:
// it opens empty, each press shows a fresh GUID in both forms, and keys and buttons end it.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>

#include "dialogs/dialogs.h"
#include "resource.h"
#include "win32_support.h"

namespace {

const char Title[] = "Object ID Generator";

INT_PTR RunGenerator(std::vector<ModalStep> steps)
{
    return DriveModalDialog(Title, std::move(steps), ModalFromTemplate(IDD_OBJID, ObjIdDlgProc));
}

ModalStep Press(UINT key)
{
    return [key](HWND) { PostKeyToFocus(key); return true; };
}

ModalStep WhenFocusOn(int id, ModalStep then)
{
    return [id, then](HWND dialog) { return GetFocus() == GetDlgItem(dialog, id) && then(dialog); };
}

// Both fields hold one GUID: 32 upper-case digits, and the same digits with blanks at positions
// 9, 18 and 27 counted from 1. A random GUID has version 4 in the top digit of Data3 and the
// variant in the top bits of Data4[0], at these digits only when Data3 is written as a number.
std::string ExpectOneGuid(HWND dialog)
{
    std::string spaced = ItemText(dialog, IDC_GUID_SPACED), plain = ItemText(dialog, IDC_GUID_PLAIN);
    EXPECT_TRUE(std::regex_match(plain, std::regex("[0-9A-F]{12}4[0-9A-F]{3}[89AB][0-9A-F]{15}"))) << plain;
    EXPECT_TRUE(std::regex_match(spaced, std::regex("[0-9A-F]{8}( [0-9A-F]{8}){3}"))) << spaced;
    EXPECT_EQ(plain, std::regex_replace(spaced, std::regex(" "), ""));
    return plain;
}

// Waits for a GUID other than `*previous` in the fields, checks it and keeps it in `*taken`.
ModalStep TakeNewGuid(std::string *taken, const std::string *previous)
{
    return [taken, previous](HWND dialog) {
        std::string plain = ItemText(dialog, IDC_GUID_PLAIN);
        if (plain.empty() || plain == *previous)
            return false;
        *taken = ExpectOneGuid(dialog);
        return true;
    };
}

// Tab walks the two buttons only (the fields are no tab stops), and the dialog manager makes the
// focused push button the one Enter presses. (Wine, unlike Windows, does not do so for the focus
// the dialog opens with, so the walk starts with Tab.)
TEST(ObjIdDialog, OpensEmptyEnterOnGenerateGeneratesAndEscEndsWithTwo)
{
    std::string none, first, second;
    INT_PTR result = RunGenerator({
        [](HWND dialog) {
            EXPECT_EQ(GetDlgItem(dialog, IDC_GENERATE), GetFocus());
            EXPECT_EQ("", ItemText(dialog, IDC_GUID_SPACED));
            EXPECT_EQ("", ItemText(dialog, IDC_GUID_PLAIN));
            return true;
        },
        Press(VK_TAB),
        WhenFocusOn(IDCANCEL, Press(VK_TAB)),
        WhenFocusOn(IDC_GENERATE, Press(VK_RETURN)),
        TakeNewGuid(&first, &none),
        Press(VK_RETURN),
        TakeNewGuid(&second, &first),
        Press(VK_ESCAPE),
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_NE(first, second);
}

TEST(ObjIdDialog, EnterAfterAClickIntoAFieldEndsWithOne)
{
    EXPECT_EQ(IDOK, RunGenerator({
                        [](HWND dialog) { PostClick(GetDlgItem(dialog, IDC_GENERATE)); return true; },
                        [](HWND dialog) { return !ItemText(dialog, IDC_GUID_PLAIN).empty(); }, // a click generates
                        [](HWND dialog) { PostClick(GetDlgItem(dialog, IDC_GUID_SPACED)); return true; },
                        WhenFocusOn(IDC_GUID_SPACED, Press(VK_RETURN)),
                    }));
}

TEST(ObjIdDialog, CancelButtonAndCloseBoxEndWithTwo)
{
    EXPECT_EQ(IDCANCEL, RunGenerator({[](HWND dialog) { PostClick(GetDlgItem(dialog, IDCANCEL)); return true; }}));
    EXPECT_EQ(IDCANCEL, RunGenerator({[](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); return true; }}));
}

} // namespace
