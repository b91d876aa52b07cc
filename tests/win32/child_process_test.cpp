// The decoder started as a hidden child with its output captured: one pipe for standard
// output and standard error, an empty standard input, no console window, no handle left
// behind on failure, and each path arriving as exactly one argument. Uses the real
// morvane.exe beside this test.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "run/child_process.h"
#include "run/core/cmdline.h"

namespace {

const char *const Switches[] = {"MORVANE_RECORD", "MORVANE_EMIT", "MORVANE_LINES", "MORVANE_STDIN",
                                "MORVANE_CONSOLE", "MORVANE_SLEEP_MS", "MORVANE_LINE_BYTES"};

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

class ChildProcess : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const char *name : Switches)
            SetEnvironmentVariableA(name, NULL);
    }

    // Starts `commandLine` and collects everything it writes, within `timeout` ms; a child
    // that outlives the bound is ended so the suite never hangs.
    std::string Capture(std::string commandLine, DWORD timeout = 10000)
    {
        std::vector<char> writable(commandLine.begin(), commandLine.end());
        writable.push_back('\0');
        HANDLE pipe = NULL, process = NULL;
        if (!StartCapturedChild(writable.data(), &pipe, &process)) {
            ADD_FAILURE() << "could not start " << commandLine;
            return "";
        }
        childId = GetProcessId(process);
        Drain drain = {pipe, ""};
        HANDLE reader = CreateThread(NULL, 0, DrainPipe, &drain, 0, NULL);
        if (WaitForSingleObject(reader, timeout) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the child's output did not end within " << timeout << " ms";
            TerminateProcess(process, 99);
            WaitForSingleObject(reader, 5000);
        }
        CloseHandle(reader);
        CloseHandle(pipe);
        CloseHandle(process);
        return drain.bytes;
    }

    DWORD childId = 0;
};

// The handles open in this process. Wine answers GetProcessHandleCount with 0, so the
// handle table is walked instead: every value that names an open handle counts.
DWORD HandleCount()
{
    DWORD count = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation((HANDLE)value, &flags))
            ++count;
    }
    return count;
}

TEST_F(ChildProcess, MissingProgramGivesZeroAndLeavesNoHandleOpen)
{
    char commandLine[] = "vantrel-no-such-decoder.exe \"a\" \"b\"";
    HANDLE pipe = (HANDLE)0x1234, process = (HANDLE)0x5678;
    // Warm up whatever the loader opens once, then count.
    StartCapturedChild(commandLine, &pipe, &process);
    DWORD before = HandleCount();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(0, StartCapturedChild(commandLine, &pipe, &process));
    EXPECT_EQ(before, HandleCount());
    EXPECT_EQ((HANDLE)0x1234, pipe);
    EXPECT_EQ((HANDLE)0x5678, process);
}

TEST_F(ChildProcess, SuccessfulRunLeavesNoHandleBehindOnceClosed)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    Capture("morvane.exe \"a\" \"b\"");
    DWORD before = HandleCount();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ("x\n", Capture("morvane.exe \"a\" \"b\""));
    EXPECT_EQ(before, HandleCount());
}

TEST_F(ChildProcess, StandardInputReadsAsEndOfFileAtOnce)
{
    SetEnvironmentVariableA("MORVANE_STDIN", "1");
    SetEnvironmentVariableA("MORVANE_EMIT", "");
    DWORD start = GetTickCount();
    EXPECT_EQ("stdin: end of file\r\n", Capture("morvane.exe \"a\" \"b\"", 10000));
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST_F(ChildProcess, StandardErrorInterleavesWithStandardOutputInOrder)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "\\oout 1\\r\\n\\eerr 1\\r\\n\\oout 2\\n\\eerr 2\\eerr 3\\n\\oend");
    EXPECT_EQ("out 1\r\nerr 1\r\nout 2\nerr 2err 3\nend", Capture("morvane.exe \"a\" \"b\""));
}

struct WindowSearch {
    DWORD processId;
    int visible;
};

BOOL CALLBACK CountVisibleWindows(HWND window, LPARAM context)
{
    WindowSearch *search = reinterpret_cast<WindowSearch *>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        ++search->visible;
    return TRUE;
}

