// The numeric fields of the real main dialog (and two fields of other kinds on plain edits),
// driven with real WM_CHAR and WM_KEYDOWN messages, a real keyboard state and real focus moves.
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

// A key as the dialog manager sees it, so Tab moves the focus the way it does for a user.
void DialogKey(HWND dialog, HWND target, WPARAM key)
{
    MSG msg = {target, WM_KEYDOWN, key, 1, GetTickCount(), {0, 0}};
    if (!IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// WM_KEYDOWN with Shift or Ctrl held in the thread's keyboard state.
void KeyWith(HWND edit, WPARAM key, int modifier)
{
    BYTE state[256];
    GetKeyboardState(state);
    if (modifier)
        state[modifier] = 0x80;
    SetKeyboardState(state);
    SendMessageA(edit, WM_KEYDOWN, key, 1);
    if (modifier)
        state[modifier] = 0;
    SetKeyboardState(state);
}

void Key(HWND edit, WPARAM key)
{
    KeyWith(edit, key, 0);
}

class SpinFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
        CheckDlgButton(dialog, IDC_PARTIAL, BST_CHECKED);
        EnablePartialFieldsForTest();
        latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
        longitude = GetDlgItem(dialog, IDC_CENTER_LON);
        radius = GetDlgItem(dialog, IDC_RADIUS);
    }
    void TearDown() override { DestroyWindow(dialog); }
    void EnablePartialFieldsForTest() { SendMessageA(dialog, WM_COMMAND, IDC_PARTIAL, 0); }

    // Replaces the field's text as typing would, then leaves it with Tab.
    std::string TypeAndTab(HWND edit, const char *text)
    {
        SetFocus(edit);
        SetWindowTextA(edit, "");
        Type(edit, text);
        DialogKey(dialog, edit, VK_TAB);
        EXPECT_NE(edit, GetFocus());
        return WindowText(edit);
    }
    std::string Entered(HWND edit, const char *text)
    {
        SetFocus(edit);
        SetWindowTextA(edit, "");
        Type(edit, text);
        return WindowText(edit);
    }

    HWND dialog = nullptr, latitude = nullptr, longitude = nullptr, radius = nullptr;
};

TEST_F(SpinFields, AttachingFormatsTheEmptyTemplateText)
{
    EXPECT_EQ("0.000", WindowText(latitude));
    EXPECT_EQ("0.000", WindowText(longitude));
    EXPECT_EQ("0", WindowText(radius));
    EXPECT_EQ((LONG_PTR)&LatitudeField, GetWindowLongPtrA(latitude, GWLP_USERDATA));
    EXPECT_EQ((LONG_PTR)SpinFieldProc, GetWindowLongPtrA(latitude, GWLP_WNDPROC));
    EXPECT_EQ(0, LatitudeField.needsFormat);
}

TEST_F(SpinFields, FocusLossClampsAndFormats)
{
    EXPECT_EQ("90.000", TypeAndTab(latitude, "100"));
    EXPECT_EQ("45.500", TypeAndTab(latitude, "45.5"));
    EXPECT_EQ("10.000", TypeAndTab(latitude, "1e1"));
    EXPECT_EQ("-180.000", TypeAndTab(longitude, "-1000"));
    EXPECT_EQ("0", TypeAndTab(radius, "-"));
    EXPECT_EQ("0", TypeAndTab(radius, "+"));
    EXPECT_EQ("180", TypeAndTab(radius, "99999999999"));
}

TEST_F(SpinFields, TextOutsideTheRangeIsReadUnclampedUntilRewritten)
{
    EXPECT_EQ("200", Entered(latitude, "200"));
    EXPECT_EQ(200.0, SpinFieldGetValue(&LatitudeField));
}

TEST_F(SpinFields, ArrowKeysStepAndStayInRange)
{
    SetWindowTextA(latitude, "89.950");
    Key(latitude, VK_UP);
    EXPECT_EQ("90.000", WindowText(latitude));
    SetWindowTextA(latitude, "-90.000");
    Key(latitude, VK_DOWN);
    EXPECT_EQ("-90.000", WindowText(latitude));
    SetWindowTextA(latitude, "10.000");
    Key(latitude, VK_PRIOR);
    Key(latitude, VK_NEXT);
    EXPECT_EQ("10.000", WindowText(latitude));
}

TEST_F(SpinFields, LargeUpwardStepAddsBeforeClamping)
{
    SetWindowTextA(latitude, "-300");
    Key(latitude, VK_UP);
    EXPECT_EQ("-89.900", WindowText(latitude));
    SetWindowTextA(latitude, "-300");
    KeyWith(latitude, VK_UP, VK_SHIFT);
    EXPECT_EQ("-90.000", WindowText(latitude));
}

