// RunDecoder and the Result window, over the real main dialog with the real morvane.exe
// beside this test: lines in arrival order with the CR, LF and NUL rules, the extent, OK
// disabled while the output runs, the keys that move focus and dismiss, the ignored close
// request, and the owner enabled again before the window goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "run/run.h"
#include "run_support.h"
#include "win32_support.h"

namespace {

// The Result window of a thread, if one is up. FindWindowEx reads no title through a
// message, so another thread may ask while the GUI thread is busy reading the output.
HWND ResultOf(DWORD thread = GetCurrentThreadId())
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, "Result")) && GetWindowThreadProcessId(window, NULL) != thread)
        ;
    return window;
}

HWND ListOf(HWND result)
{
    return FindWindowExA(result, NULL, "LISTBOX", NULL);
}

HWND OkOf(HWND result)
{
    return GetDlgItem(result, IDOK);
}

void ClickOk(HWND result)
{
    PostMessageA(OkOf(result), BM_CLICK, 0, 0);
}

// Keys as the wait loop receives them: posted key-downs, translated and dispatched.
void PostKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1 | (MapVirtualKeyA((UINT)key, MAPVK_VK_TO_VSC) << 16));
}

std::vector<std::string> Entries(HWND list)
{
    std::vector<std::string> entries;
    // Straight from the list box class, past the program's ANSI subclass: Wine converts a
    // text read through it in a fixed buffer of its own, which long entries overrun.
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

// The widest entry, measured the way the window is told to: with the list's own font.
int ExpectedExtent(HWND list, const std::vector<std::string> &entries)
{
    HDC dc = GetDC(list);
    HGDIOBJ kept = SelectObject(dc, (HFONT)SendMessageA(list, WM_GETFONT, 0, 0));
    int largest = 0;
    for (const std::string &entry : entries) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, entry.c_str(), (int)entry.size(), &size);
        largest = std::max(largest, (int)size.cx + GetSystemMetrics(SM_CYHSCROLL) - 2);
    }
    SelectObject(dc, kept);
    ReleaseDC(list, dc);
    return largest;
}

class ResultWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        owner = CreateMainDialog();
        ASSERT_NE(nullptr, owner);
        PumpMessages(30);
        SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    }
    void TearDown() override
    {
        ClearDecoderSwitches();
        if (owner)
            DestroyWindow(owner);
    }

    // Runs a decode; `whileWaiting` is called from the wait loop once OK is enabled, with the
    // Result window, until it returns true. A run still going after the bound is ended.
    void Run(std::function<bool(HWND)> whileWaiting, const char *input = "C:\\maps\\in.bgl",
             const char *output = "C:\\out\\out.xml", unsigned flags = 0, int radius = 0, double latitude = 0,
             double longitude = 0)
    {
        const DWORD timeout = 15000;
        WhileModal(
            [=]() {
                HWND result = ResultOf();
                return result && IsWindowEnabled(OkOf(result)) && whileWaiting(result);
            },
            20, timeout,
            [=]() {
                ADD_FAILURE() << "the run had not ended after " << timeout << " ms";
                if (HWND result = ResultOf())
                    SendMessageA(result, WM_COMMAND, IDOK, 0);
                else
                    PostQuitMessage(0); // the window went some other way: end the wait loop
            });
        RunDecoder(owner, input, output, flags, radius, latitude, longitude);
    }

    HWND owner = nullptr;
};

// The lines in order, cut and split by the CR, LF and NUL rules, standard error among them,
// a last line without LF; the widest extent; and the request as the decoder's own argument
// vector received it, a path ending in a backslash included.
TEST_F(ResultWindow, FullRunShowsEveryLineAndPassesTheRequest)
{
    std::string record = TempPath("vantrel-run-record.txt");
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    SetEnvironmentVariableA("MORVANE_EMIT", "a\\r\\nb\\n\\nab\\rcd\\n\\eon stderr\\n\\ocut\\0hidden\\n"
                                            "\\L\\nshort\\nerror, no newline\\r");
    std::vector<std::string> entries;
    int extent = -1, expectedExtent = -2;
    Run(
        [&](HWND result) {
            entries = Entries(ListOf(result));
            extent = (int)SendMessageA(ListOf(result), LB_GETHORIZONTALEXTENT, 0, 0);
            expectedExtent = ExpectedExtent(ListOf(result), entries);
            ClickOk(result);
            return true;
        },
        "C:\\maps dir\\", "Z:\\nonexistent\\\"out\".xml", 0x1f, 25, 45.5, -73.566);
    std::string alphabet;
    for (int i = 0; i < 3000; ++i)
        alphabet += (char)('a' + i % 26);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "", "abcd", "on stderr", "cut", alphabet.substr(0, 1023),
                                        alphabet.substr(1023, 1023), alphabet.substr(2046), "short",
                                        "error, no newline"}),
              entries);
    EXPECT_EQ(expectedExtent, extent);
    EXPECT_GT(extent, 1000);
    EXPECT_EQ((std::vector<std::string>{
                  "morvane.exe -t -m -f -d -r25 -n45.50 -eW73.57 \"C:\\maps dir\\\\\" \"Z:\\nonexistent\\out.xml\"",
                  "-t", "-m", "-f", "-d", "-r25", "-n45.50", "-eW73.57", "C:\\maps dir\\",
                  "Z:\\nonexistent\\out.xml"}),
              FileLines(record));
    DeleteFileA(record.c_str());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(nullptr, ResultOf());
}

