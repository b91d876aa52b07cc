/*
 * The two accessory dialogs the main dialog opens, and the operations they are built from.
 */
#ifndef VANTREL_DIALOGS_H
#define VANTREL_DIALOGS_H

#include <windows.h>

INT_PTR CALLBACK ObjIdDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* Creates one GUID and shows it in both fields; both are emptied if Windows cannot make one. */
void GenerateObjectId(HWND spacedField, HWND plainField);

/* The system default locale's thousands separator: a period when it cannot be read or is longer
 * than one character, NUL when it is empty. */
char GetThousandSeparator();

/* `value` in decimal with the system's thousands separator; never longer than bufferSize - 1. */
char *FormatThousands(char *buffer, size_t bufferSize, DWORD value);

/* Asks the shell to open the maker's web page in the user's browser. */
BOOL OpenHomePage(HWND owner);

/* The address OpenHomePage opens. */
extern const char HomePageAddress[];

#endif
