// The decoder's run, with the stand-in decoder beside this test: started as a hidden child with
// one pipe for both streams, an empty standard input, no console window on show and no handle
// left behind; every line through the real pipe into the Result window, and the request as the
// decoder received it; OK and the owner disabled and the lines painted while the output runs,
// an idle wait woken by a sent message alone, the owner enabled again before the window goes;
// and a window that cannot be created.
#include <atomic>

#include "run/result_window.h"
#include "support.h"

namespace {

// A child whose read of standard input blocked would hang its run, and the time limit would
// fail the test.
TEST(ChildProcess, StreamsAsTheChildSeesThemAndNoHandleIsLeftOpen)
{
    const struct { const char *name, *value, *expected; } cases[] = {
        {"MORVANE_STDIN", "1", "stdin: end of file\r\n"},
        // Wine gives a console child no window; Windows would, hidden as the program asks.
        {"MORVANE_CONSOLE", "1", "console window: none, show 0\r\n"},
    };
    auto runAll = [&]() {
        for (const auto &c : cases) {
            SetEnvironmentVariableA("MORVANE_EMIT", "");
            SetEnvironmentVariableA(c.name, c.value);
            ChildRun run = RunChild("morvane.exe \"a\" \"b\"");
            EXPECT_EQ(c.expected, run.output) << c.name;
            EXPECT_EQ(0u, run.exitCode) << c.name;
            SetEnvironmentVariableA(c.name, NULL);
        }
    };
    runAll(); // past whatever the loader opens once
    DWORD before = HandleCount();
    runAll();
    EXPECT_EQ(before, HandleCount());
}

std::vector<std::string> Entries(HWND list)
{
    std::vector<std::string> entries;
    // Straight from the list box class, past the program's ANSI subclass: Wine converts a text
    // read through it in a fixed buffer of its own, which long entries overrun.
    WNDPROC listClassProc = (WNDPROC)GetClassLongPtrW(list, GCLP_WNDPROC);
    for (int i = 0; i < (int)SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        std::vector<wchar_t> text(CallWindowProcW(listClassProc, list, LB_GETTEXTLEN, i, 0) + 1);
        CallWindowProcW(listClassProc, list, LB_GETTEXT, i, (LPARAM)text.data());
        char bytes[4096] = "";
        WideCharToMultiByte(CP_ACP, 0, text.data(), -1, bytes, sizeof bytes, NULL, NULL);
        entries.push_back(bytes);
    }
    return entries;
}

class ResultWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        owner = CreateMainDialog();
        ASSERT_NE(nullptr, owner);
        SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    }
    void TearDown() override
    {
        for (const char *name : {"MORVANE_RECORD", "MORVANE_EMIT"})
            SetEnvironmentVariableA(name, NULL);
        DestroyWindow(owner);
    }
    HWND owner = nullptr;
};

// The lines in order, cut and split by the CR, LF and NUL rules, standard error among them, a
// last line without LF; the widest extent, that of a line of every byte a line can hold, each
// after a W, so that a byte given a wrong width in the table of character widths shows; and the
// request as the decoder's own argument vector received it, a path ending in a backslash included.
TEST_F(ResultWindow, FullRunShowsEveryLineAndPassesTheRequest)
{
    std::string record = TempPath("vantrel-run-record.txt"), everyByte, escaped;
    for (int i = 0; i < 2 * 255; ++i) // twice round, to be wider than the alphabet lines
        if (int byte = i % 255 + 1; byte != '\n' && byte != '\r') {
            char hex[8];
            snprintf(hex, sizeof hex, "W\\x%02X", byte);
            everyByte += 'W', everyByte += (char)byte, escaped += hex;
        }
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    SetEnvironmentVariableA("MORVANE_EMIT", ("a\\r\\nb\\n\\nab\\rcd\\n\\eon stderr\\n\\ocut\\0hidden\\n\\L\\n" + escaped +
                                             "\\nshort\\nerror, no newline\\r").c_str());
    std::vector<std::string> entries;
    int extent = -1, widest = 0;
    DecodeAndThen(
        owner,
        [&](HWND result) {
            HWND list = ListOf(result);
            entries = Entries(list);
            extent = (int)SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
            HDC dc = GetDC(list);
            HGDIOBJ kept = SelectObject(dc, (HFONT)SendMessageA(list, WM_GETFONT, 0, 0));
            for (const std::string &entry : entries) {
                SIZE size = {};
                GetTextExtentPoint32A(dc, entry.c_str(), (int)entry.size(), &size);
                widest = std::max(widest, (int)size.cx + GetSystemMetrics(SM_CYHSCROLL) - 2);
            }
            SelectObject(dc, kept);
            ReleaseDC(list, dc);
            PostMessageA(OkOf(result), BM_CLICK, 0, 0);
        },
        "C:\\maps dir\\", "Z:\\nonexistent\\\"out\".xml", 0x1f, 25, 45.5, -73.566);
    std::string alphabet;
    for (int i = 0; i < 3000; ++i)
        alphabet += (char)('a' + i % 26);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "", "abcd", "on stderr", "cut", alphabet.substr(0, 1023),
                                        alphabet.substr(1023, 1023), alphabet.substr(2046), everyByte, "short",
                                        "error, no newline"}),
              entries);
    EXPECT_EQ(widest, extent);
    std::ifstream received(record, std::ios::binary);
    EXPECT_EQ("morvane.exe -t -m -f -d -r25 -n45.50 -eW73.57 \"C:\\maps dir\\\\\" \"Z:\\nonexistent\\out.xml\"\n"
              "-t\n-m\n-f\n-d\n-r25\n-n45.50\n-eW73.57\nC:\\maps dir\\\nZ:\\nonexistent\\out.xml\n",
              std::string(std::istreambuf_iterator<char>(received), {}));
    received.close();
    DeleteFileA(record.c_str());
}

