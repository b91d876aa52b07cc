// RunDecoder and the Result window, over the real main dialog with the real morvane.exe
// beside this test: lines in arrival order with the CR, LF and NUL rules, the extent, OK
// disabled while the output runs, the keys that move focus and dismiss, the ignored close
// request, and the owner enabled again before the window goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "run/run.h"
#include "win32_support.h"

namespace {

const char *const Switches[] = {"MORVANE_RECORD", "MORVANE_EMIT", "MORVANE_LINES", "MORVANE_STDIN",
                                "MORVANE_CONSOLE", "MORVANE_SLEEP_MS", "MORVANE_LINE_BYTES"};

BOOL CALLBACK FindResult(HWND window, LPARAM context)
{
    char title[32] = "";
    GetWindowTextA(window, title, sizeof title);
    if (strcmp(title, "Result") == 0) {
        *reinterpret_cast<HWND *>(context) = window;
        return FALSE;
    }
    return TRUE;
}

// The Result window of a thread, if one is up.
HWND ResultOf(DWORD thread)
{
    HWND found = NULL;
    EnumThreadWindows(thread, FindResult, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM context)
{
    OwnedSearch *search = reinterpret_cast<OwnedSearch *>(context);
    if (GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The same from another thread: reading a title would send a message to the busy GUI thread.
HWND ResultOwnedBy(DWORD thread, HWND owner)
{
    OwnedSearch search = {owner, NULL};
    EnumThreadWindows(thread, FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ListOf(HWND result)
{
    return FindWindowExA(result, NULL, "LISTBOX", NULL);
}

HWND OkOf(HWND result)
{
    return GetDlgItem(result, IDOK);
}

std::vector<std::string> Entries(HWND list)
{
    std::vector<std::string> entries;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        // Straight from the list box class, past the program's ANSI subclass: Wine converts a
        // text read through it in a fixed buffer of its own, which long entries overrun.
        WNDPROC listClassProc = (WNDPROC)GetClassLongPtrW(list, GCLP_WNDPROC);
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
        int candidate = (int)size.cx + GetSystemMetrics(SM_CYHSCROLL) - 2;
        if (candidate > largest)
            largest = candidate;
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
    }
    void TearDown() override
    {
        for (const char *name : Switches)
            SetEnvironmentVariableA(name, NULL);
        if (owner)
            DestroyWindow(owner);
    }

    // Runs a decode; `whileWaiting` is called from the wait loop once OK is enabled, with the
    // Result window, until it returns true. A run still up after the bound is dismissed.
    void Run(std::function<bool(HWND)> whileWaiting, DWORD timeout = 15000)
    {
        DWORD thread = GetCurrentThreadId();
        WhileModal(
            [=]() {
                HWND result = ResultOf(thread);
                if (!result || !IsWindowEnabled(OkOf(result)))
                    return false;
                return whileWaiting(result);
            },
            20, timeout,
            [=]() {
                ADD_FAILURE() << "the Result window was still up after " << timeout << " ms";
                HWND result = ResultOf(thread);
                if (result)
                    SendMessageA(result, WM_COMMAND, IDOK, 0);
            });
        RunDecoder(owner, "C:\\maps\\in.bgl", "C:\\out\\out.xml", 0, 0, 0, 0);
    }

    HWND owner = nullptr;
};

TEST_F(ResultWindow, ListHoldsTheLinesInOrderWithTheWidestExtent)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "a\\r\\nb\\n\\nab\\rcd\\n\\eon stderr\\n\\ocut\\0hidden\\n"
                                            "\\L\\nshort\\nerror, no newline\\r");
    std::vector<std::string> entries;
    int extent = -1, expectedExtent = -2;
    Run([&](HWND result) {
        HWND list = ListOf(result);
        entries = Entries(list);
        extent = (int)SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
        expectedExtent = ExpectedExtent(list, entries);

        PostMessageA(OkOf(result), BM_CLICK, 0, 0);
        return true;
    });
    std::string alphabet;
    for (int i = 0; i < 3000; ++i)
        alphabet += (char)('a' + i % 26);
    std::vector<std::string> expected = {"a", "b", "", "abcd", "on stderr", "cut", alphabet.substr(0, 1023),
                                         alphabet.substr(1023, 1023), alphabet.substr(2046), "short",
                                         "error, no newline"};
    EXPECT_EQ(expected, entries);
    EXPECT_EQ(expectedExtent, extent);
    EXPECT_GT(extent, 1000);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(nullptr, ResultOf(GetCurrentThreadId()));
}

struct Sampler {
    DWORD guiThread;
    HWND owner;
    std::atomic<bool> stop{false};
    int okDisabledSamples = 0;
    int okEnabledSamples = 0;
    int ownerEnabledWhileOkDisabled = 0;
};

DWORD WINAPI SampleWhileRunning(void *context)
{
    Sampler *sampler = static_cast<Sampler *>(context);
    DWORD start = GetTickCount();
    while (!sampler->stop && GetTickCount() - start < 15000) {
        HWND result = ResultOwnedBy(sampler->guiThread, sampler->owner);
        HWND ok = result ? OkOf(result) : NULL;
        if (ok) {
            if (IsWindowEnabled(ok)) {
                ++sampler->okEnabledSamples;
            } else {
                ++sampler->okDisabledSamples;
                if (IsWindowEnabled(sampler->owner))
                    ++sampler->ownerEnabledWhileOkDisabled;
            }
        }
        Sleep(10);
    }
    return 0;
}

// While the decoder still talks, OK and the owner are disabled; no message is handled then,
// so a second thread watches.
TEST_F(ResultWindow, OkAndOwnerStayDisabledWhileTheOutputRuns)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "one\\n\\w\\w\\wtwo\\n\\w\\w\\wthree\\n\\w\\w");
    Sampler sampler;
    sampler.guiThread = GetCurrentThreadId();
    sampler.owner = owner;
    HANDLE watcher = CreateThread(NULL, 0, SampleWhileRunning, &sampler, 0, NULL);
    std::vector<std::string> entries;
    Run([&](HWND result) {
        entries = Entries(ListOf(result));
        sampler.stop = true;
        PostMessageA(OkOf(result), BM_CLICK, 0, 0);
        return true;
    });
    sampler.stop = true;
    WaitForSingleObject(watcher, 5000);
    CloseHandle(watcher);
    EXPECT_GT(sampler.okDisabledSamples, 20);
    EXPECT_EQ(0, sampler.ownerEnabledWhileOkDisabled);
    EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), entries);
}