struct RunWatch {
    DWORD guiThread;
    HWND owner;
    std::atomic<bool> stop{false};
    int okDisabledSamples = 0, ownerEnabledWhileOkDisabled = 0, inkWhileRunning = 0;
};

// Pixels in the top rows of the list that are not its background: the first line's text,
// once it has been painted.
int InkInFirstRow(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    HDC dc = GetDC(list);
    int ink = 0;
    for (int y = 0; y < 14 && y < client.bottom; ++y)
        for (int x = 0; x < 120 && x < client.right; ++x)
            ink += GetPixel(dc, x, y) != GetSysColor(COLOR_WINDOW);
    ReleaseDC(list, dc);
    return ink;
}

// The GUI thread handles no message while the output runs, so a second thread watches and
// samples OK, the owner and the list's first row.
DWORD WINAPI WatchTheRun(void *context)
{
    RunWatch *watch = static_cast<RunWatch *>(context);
    for (DWORD start = GetTickCount(); !watch->stop && GetTickCount() - start < 15000; Sleep(10)) {
        HWND result = ResultOf(watch->guiThread);
        HWND ok = result ? OkOf(result) : NULL;
        if (!ok || IsWindowEnabled(ok))
            continue;
        ++watch->okDisabledSamples;
        watch->ownerEnabledWhileOkDisabled += IsWindowEnabled(watch->owner) != 0;
        if (watch->inkWhileRunning <= 20) {
            int ink = InkInFirstRow(ListOf(result));
            if (!IsWindowEnabled(ok))
                watch->inkWhileRunning = std::max(watch->inkWhileRunning, ink);
        }
    }
    return 0;
}

// While the decoder still talks, OK and the owner stay disabled, and the lines that arrived
// are painted: the user sees the output come, not only once it has ended.
TEST_F(ResultWindow, OkAndOwnerStayDisabledAndLinesArePaintedWhileTheOutputRuns)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "WWWWWWWWWWWW first line\\n\\w\\w\\w\\w\\w\\w\\w\\w\\w\\wsecond\\n\\w\\w");
    RunWatch watch;
    watch.guiThread = GetCurrentThreadId();
    watch.owner = owner;
    HANDLE watcher = CreateThread(NULL, 0, WatchTheRun, &watch, 0, NULL);
    std::vector<std::string> entries;
    Run([&](HWND result) {
        watch.stop = true;
        entries = Entries(ListOf(result));
        ClickOk(result);
        return true;
    });
    watch.stop = true;
    WaitForSingleObject(watcher, 5000);
    CloseHandle(watcher);
    EXPECT_GT(watch.okDisabledSamples, 20);
    EXPECT_EQ(0, watch.ownerEnabledWhileOkDisabled);
    EXPECT_GT(watch.inkWhileRunning, 20);
    EXPECT_EQ((std::vector<std::string>{"WWWWWWWWWWWW first line", "second"}), entries);
}

// While the window waits: a close request, sent or posted, leaves it up; Tab on the list,
// on OK, and on the Result window itself only ever moves the focus between the list and OK.
TEST_F(ResultWindow, WaitingWindowIgnoresCloseAndTabsBetweenListAndOk)
{
    std::vector<std::string> trail;
    int step = 0;
    Run([&](HWND result) {
        HWND list = ListOf(result), ok = OkOf(result), focus = GetFocus();
        if (step > 0)
            trail.push_back(focus == list ? "list" : focus == ok ? "ok" : "other");
        switch (step++) {
        case 0:
            SendMessageA(result, WM_CLOSE, 0, 0);
            trail.push_back(IsWindowVisible(result) ? "up" : "closed");
            PostMessageA(result, WM_CLOSE, 0, 0);
            PostMessageA(result, WM_SYSCOMMAND, SC_CLOSE, 0);
            SetFocus(list);
            PostKey(list, VK_TAB);
            return false;
        case 1: PostKey(ok, VK_TAB); return false;
        case 2: SendMessageA(result, WM_KEYDOWN, VK_TAB, 0); return false;
        case 3: SendMessageA(result, WM_KEYDOWN, VK_TAB, 0); return false;
        default:
            trail.push_back(IsWindowVisible(result) ? "up" : "closed");
            ClickOk(result);
            return true;
        }
    });
    EXPECT_EQ((std::vector<std::string>{"up", "ok", "list", "ok", "list", "up"}), trail);
}

HWND WatchedOwner, WatchedResult;
int OwnerEnabledAtDestroy = -1;
HHOOK DestroyHook;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_DESTROYWND && (HWND)wParam == WatchedResult)
        OwnerEnabledAtDestroy = IsWindowEnabled(WatchedOwner);
    return CallNextHookEx(DestroyHook, code, wParam, lParam);
}

