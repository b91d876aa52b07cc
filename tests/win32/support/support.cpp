/*
 * Helpers for the Win32 component tests.
 */
#include "support.h"

#include <gtest/gtest.h>

#include <fstream>

#include "panel/panel.h"
#include "resource.h"
#include "run/child_process.h"
#include "settings/regstore.h"

HWND CreateMainDialog()
{
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
}

namespace {
struct ModalDriver {
    std::function<bool()> action;
    std::function<void()> onTimeout;
    DWORD start, timeout;
    UINT_PTR timer;
} Driver;

void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD)
{
    bool late = GetTickCount() - Driver.start > Driver.timeout;
    if (!late && !Driver.action())
        return;
    KillTimer(NULL, Driver.timer);
    if (late)
        Driver.onTimeout();
}
} // namespace

void WhileModal(std::function<bool()> action, DWORD timeout, std::function<void()> onTimeout)
{
    KillTimer(NULL, Driver.timer);
    Driver = {std::move(action), std::move(onTimeout), GetTickCount(), timeout, 0};
    Driver.timer = SetTimer(NULL, 0, 20, DriverTick);
}

void DeleteProgramKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, AppKeyPath);
}

std::string StoredValues(std::initializer_list<const char *> names)
{
    std::string values;
    for (const char *name : names) {
        char data[2048] = "";
        DWORD size = sizeof data - 1, type = 0;
        std::string value = "<missing>";
        if (RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) == 0)
            value = type == REG_DWORD ? std::to_string((int)*(DWORD *)data)
                    : type == REG_SZ  ? data
                                      : "<type " + std::to_string(type) + ">";
        values += (values.empty() ? "" : " ") + value;
    }
    return values;
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
    for (const char *name : {"MORVANE_RECORD", "MORVANE_EMIT", "MORVANE_LINES", "MORVANE_STDIN", "MORVANE_CONSOLE",
                             "MORVANE_SLEEP_MS", "MORVANE_LINE_BYTES"})
        SetEnvironmentVariableA(name, NULL);
}

namespace {
struct Drain {
    HANDLE pipe;
    std::string bytes;
};

DWORD WINAPI DrainPipe(void *context)
{
    Drain *drain = static_cast<Drain *>(context);
    char block[4096];
    DWORD count = 0;
    while (ReadFile(drain->pipe, block, sizeof block, &count, NULL) && count)
        drain->bytes.append(block, count);
    return 0;
}
} // namespace

ChildRun CaptureChild(const std::string &commandLine, DWORD timeout)
{
    std::string writable = commandLine;
    HANDLE pipe = NULL, process = NULL;
    if (!StartCapturedChild(&writable[0], &pipe, &process)) {
        ADD_FAILURE() << "could not start " << commandLine;
        return {"", 999};
    }
    Drain drain = {pipe, ""};
    HANDLE reader = CreateThread(NULL, 0, DrainPipe, &drain, 0, NULL);
    if (WaitForSingleObject(reader, timeout) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the output of " << commandLine << " did not end within " << timeout << " ms";
        TerminateProcess(process, 99);
        WaitForSingleObject(reader, 5000);
    }
    ChildRun run = {"", 999};
    if (WaitForSingleObject(process, 5000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &run.exitCode);
    CloseHandle(reader);
    CloseHandle(pipe);
    CloseHandle(process);
    run.output = drain.bytes;
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
