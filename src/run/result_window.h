/*
 * The Result window's window procedures and its text measure, used inside the decoder run.
 */
#ifndef VANTREL_RESULT_WINDOW_H
#define VANTREL_RESULT_WINDOW_H

#include <windows.h>

LRESULT CALLBACK ResultWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ResultListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ResultOkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Width in pixels of the whole of `text` in `dc`; 0 if it cannot be measured. */
int TextWidth(HDC dc, const char *text);

#endif
