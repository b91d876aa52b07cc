/*
 * probe.exe: reads the state of another process's windows from inside Wine, for the
 * end-to-end tests (which drive the program only with X keyboard and mouse input).
 *
 *   probe exists TITLE              1 when a top-level window with that exact title exists
 *   probe text TITLE [ID]           text of the window, or of its child control ID
 *   probe enabled TITLE [ID]        1 or 0
 *   probe checked TITLE ID          the button's check state
 *   probe list TITLE                entries of the window's first list box, one a line
 *   probe rect TITLE [ID]           screen rectangle: left top width height
 *   probe focus                     the focused window: top-level title, class, control id
 *   probe clipboard                 the clipboard's text, each CR shown as the two characters \r
 *   probe empty-clipboard           empties the clipboard, so that a copy shows in it afresh
 *
 * A list's lines cross the process boundary with the W messages (the A form of LB_GETTEXT
 * returns only the first character across processes under Wine).
 * Exit code 0 on success, 1 when the window is not there, 2 on bad usage.
 */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

/* Text in the program's code page; the list's lines are read with the W message (see above). */
static std::string Narrow(const wchar_t *text)
{
    char out[4096] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, NULL, NULL);
    return out;
}

static std::string TextOf(HWND window)
{
    char text[4096] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

static void PrintList(HWND list)
{
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)&text[0]);
        printf("%s\n", Narrow(text.c_str()).c_str());
    }
}

static void PrintFocus()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND foreground = GetForegroundWindow();
    char className[256] = "none";
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, NULL), &info) && info.hwndFocus) {
        GetClassNameA(info.hwndFocus, className, sizeof className);
        printf("%s\t%s\t%d\n", TextOf(GetAncestor(info.hwndFocus, GA_ROOT)).c_str(), className,
               GetDlgCtrlID(info.hwndFocus));
    } else {
        printf("%s\n", className);
    }
}

static void PrintClipboard()
{
    OpenClipboard(NULL);
    HANDLE data = GetClipboardData(CF_TEXT);
    const char *text = data ? (const char *)GlobalLock(data) : NULL;
    for (; text && *text; ++text)
        fputs(*text == '\r' ? "\\r" : std::string(1, *text).c_str(), stdout);
    printf("\n");
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
}

int main(int argc, char **argv)
{
    const char *command = argc > 1 ? argv[1] : "";
    HWND window = argc > 2 ? FindWindowA(NULL, argv[2]) : NULL;
    if (!strcmp(command, "exists"))
        printf("%d\n", window != NULL);
    else if (!strcmp(command, "focus"))
        PrintFocus();
    else if (!strcmp(command, "clipboard"))
        PrintClipboard();
    else if (!strcmp(command, "empty-clipboard"))
        return OpenClipboard(NULL) && EmptyClipboard() && CloseClipboard() ? 0 : 1;
    else if (window && argc > 3 && !(window = GetDlgItem(window, atoi(argv[3]))))
        return 1;
    else if (!window)
        return argc > 2 ? 1 : 2;
    else if (!strcmp(command, "text"))
        printf("%s\n", TextOf(window).c_str());
    else if (!strcmp(command, "enabled"))
        printf("%d\n", IsWindowEnabled(window) ? 1 : 0);
    else if (!strcmp(command, "checked"))
        printf("%d\n", (int)SendMessageA(window, BM_GETCHECK, 0, 0));
    else if (!strcmp(command, "list"))
        PrintList(FindWindowExA(window, NULL, "LISTBOX", NULL));
    else if (!strcmp(command, "rect")) {
        RECT r;
        GetWindowRect(window, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else
        return 2;
    return 0;
}
