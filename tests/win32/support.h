/*
 * Helpers for the Win32 component tests: the real main dialog, the Result window and its wait
 * loop driven from a timer, the program's registry key, and the decoder run as a captured
 * child: what every test file needs. Each test executable is one file, which includes this.
 */
#ifndef VANTREL_TEST_SUPPORT_H
#define VANTREL_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "panel/panel.h"
#include "resource.h"
#include "run/child_process.h"
#include "run/run.h"
#include "settings/regstore.h"

/* The main dialog, created modeless from the program's own template. */
inline HWND CreateMainDialog()
{
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
}

/* The Result window of a thread, if one is up (FindWindowEx reads no title through a message,
 * so another thread may ask while the GUI thread is busy reading the output); its list and OK. */
inline HWND ResultOf(DWORD thread = GetCurrentThreadId())
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, "Result")) && GetWindowThreadProcessId(window, NULL) != thread)
        ;
    return window;
}

inline HWND ListOf(HWND result)
{
    return FindWindowExA(result, NULL, "LISTBOX", NULL);
}

inline HWND OkOf(HWND result)
{
    return GetDlgItem(result, IDOK);
}

struct ModalDriver {
    std::function<void(HWND)> whenEnded;
    DWORD start;
    UINT_PTR timer;
};
inline ModalDriver Driver;

/* Dispatched by the Result window's wait loop. */
inline void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND result = ResultOf();
    bool ended = result && IsWindowEnabled(OkOf(result)), late = GetTickCount() - Driver.start > 15000;
    if (!ended && !late)
        return;
    KillTimer(NULL, Driver.timer);
    if (ended)
        return Driver.whenEnded(result);
    ADD_FAILURE() << "the run had not ended after 15 s";
    if (result)
        SendMessageA(result, WM_COMMAND, IDOK, 0);
    else
        PostQuitMessage(0);
}

/* Decodes through RunDecoder over `owner`; once OK is enabled, the wait loop calls `whenEnded`
 * with the Result window, once. A run still going after 15 s is ended, and the test fails. */
inline void DecodeAndThen(HWND owner, std::function<void(HWND)> whenEnded, const char *input = "C:\\maps\\in.bgl",
                          const char *output = "C:\\out\\out.xml", unsigned flags = 0, int radius = 0,
                          double latitude = 0, double longitude = 0)
{
    Driver = {std::move(whenEnded), GetTickCount(), SetTimer(NULL, 0, 20, DriverTick)};
    RunDecoder(owner, input, output, flags, radius, latitude, longitude);
    KillTimer(NULL, Driver.timer);
}

/* The program's key, deleted with all below it; a value of any type and bytes, as other
 * software might write it. */
inline void DeleteProgramKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, AppKeyPath);
}

inline void WriteProgramValue(const char *name, DWORD type, const void *data, DWORD size)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, name, type, data, size);
}

/* Starts a decoder through StartCapturedChild and reads its output to the end: the program
 * that ran ("" when none started), all it wrote, and its exit code (999 when it could not be
 * read). A child that never ends its output hangs the read, and the test's time limit fails it. */
struct ChildRun {
    std::string image, output;
    DWORD exitCode;
};

inline ChildRun RunChild(const char *commandLine)
{
    std::string writable = commandLine;
    HANDLE pipe = NULL, process = NULL;
    ChildRun run = {"", "", 999};
    if (!StartCapturedChild(&writable[0], &pipe, &process))
        return run;
    char image[MAX_PATH] = "", block[4096];
    DWORD size = sizeof image, count = 0;
    QueryFullProcessImageNameA(process, 0, image, &size);
    run.image = image;
    while (ReadFile(pipe, block, sizeof block, &count, NULL) && count)
        run.output.append(block, count);
    if (WaitForSingleObject(process, 5000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &run.exitCode);
    CloseHandle(pipe);
    CloseHandle(process);
    return run;
}

/* `name` in the temporary folder. */
inline std::string TempPath(const std::string &name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return folder + name;
}

/* This test's own folder. */
inline std::string OwnFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string own = path;
    return own.substr(0, own.find_last_of('\\') + 1);
}

/* The handles open in this process (Wine answers GetProcessHandleCount with 0). */
inline DWORD HandleCount()
{
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4)
        count += GetHandleInformation((HANDLE)value, &flags) != 0;
    return count;
}

#endif
