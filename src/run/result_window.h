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

/* The widths of the characters of the font selected in a device context, one per byte value,
 * so that a line is measured by adding up its bytes instead of asking GDI for each line. A
 * negative width marks a byte for which that sum could differ from TextWidth: lines holding
 * one are measured with TextWidth. */
struct CharWidthTable {
    int width[256];
};

/* Fills `table` for the font now selected in `dc`. */
void CharWidthTableRead(CharWidthTable *table, HDC dc);

/* What TextWidth(dc, text) gives, from the table where it can be. */
int TableTextWidth(const CharWidthTable *table, HDC dc, const char *text);

#endif
