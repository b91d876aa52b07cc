/*
 * RunDecoder and the Result window: the decoder's output lines arrive in a list over the
 * disabled main dialog, and the window then waits until the user dismisses it.
 */
#include "run/run.h"

#include <stdlib.h>
#include <string.h>

#include "run/child_process.h"
#include "run/core/cmdline.h"
#include "run/core/lines.h"
#include "run/result_window.h"
#include "ui/ui.h"

/* One run at a time: the windows, their previous procedures, and whether the user is done. */
static HWND ResultWindow;
static HWND ResultList;
static HWND ResultOk;
static WNDPROC PreviousResultProc;
static WNDPROC PreviousListProc;
static WNDPROC PreviousOkProc;
static int ResultDone;

/* While output pours in, the list is repainted no more often than this. */
static const DWORD SHOW_INTERVAL_MS = 100;

/* How often an empty pipe is looked at again at once before the loop starts napping. */
static const int EMPTY_YIELDS = 50;

/* The list's lines and its horizontal extent while the output is read. */
struct ResultOutput {
    HWND list;
    HDC dc;
    CharWidthTable widths;
    int allowance;
    int largestExtent;
    LRESULT reservedItems; /* the items the list has room for, as it last said */
    LineAssembly assembly;
    bool unshown;
    DWORD lastShown;
};

int TextWidth(HDC dc, const char *text)
{
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return size.cx;
}

/* The code page in which GDI reads the DC's 8-bit text: that of its font's character set. */
static UINT TextCodePage(HDC dc)
{
    CHARSETINFO info = {};
    if (TranslateCharsetInfo((DWORD *)(UINT_PTR)GetTextCharset(dc), &info, TCI_SRCCHARSET))
        return info.ciACP;
    return CP_ACP;
}

/* A byte's width counts only where it measures alone as GetCharWidth32A says (character
 * spacing, for one, widens every character of a line) and where it stands for a character
 * by itself, not as the first half of a double-byte one. */
void CharWidthTableRead(CharWidthTable *table, HDC dc)
{
    INT widths[256];
    bool read = GetCharWidth32A(dc, 0, 255, widths) != 0;
    UINT codePage = TextCodePage(dc);
    table->width[0] = 0;
    for (int byte = 1; byte < 256; ++byte) {
        const char alone[2] = {(char)byte, '\0'};
        bool adds = read && !IsDBCSLeadByteEx(codePage, (BYTE)byte) && widths[byte] == TextWidth(dc, alone);
        table->width[byte] = adds ? widths[byte] : -1;
    }
}

int TableTextWidth(const CharWidthTable *table, HDC dc, const char *text)
{
    int sum = 0;
    for (const unsigned char *at = (const unsigned char *)text; *at; ++at) {
        int width = table->width[*at];
        if (width < 0)
            return TextWidth(dc, text);
        sum += width;
    }
    return sum;
}

static bool IsCopyKey(UINT message, WPARAM wParam);
static void CopyResultLines();

LRESULT CALLBACK ResultWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    /* The window itself holds the focus when the output has ended: Ctrl+C copies from there
     * too, as from the list and OK. */
    if (IsCopyKey(message, wParam))
        CopyResultLines();
    switch (message) {
    case WM_COMMAND:
        if (wParam == IDOK)
            ResultDone = 1;
        break;
    case WM_CHAR:
        if ((wParam & 0xff) == 27)
            ResultDone = 1;
        break;
    case WM_CLOSE:
        /* Nothing closes the window but OK, Enter on OK, or Escape. */
        if (!ResultDone)
            return 1;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            HWND focus = GetFocus();
            SetFocus(!focus || focus == ResultList ? ResultOk : ResultList);
        }
        break;
    }
    return CallWindowProcA(PreviousResultProc, window, message, wParam, lParam);
}

/* Every listed line, as listed, separated by CR LF, put on the clipboard as text. An empty
 * list copies nothing and leaves the clipboard as it was. */
