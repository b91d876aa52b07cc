/*
 * Helpers for the tests of the decoder run.
 */
#include "run_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "run/child_process.h"

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
}

ChildRun CaptureChild(const std::string &commandLine, DWORD timeout)
{
    ChildRun run = {"", 999};
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    HANDLE pipe = NULL, process = NULL;
    if (!StartCapturedChild(writable.data(), &pipe, &process)) {
        ADD_FAILURE() << "could not start " << commandLine;
        return run;
    }
    Drain drain = {pipe, ""};
    HANDLE reader = CreateThread(NULL, 0, DrainPipe, &drain, 0, NULL);
    if (WaitForSingleObject(reader, timeout) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the output of " << commandLine << " did not end within " << timeout << " ms";
        TerminateProcess(process, 99);
        WaitForSingleObject(reader, 5000);
    }
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

std::string FileText(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::vector<std::string> FileLines(const std::string &path)
{
    std::istringstream text(FileText(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

DWORD HandleCount()
{
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4)
        count += GetHandleInformation((HANDLE)value, &flags) != 0;
    return count;
}
