/*
 * Helpers for the Win32 component tests: the real dialogs from the real resources, message
 * pumping with a bound, and driving modal loops from inside the process.
 */
#ifndef VANTREL_WIN32_SUPPORT_H
#define VANTREL_WIN32_SUPPORT_H

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

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

/* The first visible top-level window of this thread that `match` accepts, or NULL. */
HWND FindThreadWindow(std::function<bool(HWND)> match);

/* The visible top-level window of this thread with this title, or NULL. */
HWND ThreadWindowTitled(const char *title);

/* Posts a button's click to its dialog as WM_COMMAND, the way the button reports it. */
void PostCommand(HWND dialog, int id);

/* Sends `text` to a control one WM_CHAR at a time, as typing does. */
void TypeChars(HWND control, const char *text);

/* Sends WM_KEYDOWN with `modifier` (VK_SHIFT, VK_CONTROL or 0) held in the thread's keyboard
 * state, and releases the modifier afterwards. */
void SendKeyDown(HWND control, WPARAM key, int modifier = 0);

/* A key pressed in `control` as the dialog manager of `dialog` sees it (Tab, Escape, Enter);
 * true when the dialog manager handled it. */
bool DialogKey(HWND dialog, HWND control, WPARAM key);

/* %TEMP%\name\ (with the trailing backslash), created if needed. */
std::string TempFolder(const char *name);

/* A value of the program's key as a test compares it: REG_SZ as its text, REG_DWORD as a
 * signed decimal number, "<missing>", or "<type N>" for any other type. */
std::string StoredValue(const char *name);

/* Several values of the program's key as StoredValue gives them, separated by blanks. */
std::string StoredValues(std::initializer_list<const char *> names);

/* Writes a value of any type and size straight into the program's key, as other software might. */
void WriteProgramValue(const char *name, DWORD type, const void *data, DWORD size);

/* True when the key exists under HKEY_CURRENT_USER. */
bool KeyExists(const char *path);

/* The text of the control `id` of `dialog`. */
std::string ItemText(HWND dialog, int id);

/* A key as the keyboard delivers it: down and up posted to the focused window, so the dialog
 * manager of a running modal loop sees it first. */
void PostKeyToFocus(UINT key);

/* A left click posted to the top left of `control`. */
void PostClick(HWND control);

/* One step of driving a modal dialog: runs on the dialog every tick until it returns true. */
typedef std::function<bool(HWND)> ModalStep;

/* What DriveModalDialog returns instead of the dialog's own result. */
enum { MODAL_TIMED_OUT = -100, MODAL_CUT_SHORT = -101 };

/* Calls `open`, which runs a modal loop (DialogBoxParamA, or a command that opens a dialog),
 * and drives the window titled `title` that becomes active in it: the steps in turn, then the
 * window must close by itself; anything else that becomes active over it meanwhile is closed.
 * Returns what `open` returned, MODAL_CUT_SHORT if the window never showed or closed before its
 * last step, or MODAL_TIMED_OUT if it had to be ended after `timeout` ms. */
INT_PTR DriveModalDialog(const char *title, std::vector<ModalStep> steps, std::function<INT_PTR()> open,
                         DWORD timeout = 10000);

/* An `open` for DriveModalDialog: the program's template `templateId` with `proc`, no owner. */
std::function<INT_PTR()> ModalFromTemplate(int templateId, DLGPROC proc);

#endif