static void CopyResultLines()
{
    int count = (int)SendMessageA(ResultList, LB_GETCOUNT, 0, 0);
    if (count <= 0)
        return;
    size_t size = 1;
    for (int i = 0; i < count; ++i)
        size += (size_t)SendMessageA(ResultList, LB_GETTEXTLEN, i, 0) + 2;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    char *text = memory ? (char *)GlobalLock(memory) : NULL;
    if (!text) {
        if (memory)
            GlobalFree(memory);
        return;
    }
    char *at = text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            *at++ = '\r';
            *at++ = '\n';
        }
        LRESULT length = SendMessageA(ResultList, LB_GETTEXT, i, (LPARAM)at);
        if (length > 0)
            at += length;
    }
    *at = '\0';
    GlobalUnlock(memory);
    /* Once the clipboard holds the memory, it is the clipboard's to free. */
    if (!OpenClipboard(ResultWindow)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

static bool IsCopyKey(UINT message, WPARAM wParam)
{
    return message == WM_KEYDOWN && wParam == 'C' && GetKeyState(VK_CONTROL) < 0;
}

LRESULT CALLBACK ResultListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsCopyKey(message, wParam))
        CopyResultLines();
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        SetFocus(ResultOk);
        return 1;
    }
    return CallWindowProcA(PreviousListProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ResultOkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsCopyKey(message, wParam))
        CopyResultLines();
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        SetFocus(ResultList);
        return 1;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN)
        SendMessageA(ResultWindow, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    return CallWindowProcA(PreviousOkProc, window, message, wParam, lParam);
}

/* The Ptr forms throughout: procedures and instance handles are 64 bits wide in the 64-bit
 * build, and the plain Long forms would cut them. */
static WNDPROC Subclass(HWND window, WNDPROC replacement)
{
    WNDPROC previous = (WNDPROC)GetWindowLongPtrA(window, GWLP_WNDPROC);
    SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)replacement);
    return previous;
}

/* The Result window with its list and OK button; false if the window itself cannot be made. */
static bool CreateResultWindows(HWND owner)
{
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(owner, GWLP_HINSTANCE);
    char className[512] = "";
    GetClassNameA(owner, className, sizeof className);

    ResultWindow = CreateWindowExA(0, className, "Result", WS_VISIBLE | WS_CAPTION, 0, 0, 400, 360, owner, NULL,
                                   instance, NULL);
    if (!ResultWindow)
        return false;
    PreviousResultProc = Subclass(ResultWindow, ResultWndProc);

    ResultList = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "Result",
                                 WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_HASSTRINGS, 16, 8, 360, 270,
                                 ResultWindow, NULL, instance, NULL);
    if (ResultList)
        PreviousListProc = Subclass(ResultList, ResultListProc);

    ResultOk = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 159, 290, 75, 25,
                               ResultWindow, NULL, instance, NULL);
    if (ResultOk) {
        SetWindowLongPtrA(ResultOk, GWLP_ID, IDOK);
        PreviousOkProc = Subclass(ResultOk, ResultOkProc);
    }
    return true;
}

static void UseOwnerFont(HWND owner)
{
    WPARAM font = (WPARAM)SendMessageA(owner, WM_GETFONT, 0, 0);
    SendMessageA(ResultWindow, WM_SETFONT, font, TRUE);
    SendMessageA(ResultList, WM_SETFONT, font, TRUE);
    SendMessageA(ResultOk, WM_SETFONT, font, TRUE);
}

/* Paints the lines added since the last time, then suspends the list's redrawing again: a
 * list with scroll bars redraws them on every added line otherwise, which costs
 * milliseconds a line. */
