/*
 * The front panel as the other subsystems see it: the main dialog, and the two small
 * operations that several windows share (centring and the version strings).
 */
#ifndef VANTREL_PANEL_H
#define VANTREL_PANEL_H

#include <windows.h>

#include <shellapi.h>

/* The three strings the program reads from its own version block. */
struct VersionStrings {
    char ProductName[256];
    char FileVersion[256];
    char LegalCopyRight[256];
};

void ReadVersionStrings(VersionStrings *record);
void CenterWindow(HWND window);

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void EnablePartialFields(BOOL enable);

/* "..." and "&Go!". */
void OnBrowse(HWND dialog);
void OnGo(HWND dialog);

/* A file dropped on the panel becomes the input file; a folder is refused. Ends the drop. */
void OnDropFiles(HWND dialog, HDROP drop);

/* The panel as the user left it, kept in the registry. */
void LoadPanelSettings(HWND dialog);
void SavePanelSettings(HWND dialog);

#endif