TEST_F(ChildProcess, ChildShowsNoConsoleWindow)
{
    SetEnvironmentVariableA("MORVANE_CONSOLE", "1");
    SetEnvironmentVariableA("MORVANE_SLEEP_MS", "600");
    SetEnvironmentVariableA("MORVANE_EMIT", "");
    char commandLine[] = "morvane.exe \"a\" \"b\"";
    HANDLE pipe = NULL, process = NULL;
    ASSERT_EQ(1, StartCapturedChild(commandLine, &pipe, &process));
    // While the child sleeps, no visible top-level window of it exists.
    Sleep(300);
    WindowSearch search = {GetProcessId(process), 0};
    EnumWindows(CountVisibleWindows, reinterpret_cast<LPARAM>(&search));
    EXPECT_EQ(0, search.visible);
    Drain drain = {pipe, ""};
    HANDLE reader = CreateThread(NULL, 0, DrainPipe, &drain, 0, NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(reader, 10000));
    CloseHandle(reader);
    CloseHandle(pipe);
    CloseHandle(process);
    EXPECT_NE("console window: visible\r\n", drain.bytes);
    EXPECT_EQ(0u, drain.bytes.find("console window: ")) << drain.bytes;
}

std::vector<std::string> RecordedLines(const char *path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

std::string TempPath(const char *name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

// The argument vector as the decoder's C runtime split it: each path exactly one argument
// holding exactly the path (quotes removed), also with blanks and a trailing backslash.
TEST_F(ChildProcess, EachPathArrivesAsExactlyOneArgument)
{
    std::string record = TempPath("vantrel-child-record.txt");
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    SetEnvironmentVariableA("MORVANE_EMIT", "");
    struct Case {
        const char *input, *output;
        const char *inputArg, *outputArg;
    } const cases[] = {
        {"C:\\maps\\", "C:\\out dir\\\\", "C:\\maps\\", "C:\\out dir\\\\"},
        {"C:\\my \"maps\"\\a b.bgl", "\"\"", "C:\\my maps\\a b.bgl", ""},
        {"", "\\\\server\\share\\x.xml", "", "\\\\server\\share\\x.xml"},
        {"*.bgl", "a\tb", "*.bgl", "a\tb"},
    };
    for (const Case &c : cases) {
        DecodeRequest request = {NULL, c.input, c.output, DF_QUIET | DF_PARTIAL, 3, -45.125, 7.0};
        char *line = BuildDecoderCommandLine(&request);
        ASSERT_NE(nullptr, line);
        std::string sent = line;
        HANDLE pipe = NULL, process = NULL;
        ASSERT_EQ(1, StartCapturedChild(line, &pipe, &process));
        free(line);
        Drain drain = {pipe, ""};
        HANDLE reader = CreateThread(NULL, 0, DrainPipe, &drain, 0, NULL);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(reader, 10000));
        CloseHandle(reader);
        CloseHandle(pipe);
        CloseHandle(process);

        std::vector<std::string> expected = {sent, "-t", "-r3", "-nS45.13", "-e7.00", c.inputArg, c.outputArg};
        EXPECT_EQ(expected, RecordedLines(record.c_str())) << c.input << " | " << c.output;
    }
    DeleteFileA(record.c_str());
}

// The two decimals come out the same in this build as natively: exact ties round away from
// zero, whatever this C runtime's printf would do.
TEST(CommandLineInThisBuild, RoundsTiesAwayFromZero)
{
    DecodeRequest request = {NULL, "i", "o", DF_PARTIAL, 1, 45.125, -0.375};
    char *line = BuildDecoderCommandLine(&request);
    ASSERT_NE(nullptr, line);
    EXPECT_STREQ("morvane.exe -r1 -n45.13 -eW0.38 \"i\" \"o\"", line);
    free(line);
    request.centerLatitude = 2.675;
    request.centerLongitude = -73.566;
    line = BuildDecoderCommandLine(&request);
    EXPECT_STREQ("morvane.exe -r1 -n2.67 -eW73.57 \"i\" \"o\"", line);
    free(line);
}

} // namespace