struct PaintWatch {
    DWORD guiThread;
    HWND owner;
    std::atomic<bool> stop{false};
    int inkWhileRunning = 0;
};

// Pixels in the top rows of the list that are not the list's background: the first line's
// text, once it has been painted.
int InkInFirstRow(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    HDC dc = GetDC(list);
    COLORREF background = GetSysColor(COLOR_WINDOW);
    int ink = 0;
    for (int y = 0; y < 14 && y < client.bottom; ++y)
        for (int x = 0; x < 120 && x < client.right; ++x)
            if (GetPixel(dc, x, y) != background)
                ++ink;
    ReleaseDC(list, dc);
    return ink;
}

DWORD WINAPI WatchPaint(void *context)
{
    PaintWatch *watch = static_cast<PaintWatch *>(context);
    DWORD start = GetTickCount();
    while (!watch->stop && GetTickCount() - start < 15000) {
        HWND result = ResultOwnedBy(watch->guiThread, watch->owner);
        HWND ok = result ? OkOf(result) : NULL;
        HWND list = result ? FindWindowExA(result, NULL, "LISTBOX", NULL) : NULL;
        if (ok && list && !IsWindowEnabled(ok)) {
            int ink = InkInFirstRow(list);
            if (!IsWindowEnabled(ok) && ink > watch->inkWhileRunning)
                watch->inkWhileRunning = ink;
        }
        Sleep(20);
    }
    return 0;
}

// Lines that arrived are painted while the decoder still runs: the user sees the output
// come, not only once it has ended.
TEST_F(ResultWindow, LinesArePaintedWhileTheDecoderStillRuns)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "WWWWWWWWWWWW first line\\n\\w\\w\\w\\w\\w\\w\\w\\w\\w\\wsecond\\n");
    PaintWatch watch;
    watch.guiThread = GetCurrentThreadId();
    watch.owner = owner;
    HANDLE watcher = CreateThread(NULL, 0, WatchPaint, &watch, 0, NULL);
    Run([&](HWND result) {
        watch.stop = true;
        PostMessageA(OkOf(result), BM_CLICK, 0, 0);
        return true;
    });
    watch.stop = true;
    WaitForSingleObject(watcher, 5000);
    CloseHandle(watcher);
    EXPECT_GT(watch.inkWhileRunning, 20);
}