// OK, Enter on OK, Escape with the window focused, and a quit message (which the wait loop
// consumes) each end the run; the owner, disabled while the window waits, is enabled again
// before the window is destroyed.
TEST_F(ResultWindow, EachDismissalEnablesTheOwnerBeforeTheWindowGoes)
{
    const struct {
        const char *name;
        void (*dismiss)(HWND result);
    } dismissals[] = {
        {"OK", ClickOk},
        {"Enter on OK", [](HWND result) { SetFocus(OkOf(result)); PostKey(OkOf(result), VK_RETURN); }},
        {"Escape", [](HWND result) { SetFocus(result); PostKey(result, VK_ESCAPE); }},
        {"quit", [](HWND) { PostQuitMessage(7); }},
    };
    WatchedOwner = owner;
    DestroyHook = SetWindowsHookExA(WH_CBT, WatchDestroy, NULL, GetCurrentThreadId());
    ASSERT_NE(nullptr, DestroyHook);
    for (const auto &dismissal : dismissals) {
        OwnerEnabledAtDestroy = -1;
        bool ownerDisabledWhileWaiting = false;
        Run([&](HWND result) {
            WatchedResult = result;
            ownerDisabledWhileWaiting = !IsWindowEnabled(owner);
            dismissal.dismiss(result);
            return true;
        });
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << dismissal.name;
        EXPECT_FALSE(IsWindow(WatchedResult)) << dismissal.name;
        EXPECT_TRUE(ownerDisabledWhileWaiting) << dismissal.name;
        EXPECT_EQ(TRUE, OwnerEnabledAtDestroy) << dismissal.name;
    }
    UnhookWindowsHookEx(DestroyHook);
}

struct LateOk {
    HWND result;
    DWORD guiThread;
    HANDLE returned;
};

DWORD WINAPI SendOkLater(void *context)
{
    LateOk *late = static_cast<LateOk *>(context);
    Sleep(300);
    SendMessageTimeoutA(late->result, WM_COMMAND, IDOK, 0, SMTO_NORMAL, 5000, NULL);
    // A loop that missed the sent message would sleep for ever: wake it so the test fails
    // instead of hanging.
    if (WaitForSingleObject(late->returned, 4000) != WAIT_OBJECT_0)
        PostThreadMessageA(late->guiThread, WM_NULL, 0, 0);
    return 0;
}

// The wait loop sleeps while nothing arrives; a message sent from another thread must still
// wake it and end the wait with no other message behind it.
TEST_F(ResultWindow, SentMessageAloneEndsAnIdleWait)
{
    LateOk late = {NULL, GetCurrentThreadId(), CreateEventA(NULL, TRUE, FALSE, NULL)};
    HANDLE sender = NULL;
    DWORD sentAt = 0;
    Run([&](HWND result) {
        late.result = result;
        sender = CreateThread(NULL, 0, SendOkLater, &late, 0, NULL);
        sentAt = GetTickCount() + 300;
        return true; // no timer from here on
    });
    EXPECT_LT((int)(GetTickCount() - sentAt), 3000);
    SetEvent(late.returned);
    ASSERT_NE(nullptr, sender);
    WaitForSingleObject(sender, 10000);
    CloseHandle(sender);
    CloseHandle(late.returned);
}

// With no morvane.exe to be found the window shows an empty list and OK still dismisses it.
// The decoder sits beside this test, so the check runs in a copy of this test in an empty
// folder, which is also the copy's current directory.
TEST_F(ResultWindow, MissingDecoderLeavesAnEmptyListThatOkDismisses)
{
    if (GetEnvironmentVariableA("VANTREL_TEST_ALONE", NULL, 0)) {
        char found[MAX_PATH];
        ASSERT_EQ(0u, SearchPathA(NULL, "morvane.exe", NULL, sizeof found, found, NULL)) << found;
        int entries = -1;
        Run([&](HWND result) {
            entries = (int)SendMessageA(ListOf(result), LB_GETCOUNT, 0, 0);
            ClickOk(result);
            return true;
        });
        EXPECT_EQ(0, entries);
        EXPECT_TRUE(IsWindowEnabled(owner));
        return;
    }
    char self[MAX_PATH] = "", previous[MAX_PATH] = "";
    GetModuleFileNameA(NULL, self, sizeof self);
    GetCurrentDirectoryA(sizeof previous, previous);
    std::string folder = TempPath("vantrel-alone-" + std::to_string(GetCurrentProcessId()));
    std::string copy = folder + "\\result_window_test.exe";
    CreateDirectoryA(folder.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    SetEnvironmentVariableA("VANTREL_TEST_ALONE", "1");
    SetCurrentDirectoryA(folder.c_str());
    ChildRun alone = CaptureChild("\"" + copy + "\" --gtest_filter=ResultWindow.MissingDecoder*", 60000);
    SetCurrentDirectoryA(previous);
    SetEnvironmentVariableA("VANTREL_TEST_ALONE", NULL);
    EXPECT_EQ(0u, alone.exitCode) << alone.output;
    EXPECT_NE(std::string::npos, alone.output.find("[  PASSED  ] 1 test.")) << alone.output;
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
