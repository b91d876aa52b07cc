// The decoder started as a hidden child with its output captured, with the real morvane.exe
// beside this test: one pipe for both streams, an empty standard input, no console window,
// no handle left behind, and each path arriving as exactly one argument.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include "run/child_process.h"
#include "run/core/cmdline.h"
#include "run_support.h"

namespace {

class ChildProcess : public ::testing::Test {
protected:
    void TearDown() override { ClearDecoderSwitches(); }
};

TEST_F(ChildProcess, NoHandleIsLeftOpenByAMissingProgramOrAFinishedRun)
{
    char missing[] = "vantrel-no-such-decoder.exe \"a\" \"b\"";
    HANDLE pipe = (HANDLE)0x1234, process = (HANDLE)0x5678;
    SetEnvironmentVariableA("MORVANE_EMIT", "x\\n");
    // Warm up whatever the loader opens once, then count.
    StartCapturedChild(missing, &pipe, &process);
    CaptureChild("morvane.exe \"a\" \"b\"");
    DWORD before = HandleCount();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(0, StartCapturedChild(missing, &pipe, &process));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ("x\n", CaptureChild("morvane.exe \"a\" \"b\"").output);
    EXPECT_EQ(before, HandleCount());
    EXPECT_EQ((HANDLE)0x1234, pipe);
    EXPECT_EQ((HANDLE)0x5678, process);
}

// Each case runs within CaptureChild's bound: a read of standard input that blocked would
// fail the test instead of hanging it.
TEST_F(ChildProcess, StreamsAsTheChildSeesThem)
{
    struct Case {
        const char *name, *value, *expected;
    } const cases[] = {
        {"MORVANE_STDIN", "1", "stdin: end of file\r\n"},
        {"MORVANE_EMIT", "\\oout 1\\r\\n\\eerr 1\\r\\n\\oout 2\\n\\eerr 2\\eerr 3\\n\\oend",
         "out 1\r\nerr 1\r\nout 2\nerr 2err 3\nend"},
    };
    for (const Case &c : cases) {
        SetEnvironmentVariableA("MORVANE_EMIT", "");
        SetEnvironmentVariableA(c.name, c.value);
        EXPECT_EQ(c.expected, CaptureChild("morvane.exe \"a\" \"b\"", 5000).output);
        ClearDecoderSwitches();
    }
}

TEST_F(ChildProcess, ChildShowsNoConsoleWindow)
{
    SetEnvironmentVariableA("MORVANE_CONSOLE", "1");
    SetEnvironmentVariableA("MORVANE_EMIT", "");
    std::string said = CaptureChild("morvane.exe \"a\" \"b\"").output;
    EXPECT_EQ(0u, said.find("console window: ")) << said;
    EXPECT_NE("console window: visible\r\n", said);
}

// The argument vector as the decoder's C runtime split it: each path exactly one argument
// holding exactly the path without its quotes, also with blanks and trailing backslashes.
// The numbers round the same way here as natively: exact ties away from zero, whatever this
// C runtime's printf would do.
TEST_F(ChildProcess, EachPathArrivesAsExactlyOneArgument)
{
    std::string record = TempPath("vantrel-child-record.txt");
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    SetEnvironmentVariableA("MORVANE_EMIT", "");
    struct Case {
        const char *input, *output, *inputArg, *outputArg;
        double latitude, longitude;
        const char *numbers;
    } const cases[] = {
        {"C:\\maps\\", "C:\\out dir\\\\", "C:\\maps\\", "C:\\out dir\\\\", -45.125, 7.0, "-nS45.13 -e7.00"},
        {"C:\\my \"maps\"\\a b.bgl", "\"\"", "C:\\my maps\\a b.bgl", "", 45.125, -0.375, "-n45.13 -eW0.38"},
        {"", "\\\\server\\share\\x.xml", "", "\\\\server\\share\\x.xml", 2.675, -73.566, "-n2.67 -eW73.57"},
        {"*.bgl", "a\tb", "*.bgl", "a\tb", -0.001, -180, "-nS0.00 -eW180.00"},
    };
    for (const Case &c : cases) {
        DecodeRequest request = {NULL, c.input, c.output, DF_QUIET | DF_PARTIAL, 3, c.latitude, c.longitude};
        char *line = BuildDecoderCommandLine(&request);
        ASSERT_NE(nullptr, line);
        std::string sent = line;
        free(line);
        CaptureChild(sent);
        std::string numbers = c.numbers;
        std::vector<std::string> expected = {sent, "-t", "-r3", numbers.substr(0, numbers.find(' ')),
                                             numbers.substr(numbers.find(' ') + 1), c.inputArg, c.outputArg};
        EXPECT_EQ(expected, FileLines(record)) << c.input << " | " << c.output;
    }
    DeleteFileA(record.c_str());
}

} // namespace