TEST_F(ResultWindow, CloseRequestIsIgnoredWhileWaiting)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    int step = 0;
    bool upAfterSentClose = false, upAfterPostedClose = false;
    Run([&](HWND result) {
        switch (step++) {
        case 0:
            SendMessageA(result, WM_CLOSE, 0, 0);
            upAfterSentClose = IsWindow(result) && IsWindowVisible(result);
            PostMessageA(result, WM_CLOSE, 0, 0);
            PostMessageA(result, WM_SYSCOMMAND, SC_CLOSE, 0);
            return false;
        case 1:
        case 2:
            return false; // let the posted requests through the wait loop
        default:
            upAfterPostedClose = IsWindow(result) && IsWindowVisible(result);
            PostMessageA(OkOf(result), BM_CLICK, 0, 0);
            return true;
        }
    });
    EXPECT_TRUE(upAfterSentClose);
    EXPECT_TRUE(upAfterPostedClose);
    EXPECT_GE(step, 4);
}

// Keys as the wait loop receives them: posted key-downs, translated and dispatched.
void PostKey(HWND window, WPARAM key)
{
    UINT scan = MapVirtualKeyA((UINT)key, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
}

TEST_F(ResultWindow, TabMovesFocusBetweenListAndOkOnly)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    std::vector<std::string> focusTrail;
    int step = 0;
    Run([&](HWND result) {
        HWND list = ListOf(result), ok = OkOf(result);
        HWND focus = GetFocus();
        if (step > 0)
            focusTrail.push_back(focus == list ? "list" : focus == ok ? "ok" : focus == result ? "result" : "other");
        switch (step++) {
        case 0: SetFocus(list); PostKey(list, VK_TAB); return false;
        case 1: PostKey(ok, VK_TAB); return false;
        case 2: {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
            PostKey(list, VK_TAB);
            return false;
        }
        case 3: {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
            // Tab on the Result window itself, with the list focused.
            SetFocus(result);
            SetFocus(list);
            SendMessageA(result, WM_KEYDOWN, VK_TAB, 0);
            return false;
        }
        case 4: SendMessageA(result, WM_KEYDOWN, VK_TAB, 0); return false;
        default: PostMessageA(ok, BM_CLICK, 0, 0); return true;
        }
    });
    EXPECT_EQ((std::vector<std::string>{"ok", "list", "ok", "ok", "list"}), focusTrail);
}

TEST_F(ResultWindow, EnterOnOkDismisses)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    HWND seen = NULL;
    Run([&](HWND result) {
        seen = result;
        SetFocus(OkOf(result));
        PostKey(OkOf(result), VK_RETURN);
        return true;
    });
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ResultWindow, EscapeDismissesWhenTheWindowHoldsTheFocus)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    HWND seen = NULL;
    Run([&](HWND result) {
        seen = result;
        SetFocus(result);
        PostKey(result, VK_ESCAPE);
        return true;
    });
    EXPECT_FALSE(IsWindow(seen));
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

TEST_F(ResultWindow, OwnerIsEnabledBeforeTheWindowIsDestroyed)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    WatchedOwner = owner;
    OwnerEnabledAtDestroy = -1;
    DestroyHook = SetWindowsHookExA(WH_CBT, WatchDestroy, NULL, GetCurrentThreadId());
    ASSERT_NE(nullptr, DestroyHook);
    bool ownerDisabledWhileWaiting = false;
    Run([&](HWND result) {
        WatchedResult = result;
        ownerDisabledWhileWaiting = !IsWindowEnabled(owner);
        PostMessageA(OkOf(result), BM_CLICK, 0, 0);
        return true;
    });
    UnhookWindowsHookEx(DestroyHook);
    EXPECT_TRUE(ownerDisabledWhileWaiting);
    EXPECT_EQ(TRUE, OwnerEnabledAtDestroy);
}

TEST_F(ResultWindow, QuitMessageEndsTheWaitAndIsConsumed)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    Run([&](HWND) {
        PostQuitMessage(7);
        return true;
    });
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(nullptr, ResultOf(GetCurrentThreadId()));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

struct LateClick {
    HWND result;
    DWORD delay;
    DWORD guiThread;
    HANDLE returned;
};

DWORD WINAPI SendOkLater(void *context)
{
    LateClick *click = static_cast<LateClick *>(context);
    Sleep(click->delay);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(click->result, WM_COMMAND, IDOK, 0, SMTO_NORMAL, 5000, &answer);
    // A loop that missed the sent message would sleep for ever: wake it so the test fails
    // instead of hanging.
    if (WaitForSingleObject(click->returned, 4000) != WAIT_OBJECT_0)
        PostThreadMessageA(click->guiThread, WM_NULL, 0, 0);
    return 0;
}

