/*
 * Helpers for the Win32 component tests: the real main dialog, modal loops driven from a timer,
 * the program's registry key, the Result window, and the decoder run as a captured child.
 */
#ifndef VANTREL_TEST_SUPPORT_H
#define VANTREL_TEST_SUPPORT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

/* The main dialog, created modeless from the program's own template. */
HWND CreateMainDialog();

/* Decodes through RunDecoder over `owner`; once OK is enabled, the wait loop calls
 * `whileWaiting` with the Result window every 20 ms until it returns true. A run still going
 * after 15 s is ended, and the test fails. */
void DecodeAndThen(HWND owner, std::function<bool(HWND)> whileWaiting, const char *input = "C:\\maps\\in.bgl",
                   const char *output = "C:\\out\\out.xml", unsigned flags = 0, int radius = 0, double latitude = 0,
                   double longitude = 0);

/* The program's key, deleted with all below it; a value of any type and bytes, as other
 * software might write it. */
void DeleteProgramKey();
void WriteProgramValue(const char *name, DWORD type, const void *data, DWORD size);

/* The Result window of a thread, if one is up (FindWindowEx reads no title through a message,
 * so another thread may ask while the GUI thread is busy reading the output); its list and OK. */
HWND ResultOf(DWORD thread = GetCurrentThreadId());
HWND ListOf(HWND result);
HWND OkOf(HWND result);

/* Removes every MORVANE_* test switch of the decoder from this process's environment. */
void ClearDecoderSwitches();

/* Starts a decoder through StartCapturedChild and reads its output to the end: the program
 * that ran ("" when none started), all it wrote, and its exit code (999 when
 * it could not be read). A child that never ends its output hangs the read, and the test's
 * time limit fails it. */
struct ChildRun {
    std::string image, output;
    DWORD exitCode;
};
ChildRun RunChild(const char *commandLine);

/* `name` in the temporary folder; a file's LF-separated lines; this test's own folder. */
std::string TempPath(const std::string &name);
std::vector<std::string> FileLines(const std::string &path);
std::string OwnFolder();

/* The handles open in this process (Wine answers GetProcessHandleCount with 0). */
DWORD HandleCount();

#endif
