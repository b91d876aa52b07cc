/*
 * The front panel as the other subsystems see it: the main dialog and its handlers.
 */
#ifndef VANTREL_PANEL_H
#define VANTREL_PANEL_H

#include <windows.h>

#include <shellapi.h>

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* "..." and "&Go!". */
void OnBrowse(HWND dialog);
void OnGo(HWND dialog);

/* A file dropped on the panel becomes the input file; a folder is refused. Ends the drop. */
void OnDropFiles(HWND dialog, HDROP drop);

/* The panel as the user left it, kept in the registry. */
void LoadPanelSettings(HWND dialog);
void SavePanelSettings(HWND dialog);

#endif
