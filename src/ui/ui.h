/*
 * The small operations every window of the program shares: centring a window on the screen,
 * the program's own version strings, and the functions of the libraries loaded on first use.
 */
#ifndef VANTREL_UI_H
#define VANTREL_UI_H

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

/* The three strings the program reads from its own version block. */
struct VersionStrings {
    char ProductName[256];
    char FileVersion[256];
    char LegalCopyRight[256];
};

void ReadVersionStrings(VersionStrings *record);
void CenterWindow(HWND window);

/* Functions of the libraries that only a later click needs, loaded the first time one is
 * called so that the start does not pay for them. When its library cannot be loaded, each
 * does nothing and reports failure: no file chosen, no file name, no page opened, no GUID. */
BOOL LateGetOpenFileName(OPENFILENAMEA *dialogInfo);
BOOL LateGetSaveFileName(OPENFILENAMEA *dialogInfo);
UINT LateDragQueryFile(HDROP drop, UINT index, char *file, UINT size);
void LateDragFinish(HDROP drop);
/* ShellExecuteA's "open" of `address`, shown; TRUE when the shell took it. */
BOOL LateOpenInShell(HWND owner, const char *address);
/* CoCreateGuid; TRUE when it made one. */
BOOL LateCreateGuid(GUID *guid);

#endif
