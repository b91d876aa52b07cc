/*
 * Helpers for the Win32 component tests.
 */
#include "support.h"

#include <gtest/gtest.h>

#include <fstream>

#include "panel/panel.h"
#include "resource.h"
#include "run/child_process.h"
#include "run/run.h"
#include "settings/regstore.h"

HWND CreateMainDialog()
{
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
}

namespace {
struct ModalDriver {
    std::function<bool(HWND)> whileWaiting;
    DWORD start;
    UINT_PTR timer;
} Driver;

// Dispatched by the Result window's wait loop.
void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND result = ResultOf();
    bool late = GetTickCount() - Driver.start > 15000;
    if (!late && !(result && IsWindowEnabled(OkOf(result)) && Driver.whileWaiting(result)))
        return;
    KillTimer(NULL, Driver.timer);
    if (!late)
        return;
    ADD_FAILURE() << "the run had not ended after 15 s";
    if (result)
        SendMessageA(result, WM_COMMAND, IDOK, 0);
    else
        PostQuitMessage(0);
}
} // namespace

void DecodeAndThen(HWND owner, std::function<bool(HWND)> whileWaiting, const char *input, const char *output,
                   unsigned flags, int radius, double latitude, double longitude)
{
    Driver = {std::move(whileWaiting), GetTickCount(), SetTimer(NULL, 0, 20, DriverTick)};
    RunDecoder(owner, input, output, flags, radius, latitude, longitude);
    KillTimer(NULL, Driver.timer);
}

void DeleteProgramKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, AppKeyPath);
}

void WriteProgramValue(const char *name, DWORD type, const void *data, DWORD size)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, name, type, data, size);
}

HWND ResultOf(DWORD thread)
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

void ClearDecoderSwitches()
{
    for (const char *name : {"MORVANE_RECORD", "MORVANE_EMIT", "MORVANE_STDIN", "MORVANE_CONSOLE"})
        SetEnvironmentVariableA(name, NULL);
}

ChildRun RunChild(const char *commandLine)
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

std::string TempPath(const std::string &name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return folder + name;
}

std::vector<std::string> FileLines(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

std::string OwnFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string own = path;
    return own.substr(0, own.find_last_of('\\') + 1);
}

DWORD HandleCount()
{
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4)
        count += GetHandleInformation((HANDLE)value, &flags) != 0;
    return count;
}
