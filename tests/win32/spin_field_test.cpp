// The numeric fields of the real main dialog, driven with real WM_CHAR and WM_KEYDOWN
// messages, a real keyboard state for Shift and Ctrl, and focus moved by the dialog manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <cfloat>
#include <string>

#include "panel/spin_field.h"
#include "resource.h"
#include "win32_support.h"

namespace {

void Type(HWND edit, const char *text)
{
    for (const char *c = text; *c; c++)
        SendMessageA(edit, WM_CHAR, (unsigned char)*c, 1);
}

// WM_KEYDOWN with a modifier (VK_SHIFT, VK_CONTROL or 0) held in the thread's keyboard state.
void Key(HWND edit, WPARAM key, int modifier = 0)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    if (modifier)
        state[modifier] = 0x80;
    SetKeyboardState(state);
    SendMessageA(edit, WM_KEYDOWN, key, 1);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

class SpinFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
        latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
        longitude = GetDlgItem(dialog, IDC_CENTER_LON);
        radius = GetDlgItem(dialog, IDC_RADIUS);
        EnableWindow(latitude, TRUE);
        EnableWindow(longitude, TRUE);
        EnableWindow(radius, TRUE);
    }
    void TearDown() override { DestroyWindow(dialog); }

    // Types into an emptied field; with `tab`, leaves it with Tab as the dialog manager moves it.
    std::string Typed(HWND edit, const char *text, bool tab = false)
    {
        SetFocus(edit);
        SetWindowTextA(edit, "");
        Type(edit, text);
        if (tab) {
            MSG msg = {edit, WM_KEYDOWN, VK_TAB, 1, GetTickCount(), {0, 0}};
            EXPECT_TRUE(IsDialogMessageA(dialog, &msg));
            EXPECT_NE(edit, GetFocus());
        }
        return WindowText(edit);
    }
    std::string Stepped(HWND edit, const char *text, WPARAM key, int modifier = 0)
    {
        SetWindowTextA(edit, text);
        Key(edit, key, modifier);
        return WindowText(edit);
    }
    HWND dialog = nullptr, latitude = nullptr, longitude = nullptr, radius = nullptr;
};

TEST_F(SpinFields, AttachingFormatsAndFocusLossClamps)
{
    EXPECT_EQ("0.000 0.000 0", WindowText(latitude) + " " + WindowText(longitude) + " " + WindowText(radius));
    EXPECT_EQ("90.000", Typed(latitude, "100", true));
    EXPECT_EQ("45.500", Typed(latitude, "45.5", true));
    EXPECT_EQ("10.000", Typed(latitude, "1e1", true));
    EXPECT_EQ("0", Typed(radius, "-", true));
    EXPECT_EQ("180", Typed(radius, "99999999999", true));
    EXPECT_EQ("200", Typed(latitude, "200")); // unclamped until rewritten
    EXPECT_EQ(200.0, SpinFieldGetValue(&LatitudeField));
}

TEST_F(SpinFields, ArrowKeysStepWithinTheRange)
{
    EXPECT_EQ("90.000", Stepped(latitude, "89.950", VK_UP));
    EXPECT_EQ("-90.000", Stepped(latitude, "-90.000", VK_DOWN));
    EXPECT_EQ("-89.900", Stepped(latitude, "-300", VK_UP));
    EXPECT_EQ("-90.000", Stepped(latitude, "-300", VK_UP, VK_SHIFT)); // the large step adds first
    EXPECT_EQ("8", Stepped(radius, "3", VK_UP, VK_SHIFT));
    EXPECT_EQ("0", Stepped(radius, "3", VK_DOWN, VK_CONTROL));
    EXPECT_EQ("180", Stepped(radius, "178", VK_UP, VK_CONTROL));
    EXPECT_EQ("5.000", Stepped(longitude, "5.000", VK_PRIOR));
}

TEST_F(SpinFields, TypedCharactersAreFilteredPerKind)
{
    EXPECT_EQ("1e5E", Typed(longitude, "1e5aE x,;"));
    EXPECT_EQ("12", Typed(radius, "1.2eE x"));
    Type(radius, "\b"); // Backspace reaches the control
    EXPECT_EQ("1", WindowText(radius));
}

TEST_F(SpinFields, PastedDecimalReadsAsItsWholePart)
{
    ASSERT_TRUE(OpenClipboard(dialog));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(GlobalLock(memory), "12.7", 5);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SetWindowTextA(radius, "");
    SendMessageA(radius, WM_PASTE, 0, 0);
    EXPECT_EQ("12.7", WindowText(radius)); // paste is not filtered
    EXPECT_EQ(12.0, SpinFieldGetValue(&RadiusField));
    SendMessageA(radius, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ("12", WindowText(radius));
}

TEST(SpinFieldKinds, ReadOnlyUnboundedHexFieldOnAPlainEdit)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 200, 24, NULL, NULL, GetModuleHandleA(NULL), NULL);
    static SpinField hex = {edit, nullptr, 0.0, 0.0, 1.0, 16.0, 0, SPIN_HEX, 0, 0};
    SpinFieldAttach(&hex);
    Type(edit, "5Fz\b");
    EXPECT_EQ("0", WindowText(edit));
    Key(edit, VK_UP, VK_SHIFT);
    Key(edit, VK_DOWN);
    EXPECT_EQ("F", WindowText(edit));
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ("F", WindowText(edit));
    SpinFieldSetValue(&hex, -1.0);
    EXPECT_EQ(-1.0, SpinFieldGetValue(&hex));

    // Another record attached to the same control replaces the first without looping messages.
    static SpinField decimal = {edit, nullptr, 0.0, 0.0, 1.0, 10.0, 3, SPIN_DECIMAL, 1, 0};
    SpinFieldAttach(&decimal);
    SpinFieldSetValue(&decimal, DBL_MAX);
    EXPECT_LT(WindowText(edit).size(), 80u);
    EXPECT_EQ(DBL_MAX, SpinFieldGetValue(&decimal));
    DestroyWindow(edit);
}

} // namespace
