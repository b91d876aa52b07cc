/*
 * Helpers for the Win32 component tests: the real dialogs from the real resources, message
 * pumping with a bound, and driving modal loops from inside the process.
 */
#ifndef VANTREL_WIN32_SUPPORT_H
#define VANTREL_WIN32_SUPPORT_H

#include <windows.h>

#include <functional>
#include <string>

/* The main dialog, created modeless from the program's own template. */
HWND CreateMainDialog();

/* Dispatches the messages queued for this thread, for about `milliseconds`. */
void PumpMessages(DWORD milliseconds);

/* The text of a window. */
std::string WindowText(HWND window);

/* Runs `action` on this thread from a timer callback once the modal loop that follows is
 * running: every `interval` ms until it returns true, or until `timeout` ms have passed, after
 * which `onTimeout` runs (to get the loop unstuck so the test can fail instead of hanging). */
void WhileModal(std::function<bool()> action, DWORD interval = 20, DWORD timeout = 10000,
                std::function<void()> onTimeout = nullptr);

/* Deletes the program's registry key and everything under it. */
void DeleteProgramKey();

#endif
