/*
 * About dialog (not built yet).
 */
#include "dialogs/dialogs.h"

INT_PTR CALLBACK AboutDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
