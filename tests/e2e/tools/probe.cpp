/*
 * probe.exe: reads the state of another process's windows from inside Wine, for the
 * end-to-end tests (which drive the program only with X keyboard and mouse input).
 *
 *   probe exists TITLE              1 when a top-level window with that exact title exists
 *   probe text TITLE [ID]           text of the window, or of its child control ID
 *   probe enabled TITLE [ID]        1 or 0
 *   probe checked TITLE ID          the button's check state
 *   probe list TITLE                entries of the window's first list box, one a line
 *   probe extent TITLE              the list box's horizontal extent
 *   probe rect TITLE [ID]           screen rectangle: left top width height
 *   probe focus                     the focused window: top-level title, class, control id
 *   probe close TITLE               posts WM_CLOSE to the window
 *   probe syscommand TITLE CMD      posts WM_SYSCOMMAND (another process's system menu is out of reach)
 *
 * Text crosses the process boundary with the W messages (the A forms of some list-box
 * messages return only the first character across processes under Wine) and is printed as UTF-8.
 * Exit code 0 on success, 1 when the window is not there, 2 on bad usage.
 */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

static std::string Utf8(const wchar_t *text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, NULL, NULL);
    return out;
}

static std::wstring Wide(const char *text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, NULL, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], n);
    return out;
}

static HWND FindTopLevel(const char *title)
{
    return FindWindowW(NULL, Wide(title).c_str());
}

static HWND FindTarget(int argc, char **argv)
{
    HWND window = FindTopLevel(argv[2]);
    if (window && argc > 3)
        window = GetDlgItem(window, atoi(argv[3]));
    return window;
}

static std::string TextOf(HWND window)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, (LPARAM)&text[0], SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return Utf8(text.c_str());
}

static HWND FirstListBox(HWND window)
{
    return FindWindowExW(window, NULL, L"LISTBOX", NULL);
}

static int PrintList(HWND list)
{
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (length < 0)
            length = 0;
        std::wstring text(length + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)&text[0]);
        printf("%s\n", Utf8(text.c_str()).c_str());
    }
    return 0;
}

static int PrintFocus()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND foreground = GetForegroundWindow();
    DWORD thread = foreground ? GetWindowThreadProcessId(foreground, NULL) : 0;
    if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) {
        printf("none\n");
        return 0;
    }
    wchar_t className[256] = L"";
    GetClassNameW(info.hwndFocus, className, 256);
    HWND top = GetAncestor(info.hwndFocus, GA_ROOT);
    printf("%s\t%s\t%d\n", TextOf(top).c_str(), Utf8(className).c_str(), GetDlgCtrlID(info.hwndFocus));
    return 0;
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const char *command = argv[1];
    if (!strcmp(command, "focus"))
        return PrintFocus();
    if (argc < 3)
        return 2;

    if (!strcmp(command, "exists")) {
        printf("%d\n", FindTopLevel(argv[2]) != NULL);
        return 0;
    }
    if (!strcmp(command, "syscommand")) {
        HWND top = FindTopLevel(argv[2]);
        if (!top || argc < 4)
            return top ? 2 : 1;
        PostMessageW(top, WM_SYSCOMMAND, strtoul(argv[3], NULL, 0), 0);
        return 0;
    }
    HWND window = FindTarget(argc, argv);
    if (!window)
        return 1;
    if (!strcmp(command, "text")) {
        printf("%s\n", TextOf(window).c_str());
    } else if (!strcmp(command, "enabled")) {
        printf("%d\n", IsWindowEnabled(window) ? 1 : 0);
    } else if (!strcmp(command, "checked")) {
        printf("%d\n", (int)SendMessageW(window, BM_GETCHECK, 0, 0));
    } else if (!strcmp(command, "list")) {
        HWND list = FirstListBox(window);
        return list ? PrintList(list) : 1;
    } else if (!strcmp(command, "extent")) {
        HWND list = FirstListBox(window);
        if (!list)
            return 1;
        printf("%d\n", (int)SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
    } else if (!strcmp(command, "rect")) {
        RECT r;
        GetWindowRect(window, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (!strcmp(command, "close")) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        return 2;
    }
    return 0;
}
