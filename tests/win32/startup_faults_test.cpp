// vantrel.exe with parts of its resources taken away: a copy of the real program with its
// version block, its icon or its main dialog template deleted, started as a process of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resource.h"

namespace {

struct Started {
    PROCESS_INFORMATION process;
    HWND dialog;
};

/* Copies vantrel.exe into the temporary folder and deletes the named resources from the copy. */
std::string CopyWithout(const char *copyName, std::initializer_list<std::pair<LPCSTR, LPCSTR>> resources)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + copyName;
    EXPECT_TRUE(CopyFileA("vantrel.exe", path.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    EXPECT_NE(nullptr, update);
    for (const auto &resource : resources)
        EXPECT_TRUE(UpdateResourceA(update, resource.first, resource.second, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), NULL, 0));
    EXPECT_TRUE(EndUpdateResourceA(update, FALSE));
    return path;
}

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM lParam)
{
    Started *started = (Started *)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == started->process.dwProcessId && IsWindowVisible(window) && !strcmp(className, "#32770")) {
        started->dialog = window;
        return FALSE;
    }
    return TRUE;
}

/* Starts the program and waits (at most 20 s) for its dialog or its end. */
Started Start(const std::string &path)
{
    Started started = {};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    EXPECT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started.process));
    for (int i = 0; i < 400 && !started.dialog; i++) {
        EnumWindows(FindDialogOfProcess, (LPARAM)&started);
        if (!started.dialog && WaitForSingleObject(started.process.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
    return started;
}

DWORD EndAndGetExitCode(Started &started)
{
    if (started.dialog)
        PostMessageA(started.dialog, WM_COMMAND, IDCANCEL, 0);
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(started.process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(started.process.hProcess, &code);
    else
        TerminateProcess(started.process.hProcess, 0xDEAD);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    return code;
}

TEST(StartupFaults, MissingVersionBlockGivesAnEmptyCaption)
{
    Started started = Start(CopyWithout("vantrel-noversion.exe", {{RT_VERSION, MAKEINTRESOURCEA(1)}}));
    ASSERT_NE(nullptr, started.dialog);
    char caption[64] = "x";
    GetWindowTextA(started.dialog, caption, sizeof caption);
    EXPECT_STREQ("", caption);
    EXPECT_EQ(0u, EndAndGetExitCode(started));
}

TEST(StartupFaults, MissingIconLeavesTheDefault)
{
    Started started = Start(CopyWithout("vantrel-noicon.exe", {{RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_MAIN)}}));
    ASSERT_NE(nullptr, started.dialog);
    char caption[64] = "";
    GetWindowTextA(started.dialog, caption, sizeof caption);
    EXPECT_STREQ("Vantrel", caption);
    EXPECT_EQ(0u, EndAndGetExitCode(started));
}

TEST(StartupFaults, MissingMainDialogEndsWithExitCodeZeroAndNoWindow)
{
    Started started = Start(CopyWithout("vantrel-nodialog.exe", {{RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN)}}));
    EXPECT_EQ(nullptr, started.dialog);
    EXPECT_EQ(0u, EndAndGetExitCode(started));
}

} // namespace