static void ShowResultLines(ResultOutput *output)
{
    SendMessageA(output->list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(output->list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    SendMessageA(output->list, WM_SETREDRAW, FALSE, 0);
    output->unshown = false;
    output->lastShown = GetTickCount();
}

static void AddResultLine(void *context, const char *line)
{
    ResultOutput *output = (ResultOutput *)context;
    SendMessageA(output->list, LB_ADDSTRING, 0, (LPARAM)line);
    /* The extent only grows. */
    int candidate = TableTextWidth(&output->widths, output->dc, line) + output->allowance - 2;
    if (candidate > output->largestExtent) {
        SendMessageA(output->list, LB_SETHORIZONTALEXTENT, (WPARAM)candidate, 0);
        output->largestExtent = candidate;
    }
    output->unshown = true;
}

static bool PipeIsEmpty(HANDLE pipe)
{
    DWORD available = 0;
    return PeekNamedPipe(pipe, NULL, 0, NULL, &available, NULL) && available == 0;
}

/* Makes room in the list for the lines a block ends before they are added. The list box grows
 * its item array a few entries at a time, and an array grown by just what each block needs is
 * still copied whole once a block; room for at least as many items again as the list holds
 * keeps the copies to a few times the final array in all. The entries are not touched. */
static void ReserveListItems(ResultOutput *output, const char *block, DWORD count)
{
    LRESULT lines = 0;
    for (DWORD i = 0; i < count; ++i)
        lines += block[i] == '\n';
    LRESULT listed = SendMessageA(output->list, LB_GETCOUNT, 0, 0);
    if (lines < 1 || listed < 0 || listed + lines <= output->reservedItems)
        return;
    WPARAM more = (WPARAM)(listed > lines ? listed : lines);
    output->reservedItems = SendMessageA(output->list, LB_INITSTORAGE, more, (LPARAM)count);
}

/* Reads the output in blocks until the pipe ends; the lines are assembled byte by byte. Lines
 * that arrived are painted at most every SHOW_INTERVAL_MS, and before the loop blocks in a
 * silence, so the user sees them without each line paying for a repaint. */
static void ReadDecoderOutput(HANDLE pipe, ResultOutput *output)
{
    char block[16384];
    int emptyLooks = 0;
    for (;;) {
        if (output->unshown) {
            DWORD elapsed = GetTickCount() - output->lastShown;
            if (elapsed >= SHOW_INTERVAL_MS) {
                ShowResultLines(output);
            } else if (PipeIsEmpty(pipe)) {
                /* Often the decoder is only between two writes. Napping there left the list
                 * idle while the decoder filled the pipe and waited for room (10 ms naps cost
                 * the 32-bit build about a third of its time a line), so the loop first only
                 * yields the processor, for the first EMPTY_YIELDS looks, then naps 1 ms. */
                Sleep(++emptyLooks <= EMPTY_YIELDS ? 0 : 1);
                continue;
            }
        }
        emptyLooks = 0;
        DWORD count = 0;
        if (!ReadFile(pipe, block, sizeof block, &count, NULL) || count == 0)
            break;
        ReserveListItems(output, block, count);
        LineAssemblyFeed(&output->assembly, block, count, AddResultLine, output);
    }
    LineAssemblyFinish(&output->assembly, AddResultLine, output);
}

static void RunCapturedDecoder(char *commandLine)
{
    ResultOutput output = {};
    output.list = ResultList;
    output.allowance = GetSystemMetrics(SM_CYHSCROLL);
    output.dc = GetDC(ResultList);
    HFONT listFont = (HFONT)SendMessageA(ResultList, WM_GETFONT, 0, 0);
    HGDIOBJ keptFont = listFont ? SelectObject(output.dc, listFont) : NULL;
    CharWidthTableRead(&output.widths, output.dc);
    output.largestExtent = 0;
    LineAssemblyReset(&output.assembly);

    HANDLE pipe = NULL, process = NULL;
    if (commandLine && StartCapturedChild(commandLine, &pipe, &process)) {
        SendMessageA(ResultList, WM_SETREDRAW, FALSE, 0);
        output.lastShown = GetTickCount();
        ReadDecoderOutput(pipe, &output);
        CloseHandle(pipe);
        CloseHandle(process);
        SendMessageA(ResultList, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(ResultList, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }

    if (keptFont)
        SelectObject(output.dc, keptFont);
    ReleaseDC(ResultList, output.dc);
}

/* Dispatches messages until the user dismisses the window or a quit message arrives. When
 * the queue is empty it sleeps until something arrives, sent messages included. */
static void WaitForDismissal()
{
    MSG msg;
    while (!ResultDone) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        /* A sent message handled inside PeekMessageA may have ended the wait. */
        if (ResultDone)
            break;
        MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void RunDecoder(HWND owner, const char *inputPath, const char *outputPath, unsigned flags, int radius,
                double centerLatitude, double centerLongitude)
{
    if (!CreateResultWindows(owner))
        return;
    UseOwnerFont(owner);
    CenterWindow(ResultWindow);
    ResultDone = 0;

    ShowWindow(ResultList, SW_SHOW);
    ShowWindow(ResultOk, SW_SHOW);
    ShowWindow(ResultWindow, SW_SHOW);
    UpdateWindow(ResultWindow);
    EnableWindow(owner, FALSE);
    EnableWindow(ResultOk, FALSE);

    DecodeRequest request = {owner, inputPath, outputPath, flags, radius, centerLatitude, centerLongitude};
    char *commandLine = BuildDecoderCommandLine(&request);
    RunCapturedDecoder(commandLine);
    free(commandLine);

    EnableWindow(ResultOk, TRUE);
    WaitForDismissal();

    /* The owner first, so it is usable (and activated) as the window goes. */
    EnableWindow(owner, TRUE);
    DestroyWindow(ResultOk);
    DestroyWindow(ResultList);
    DestroyWindow(ResultWindow);
    ResultWindow = ResultList = ResultOk = NULL;
}