// The wait loop sleeps while nothing arrives; a message sent from another thread must still
// wake it and end the wait with no other message behind it.
TEST_F(ResultWindow, SentMessageAloneEndsAnIdleWait)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    LateClick click = {NULL, 300, GetCurrentThreadId(), CreateEventA(NULL, TRUE, FALSE, NULL)};
    HANDLE sender = NULL;
    DWORD returned = 0, sentAt = 0;
    Run([&](HWND result) {
        click.result = result;
        sender = CreateThread(NULL, 0, SendOkLater, &click, 0, NULL);
        sentAt = GetTickCount() + click.delay;
        return true; // no timer from here on
    });
    returned = GetTickCount();
    SetEvent(click.returned);
    ASSERT_NE(nullptr, sender);
    WaitForSingleObject(sender, 10000);
    CloseHandle(sender);
    CloseHandle(click.returned);
    EXPECT_LT((int)(returned - sentAt), 3000);
}

TEST_F(ResultWindow, NoWindowMeansNoRun)
{
    std::string record;
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    record = std::string(folder) + "vantrel-no-run.txt";
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    DWORD start = GetTickCount();
    RunDecoder(NULL, "a", "b", 0, 0, 0, 0);
    EXPECT_LT(GetTickCount() - start, 2000u);
    Sleep(300);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(record.c_str()));
    EXPECT_EQ(nullptr, ResultOf(GetCurrentThreadId()));
}

TEST_F(ResultWindow, DecoderReceivesThePanelRequest)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    std::string record = std::string(folder) + "vantrel-run-record.txt";
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    WhileModal([&]() {
        HWND result = ResultOf(GetCurrentThreadId());
        if (!result || !IsWindowEnabled(OkOf(result)))
            return false;
        PostMessageA(OkOf(result), BM_CLICK, 0, 0);
        return true;
    });
    RunDecoder(owner, "C:\\maps dir\\", "Z:\\nonexistent\\\"out\".xml", 0x1f, 25, 45.5, -73.566);
    std::ifstream file(record, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    ASSERT_EQ(10u, lines.size());
    EXPECT_EQ("morvane.exe -t -m -f -d -r25 -n45.50 -eW73.57 \"C:\\maps dir\\\\\" \"Z:\\nonexistent\\out.xml\"", lines[0]);
    EXPECT_EQ((std::vector<std::string>{"-t", "-m", "-f", "-d", "-r25", "-n45.50", "-eW73.57", "C:\\maps dir\\",
                                        "Z:\\nonexistent\\out.xml"}),
              std::vector<std::string>(lines.begin() + 1, lines.end()));
    file.close();
    DeleteFileA(record.c_str());
}

// With no morvane.exe to be found the window shows an empty list and OK still dismisses it.
// The decoder sits beside this test, so the check runs in a copy of this test started from
// an empty folder, which is then also the copy's current directory.
TEST_F(ResultWindow, MissingDecoderLeavesAnEmptyListThatOkDismisses)
{
    if (GetEnvironmentVariableA("VANTREL_TEST_ALONE", NULL, 0)) {
        char found[MAX_PATH];
        ASSERT_EQ(0u, SearchPathA(NULL, "morvane.exe", NULL, sizeof found, found, NULL)) << found;
        int entries = -1;
        Run([&](HWND result) {
            entries = (int)SendMessageA(ListOf(result), LB_GETCOUNT, 0, 0);
            PostMessageA(OkOf(result), BM_CLICK, 0, 0);
            return true;
        });
        EXPECT_EQ(0, entries);
        EXPECT_TRUE(IsWindowEnabled(owner));
        return;
    }

    char temp[MAX_PATH] = "", self[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    GetModuleFileNameA(NULL, self, sizeof self);
    std::string folder = std::string(temp) + "vantrel-alone-" + std::to_string(GetCurrentProcessId());
    std::string copy = folder + "\\result_window_test.exe";
    std::string report = folder + "\\report.xml";
    CreateDirectoryA(folder.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));

    std::string commandLine = "\"" + copy + "\" --gtest_filter=ResultWindow.MissingDecoder* --gtest_output=xml:" + report;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    SetEnvironmentVariableA("VANTREL_TEST_ALONE", "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessA(NULL, writable.data(), NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &child);
    SetEnvironmentVariableA("VANTREL_TEST_ALONE", NULL);
    ASSERT_TRUE(started);
    if (WaitForSingleObject(child.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the copy did not finish within 60 s";
        TerminateProcess(child.hProcess, 99);
        WaitForSingleObject(child.hProcess, 5000);
    }
    DWORD code = 99;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    std::ifstream file(report);
    std::string xml((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();
    EXPECT_EQ(0u, code);
    EXPECT_NE(std::string::npos, xml.find("tests=\"1\" failures=\"0\"")) << xml;
    DeleteFileA(report.c_str());
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