struct RunWatch {
    DWORD guiThread;
    HWND owner;
    std::atomic<bool> idle{false}, returned{false};
    DWORD sentAt = 0;
    int okDisabledSamples = 0, ownerEnabledWhileOkDisabled = 0, ink = 0;
};

// The GUI thread handles no message while the output runs, so a second thread samples OK, the
// owner and the ink in the list's first row (the first line's text, once it is painted). Once
// the wait loop idles with no timer left, OK's command sent from here must wake it alone; a
// loop that missed it would sleep for ever, so it is then ended by a quit message instead, and
// the test fails.
DWORD WINAPI WatchTheRun(void *context)
{
    RunWatch *watch = static_cast<RunWatch *>(context);
    for (DWORD start = GetTickCount(); !watch->idle && GetTickCount() - start < 15000; Sleep(10)) {
        HWND result = ResultOf(watch->guiThread), ok = result ? OkOf(result) : NULL;
        if (!ok || IsWindowEnabled(ok))
            continue;
        ++watch->okDisabledSamples;
        watch->ownerEnabledWhileOkDisabled += IsWindowEnabled(watch->owner) != 0;
        HDC dc = GetDC(ListOf(result));
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 120; ++x)
                watch->ink += !IsWindowEnabled(ok) && GetPixel(dc, x, y) != GetSysColor(COLOR_WINDOW);
        ReleaseDC(ListOf(result), dc);
    }
    Sleep(300);
    watch->sentAt = GetTickCount();
    SendMessageTimeoutA(ResultOf(watch->guiThread), WM_COMMAND, IDOK, 0, SMTO_NORMAL, 3000, NULL);
    for (int i = 0; i < 100 && !watch->returned; ++i)
        Sleep(10);
    if (!watch->returned)
        PostThreadMessageA(watch->guiThread, WM_QUIT, 0, 0);
    return 0;
}

HWND WatchedOwner, WatchedResult;
int OwnerEnabledAtDestroy = -1;
HHOOK Hook;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_DESTROYWND && (HWND)wParam == WatchedResult)
        OwnerEnabledAtDestroy = IsWindowEnabled(WatchedOwner);
    return CallNextHookEx(Hook, code, wParam, lParam);
}

// One run with slow output from start to end, then one ended by a quit message (which the wait
// loop consumes): the owner, disabled while the window waits, is enabled before it is destroyed.
TEST_F(ResultWindow, OneRunFromTheFirstLinePaintedToTheOwnerEnabledBeforeTheWindowGoes)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "WWWWWWWWWWWW first line\\n\\w\\w\\w\\w\\w\\w\\w\\w\\w\\wsecond\\n\\w\\w");
    RunWatch watch;
    watch.guiThread = GetCurrentThreadId();
    watch.owner = WatchedOwner = owner;
    Hook = SetWindowsHookExA(WH_CBT, WatchDestroy, NULL, GetCurrentThreadId());
    HANDLE watcher = CreateThread(NULL, 0, WatchTheRun, &watch, 0, NULL);
    bool ownerDisabled = false;
    DecodeAndThen(owner, [&](HWND result) {
        WatchedResult = result;
        ownerDisabled = !IsWindowEnabled(owner);
        watch.idle = true; // no timer from here on
    });
    watch.returned = true;
    EXPECT_LT((int)(GetTickCount() - watch.sentAt), 3000) << "the sent message did not end the wait";
    WaitForSingleObject(watcher, 10000);
    CloseHandle(watcher);
    EXPECT_GT(watch.okDisabledSamples, 20);
    EXPECT_EQ(0, watch.ownerEnabledWhileOkDisabled);
    EXPECT_GT(watch.ink, 20);
    EXPECT_TRUE(ownerDisabled && !IsWindow(WatchedResult));
    EXPECT_EQ(TRUE, OwnerEnabledAtDestroy);

    OwnerEnabledAtDestroy = -1;
    DecodeAndThen(owner, [&](HWND result) { WatchedResult = result, PostQuitMessage(7); });
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(!IsWindow(WatchedResult));
    EXPECT_EQ(TRUE, OwnerEnabledAtDestroy) << "after a quit message";
    UnhookWindowsHookEx(Hook);
}

LRESULT CALLBACK RefuseResultWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && ((CBT_CREATEWNDA *)lParam)->lpcs->hwndParent == WatchedOwner)
        return 1;
    return CallNextHookEx(Hook, code, wParam, lParam);
}

// A Result window that cannot be created: the run returns at once, starts no decoder and
// leaves the owner enabled.
TEST_F(ResultWindow, WindowThatCannotBeCreatedLeavesTheOwnerEnabled)
{
    std::string record = TempPath("vantrel-refused-record.txt");
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    WatchedOwner = owner;
    Hook = SetWindowsHookExA(WH_CBT, RefuseResultWindow, NULL, GetCurrentThreadId());
    RunDecoder(owner, "C:\\maps\\in.bgl", "C:\\out\\out.xml", 0, 0, 0, 0);
    UnhookWindowsHookEx(Hook);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(record.c_str()));
}

} // namespace
