// The decoder started as a hidden child with its output captured, with the real morvane.exe
// beside this test: one pipe for both streams, an empty standard input, no console window on
// show, and no handle left behind.
#include <gtest/gtest.h>

#include <windows.h>

#include "support.h"

namespace {

// A child whose read of standard input blocked would hang its run, and the time limit would
// fail the test.
TEST(ChildProcess, StreamsAsTheChildSeesThemAndNoHandleIsLeftOpen)
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
            ChildRun run = RunChild("morvane.exe \"a\" \"b\"");
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

} // namespace
