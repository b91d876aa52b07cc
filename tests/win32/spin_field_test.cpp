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

TEST(SpinFields, TypingSteppingAndLeavingTheFieldsOfTheMainDialog)
{
    DeleteProgramKey();
    HWND dialog = CreateMainDialog();
    ASSERT_NE(nullptr, dialog);
    for (int id : {IDC_CENTER_LAT, IDC_CENTER_LON, IDC_RADIUS})
        EnableWindow(GetDlgItem(dialog, id), TRUE);
    // Each row: the field's text set, then characters typed, then a key (Tab through the
    // dialog manager, which moves the focus away; others straight to the field).
    const struct { int id; const char *text, *typed; WPARAM key; int modifier; const char *expected; } rows[] = {
        {IDC_CENTER_LAT, "", "100", VK_TAB, 0, "90.000"},
        {IDC_CENTER_LAT, "", "45.5", VK_TAB, 0, "45.500"},
        {IDC_CENTER_LAT, "", "1e1", VK_TAB, 0, "10.000"},
        {IDC_RADIUS, "", "-", VK_TAB, 0, "0"},
        {IDC_RADIUS, "", "99999999999", VK_TAB, 0, "180"},
        {IDC_CENTER_LAT, "", "200", 0, 0, "200"}, // unclamped until rewritten
        {IDC_CENTER_LON, "", "1e5aE x,;", 0, 0, "1e5E"},
        {IDC_RADIUS, "", "1.2eE x\b", 0, 0, "1"}, // Backspace reaches the control
        {IDC_CENTER_LAT, "89.950", "", VK_UP, 0, "90.000"},
        {IDC_CENTER_LAT, "-90.000", "", VK_DOWN, 0, "-90.000"},
        {IDC_CENTER_LAT, "-300", "", VK_UP, 0, "-89.900"},
        {IDC_CENTER_LAT, "-300", "", VK_UP, VK_SHIFT, "-90.000"}, // the large step adds first
        {IDC_RADIUS, "3", "", VK_UP, VK_SHIFT, "8"},
        {IDC_RADIUS, "3", "", VK_DOWN, VK_CONTROL, "0"},
        {IDC_RADIUS, "178", "", VK_UP, VK_CONTROL, "180"},
        {IDC_CENTER_LON, "5.000", "", VK_PRIOR, 0, "5.000"},
    };
    for (const auto &row : rows) {
        HWND edit = GetDlgItem(dialog, row.id);
        SetFocus(edit);
        SetWindowTextA(edit, row.text);
        TypeChars(edit, row.typed);
        if (row.key == VK_TAB)
            EXPECT_TRUE(DialogKey(dialog, edit, VK_TAB) && GetFocus() != edit) << row.typed;
        else if (row.key)
            SendKeyDown(edit, row.key, row.modifier);
        EXPECT_EQ(row.expected, WindowText(edit)) << row.text << row.typed << " key " << row.key;
    }

    // A paste is not filtered; the whole part is what the field holds.
    HWND radius = GetDlgItem(dialog, IDC_RADIUS);
    ASSERT_TRUE(OpenClipboard(dialog));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(GlobalLock(memory), "12.7", 5);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SetWindowTextA(radius, "");
    SendMessageA(radius, WM_PASTE, 0, 0);
    EXPECT_EQ("12.7", WindowText(radius));
    EXPECT_EQ(12.0, SpinFieldGetValue(&RadiusField));
    SendMessageA(radius, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ("12", WindowText(radius));
    DestroyWindow(dialog);
}

TEST(SpinFields, ReadOnlyUnboundedHexFieldOnAPlainEdit)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 200, 24, NULL, NULL, GetModuleHandleA(NULL), NULL);
    static SpinField hex = {edit, nullptr, 0.0, 0.0, 1.0, 16.0, 0, SPIN_HEX, 0, 0};
    SpinFieldAttach(&hex);
    TypeChars(edit, "5Fz\b");
    SendKeyDown(edit, VK_DELETE);
    EXPECT_EQ("0", WindowText(edit)); // nothing typed reaches a read-only field
    SendKeyDown(edit, VK_UP, VK_SHIFT);
    SendKeyDown(edit, VK_DOWN);
    EXPECT_EQ("F", WindowText(edit));
    SpinFieldSetValue(&hex, -1.0);
    EXPECT_EQ(-1.0, SpinFieldGetValue(&hex));

    // Another record attached to the same control replaces the first, and the same record
    // attached again changes nothing, without looping messages; the largest number fits the
    // field's buffers both ways.
    static SpinField decimal = {edit, nullptr, 0.0, 0.0, 1.0, 10.0, 3, SPIN_DECIMAL, 1, 0};
    SpinFieldAttach(&decimal);
    SpinFieldAttach(&decimal);
    SpinFieldSetValue(&decimal, DBL_MAX);
    EXPECT_LT(WindowText(edit).size(), 80u);
    EXPECT_EQ(DBL_MAX, SpinFieldGetValue(&decimal));
    DestroyWindow(edit);
}

} // namespace
