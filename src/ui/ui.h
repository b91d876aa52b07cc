/*
 * The two small operations every window of the program shares: centring a window on the
 * screen, and the program's own version strings.
 */
#ifndef VANTREL_UI_H
#define VANTREL_UI_H

#include <windows.h>

/* The three strings the program reads from its own version block. */
struct VersionStrings {
    char ProductName[256];
    char FileVersion[256];
    char LegalCopyRight[256];
};

void ReadVersionStrings(VersionStrings *record);
void CenterWindow(HWND window);

#endif
