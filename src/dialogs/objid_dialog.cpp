/*
 * Object ID generator dialog (not built yet).
 */
#include "dialogs/dialogs.h"

INT_PTR CALLBACK ObjIdDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
