/*
 * Vantrel's entry point: the main dialog, run modally until the user closes it.
 */
#include <windows.h>
#include <commctrl.h>

#include "panel/panel.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    /* The program ends with 0 however the dialog ended, even when it could not be created. */
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
    return 0;
}
