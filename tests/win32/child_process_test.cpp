// The decoder started as a hidden child with its output captured, with the real morvane.exe
// beside this test: one pipe for both streams, an empty standard input, no console window on
// show, no handle left behind, and each path arriving as exactly one argument.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include "run/child_process.h"
#include "run/core/cmdline.h"
#include "support.h"

namespace {

class ChildProcess : public ::testing::Test {
protected:
    void TearDown() override { ClearDecoderSwitches(); }
};

// Each case runs within CaptureChild's bound: a read of standard input that blocked would
// fail the test instead of hanging it.
TEST_F(ChildProcess, StreamsAsTheChildSeesThemAndNoHandleIsLeftOpen)
{
    const struct { const char *name, *value, *expected; } cases[] = {
        {"MORVANE_STDIN", "1", "stdin: end of file\r\n"},
        // Wine gives a console child no window; Windows would, hidden as the program asks.
        {"MORVANE_CONSOLE", "1", "console window: none, show 0\r\n"},
        {"MORVANE_EMIT", "\\oout 1\\r\\n\\eerr 1\\r\\n\\oout 2\\n\\eerr 2\\eerr 3\\n\\oend",
         "out 1\r\nerr 1\r\nout 2\nerr 2err 3\nend"},
    };
    auto runAll = [&]() {
        for (const auto &c : cases) {
            SetEnvironmentVariableA("MORVANE_EMIT", "");
            SetEnvironmentVariableA(c.name, c.value);
            ChildRun run = CaptureChild("morvane.exe \"a\" \"b\"", 5000);
            EXPECT_EQ(c.expected, run.output) << c.name;
            EXPECT_EQ(0u, run.exitCode) << c.name;
            ClearDecoderSwitches();
        }
    };
    runAll(); // past whatever the loader opens once
    DWORD before = HandleCount();
    runAll();
    EXPECT_EQ(before, HandleCount());
}

// The argument vector as the decoder's C runtime split it: each path exactly one argument
// holding exactly the path without its quotes, also with blanks and trailing backslashes.
TEST_F(ChildProcess, EachPathArrivesAsExactlyOneArgument)
{
    std::string record = TempPath("vantrel-child-record.txt");
    SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
    SetEnvironmentVariableA("MORVANE_EMIT", "");
    const struct { const char *input, *output, *inputArg, *outputArg; } cases[] = {
        {"C:\\maps\\", "C:\\out dir\\\\", "C:\\maps\\", "C:\\out dir\\\\"},
        {"C:\\my \"maps\"\\a b.bgl", "\"\"", "C:\\my maps\\a b.bgl", ""},
        {"", "\\\\server\\share\\x.xml", "", "\\\\server\\share\\x.xml"},
        {"*.bgl", "a\tb", "*.bgl", "a\tb"},
    };
    for (const auto &c : cases) {
        DecodeRequest request = {NULL, c.input, c.output, DF_QUIET, 0, 0, 0};
        char *line = BuildDecoderCommandLine(&request);
        ASSERT_NE(nullptr, line);
        std::string sent = line;
        free(line);
        CaptureChild(sent);
        EXPECT_EQ((std::vector<std::string>{sent, "-t", c.inputArg, c.outputArg}), FileLines(record)) << sent;
    }
    DeleteFileA(record.c_str());
}

} // namespace
