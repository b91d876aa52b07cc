/*
 * minimal_dialog.exe: the floor for the start-up benchmark. A modal dialog with one button,
 * titled "Floor", built with the same compiler, flags, runtime and manifest as vantrel.exe,
 * with nothing else done at start-up.
 */
#include <windows.h>
#include <commctrl.h>

#include <string.h>

static INT_PTR CALLBACK FloorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
    return FALSE;
}

/* Appends a UTF-16 copy of an ASCII text to a template under construction. */
static WORD *AppendText(WORD *at, const char *text)
{
    do
        *at++ = (WORD)(unsigned char)*text;
    while (*text++);
    return at;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    static DWORD storage[256];
    memset(storage, 0, sizeof storage);
    DLGTEMPLATE *dialog = (DLGTEMPLATE *)storage;
    dialog->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_CENTER;
    dialog->cdit = 1;
    dialog->cx = 120;
    dialog->cy = 50;
    WORD *at = (WORD *)(dialog + 1);
    *at++ = 0; /* no menu */
    *at++ = 0; /* default class */
    at = AppendText(at, "Floor");
    *at++ = 8;
    at = AppendText(at, "MS Sans Serif");
    at = (WORD *)(((ULONG_PTR)at + 3) & ~(ULONG_PTR)3);
    DLGITEMTEMPLATE *item = (DLGITEMTEMPLATE *)at;
    item->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    item->x = 35;
    item->y = 18;
    item->cx = 50;
    item->cy = 14;
    item->id = IDCANCEL;
    at = (WORD *)(item + 1);
    *at++ = 0xFFFF;
    *at++ = 0x0080; /* BUTTON */
    at = AppendText(at, "Cancel");
    *at++ = 0;
    DialogBoxIndirectParamA(instance, dialog, NULL, FloorDlgProc, 0);
    return 0;
}
