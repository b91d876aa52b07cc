/*
 * Helpers for the tests of the decoder run: the contract decoder as a captured child, its test
 * switches, temporary files and the process's handle count.
 */
#ifndef VANTREL_RUN_SUPPORT_H
#define VANTREL_RUN_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

/* Removes every MORVANE_* test switch from this process's environment (children inherit it). */
void ClearDecoderSwitches();

struct ChildRun {
    std::string output; /* standard output and standard error, as the pipe delivered them */
    DWORD exitCode;     /* 999 if it could not be read */
};

/* Runs `commandLine` through StartCapturedChild and collects everything it writes. A child
 * whose output has not ended after `timeout` ms is ended and the test fails. */
ChildRun CaptureChild(const std::string &commandLine, DWORD timeout = 10000);

/* `name` in the temporary folder. */
std::string TempPath(const std::string &name);

/* A file's bytes, and its LF-separated lines. */
std::string FileText(const std::string &path);
std::vector<std::string> FileLines(const std::string &path);

/* The handles open in this process. Wine answers GetProcessHandleCount with 0, so the handle
 * table is walked instead. */
DWORD HandleCount();

#endif
