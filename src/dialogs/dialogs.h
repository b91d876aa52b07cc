/*
 * The two accessory dialogs the main dialog opens.
 */
#ifndef VANTREL_DIALOGS_H
#define VANTREL_DIALOGS_H

#include <windows.h>

INT_PTR CALLBACK ObjIdDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