TEST_F(SpinFields, ShiftAndCtrlTakeTheLargeStep)
{
    SetWindowTextA(radius, "3");
    KeyWith(radius, VK_UP, VK_SHIFT);
    EXPECT_EQ("8", WindowText(radius));
    SetWindowTextA(radius, "3");
    KeyWith(radius, VK_DOWN, VK_CONTROL);
    EXPECT_EQ("0", WindowText(radius));
    SetWindowTextA(radius, "178");
    KeyWith(radius, VK_UP, VK_CONTROL);
    EXPECT_EQ("180", WindowText(radius));
    SetWindowTextA(longitude, "0.000");
    KeyWith(longitude, VK_DOWN, VK_SHIFT);
    EXPECT_EQ("-1.000", WindowText(longitude));
    Key(longitude, VK_DOWN); // the modifier is no longer held
    EXPECT_EQ("-1.100", WindowText(longitude));
}

TEST_F(SpinFields, TypedCharactersAreFilteredPerKind)
{
    EXPECT_EQ("1e5E", Entered(longitude, "1e5aE x,;"));
    EXPECT_EQ("-1.5", Entered(latitude, "-1.5dD"));
    EXPECT_EQ("12", Entered(radius, "1.2eE x"));
    // Backspace is a control code and reaches the control.
    Type(radius, "\b");
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

    SetFocus(radius);
    SetWindowTextA(radius, "");
    SendMessageA(radius, WM_PASTE, 0, 0);
    EXPECT_EQ("12.7", WindowText(radius)); // paste is not filtered
    EXPECT_EQ(12.0, SpinFieldGetValue(&RadiusField));
    DialogKey(dialog, radius, VK_TAB);
    EXPECT_EQ("12", WindowText(radius));
}

// A read-only hexadecimal field without bounds on a plain edit control.
class OtherKinds : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 24, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);
        ASSERT_NE(nullptr, edit);
    }
    void TearDown() override { DestroyWindow(edit); }
    void Attach(unsigned char kind, unsigned char editable)
    {
        field = SpinField{edit, nullptr, 0.0, 0.0, 1.0, 16.0, 3, kind, editable, 0};
        SpinFieldAttach(&field);
    }
    HWND edit = nullptr;
    SpinField field;
};

TEST_F(OtherKinds, ReadOnlyHexFieldStillSteps)
{
    Attach(SPIN_HEX, 0);
    EXPECT_EQ("0", WindowText(edit));
    Type(edit, "5Fz\b");
    EXPECT_EQ("0", WindowText(edit));
    KeyWith(edit, VK_UP, VK_SHIFT);
    EXPECT_EQ("10", WindowText(edit));
    Key(edit, VK_DOWN);
    EXPECT_EQ("F", WindowText(edit));

    SetWindowTextA(edit, "AB");
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ("AB", WindowText(edit));

    SpinFieldSetValue(&field, -1.0);
    EXPECT_EQ("FFFFFFFF", WindowText(edit));
    EXPECT_EQ(-1.0, SpinFieldGetValue(&field));
}

TEST_F(OtherKinds, EditableHexFieldTakesHexDigits)
{
    Attach(SPIN_HEX, 1);
    SetWindowTextA(edit, "");
    Type(edit, "1aFgx");
    EXPECT_EQ("1aF", WindowText(edit));
    EXPECT_EQ(0x1AF, SpinFieldGetValue(&field));
    SpinFieldRefresh(&field);
    EXPECT_EQ("1AF", WindowText(edit));
}

TEST_F(OtherKinds, UnboundedFieldWithAHugeValueKeepsItsText)
{
    Attach(SPIN_DECIMAL, 1);
    SpinFieldSetValue(&field, DBL_MAX);
    std::string text = WindowText(edit);
    EXPECT_LT(text.size(), 80u);
    EXPECT_EQ(DBL_MAX, SpinFieldGetValue(&field));
    SpinFieldSetValue(&field, -1e12);
    EXPECT_EQ("-1000000000000.000", WindowText(edit));

    // Attaching another record to the same control replaces the first without looping messages.
    static SpinField whole = {edit, nullptr, 0.0, 0.0, 1.0, 5.0, 0, SPIN_INTEGER, 1, 0};
    whole.edit = edit;
    SpinFieldAttach(&whole);
    SpinFieldSetValue(&whole, 1e300);
    EXPECT_EQ("2147483647", WindowText(edit));
    Key(edit, VK_DOWN);
    EXPECT_EQ("2147483646", WindowText(edit));
}

} // namespace
