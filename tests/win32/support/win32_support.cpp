/*
 * Helpers for the Win32 component tests.
 */
#include "win32_support.h"

#include "panel/panel.h"
#include "resource.h"

#include <memory>
#include "settings/regstore.h"

HWND CreateMainDialog()
{
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
}

void PumpMessages(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

namespace {
struct ModalDriver {
    std::function<bool()> action;
    std::function<void()> onTimeout;
    DWORD start;
    DWORD timeout;
    UINT_PTR timer;
};
ModalDriver *ActiveDriver;

void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD)
{
    ModalDriver *driver = ActiveDriver;
    if (!driver)
        return;
    bool done = driver->action();
    if (!done && GetTickCount() - driver->start > driver->timeout) {
        done = true;
        if (driver->onTimeout)
            driver->onTimeout();
    }
    if (done) {
        KillTimer(NULL, driver->timer);
        ActiveDriver = nullptr;
        delete driver;
    }
}
}

void WhileModal(std::function<bool()> action, DWORD interval, DWORD timeout, std::function<void()> onTimeout)
{
    if (ActiveDriver) {
        KillTimer(NULL, ActiveDriver->timer);
        delete ActiveDriver;
    }
    ActiveDriver = new ModalDriver{std::move(action), std::move(onTimeout), GetTickCount(), timeout, 0};
    ActiveDriver->timer = SetTimer(NULL, 0, interval, DriverTick);
}

void DeleteProgramKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvorik\\Vantrel");
}

namespace {
struct Search {
    std::function<bool(HWND)> match;
    HWND found;
};

BOOL CALLBACK VisitThreadWindow(HWND window, LPARAM data)
{
    Search *search = (Search *)data;
    if (IsWindowVisible(window) && search->match(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}

HWND FindThreadWindow(std::function<bool(HWND)> match)
{
    Search search = {std::move(match), NULL};
    EnumThreadWindows(GetCurrentThreadId(), VisitThreadWindow, (LPARAM)&search);
    return search.found;
}

HWND ThreadWindowTitled(const char *title)
{
    return FindThreadWindow([title](HWND window) { return WindowText(window) == title; });
}

void PostCommand(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

void TypeChars(HWND control, const char *text)
{
    for (const char *c = text; *c; c++)
        SendMessageA(control, WM_CHAR, (unsigned char)*c, 1);
}

void SendKeyDown(HWND control, WPARAM key, int modifier)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    if (modifier)
        state[modifier] = 0x80;
    SetKeyboardState(state);
    SendMessageA(control, WM_KEYDOWN, key, 1);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

bool DialogKey(HWND dialog, HWND control, WPARAM key)
{
    MSG msg = {control, WM_KEYDOWN, key, 1, GetTickCount(), {0, 0}};
    return IsDialogMessageA(dialog, &msg);
}

std::string TempFolder(const char *name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

std::string StoredValue(const char *name)
{
    char data[2048] = "";
    DWORD size = sizeof data - 1, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) != ERROR_SUCCESS)
        return "<missing>";
    if (type == REG_DWORD)
        return std::to_string((int)*(DWORD *)data);
    return type == REG_SZ ? std::string(data) : "<type " + std::to_string(type) + ">";
}

std::string StoredValues(std::initializer_list<const char *> names)
{
    std::string values;
    for (const char *name : names)
        values += (values.empty() ? "" : " ") + StoredValue(name);
    return values;
}

void WriteProgramValue(const char *name, DWORD type, const void *data, DWORD size)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, name, type, data, size);
}

bool KeyExists(const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

void PostKeyToFocus(UINT key)
{
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

void PostClick(HWND control)
{
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

INT_PTR DriveModalDialog(const char *title, std::vector<ModalStep> steps, std::function<INT_PTR()> open, DWORD timeout)
{
    struct Drive {
        std::string title;
        std::vector<ModalStep> steps;
        size_t next = 0;
        HWND dialog = NULL;
        bool timedOut = false, finished = false;
    };
    // A last tick may come after this call returns, so the driver holds only shared state.
    auto drive = std::make_shared<Drive>();
    drive->title = title;
    drive->steps = std::move(steps);
    WhileModal(
        [drive]() {
            if (drive->finished)
                return true;
            HWND active = GetActiveWindow();
            if (!drive->dialog) {
                if (!active || WindowText(active) != drive->title)
                    return false;
                drive->dialog = active;
            }
            if (!IsWindow(drive->dialog))
                return true;
            if (active && active != drive->dialog && active != GetWindow(drive->dialog, GW_OWNER)) {
                PostMessageA(active, WM_CLOSE, 0, 0); // a message over the dialog is not waited on
                return false;
            }
            while (drive->next < drive->steps.size() && drive->steps[drive->next](drive->dialog))
                drive->next++;
            return false;
        },
        20, timeout,
        [drive]() {
            drive->timedOut = true;
            EndDialog(drive->dialog ? drive->dialog : GetActiveWindow(), MODAL_TIMED_OUT);
        });
    INT_PTR result = open();
    drive->finished = true;
    if (drive->timedOut)
        return MODAL_TIMED_OUT;
    return drive->next < drive->steps.size() ? MODAL_CUT_SHORT : result;
}

std::function<INT_PTR()> ModalFromTemplate(int templateId, DLGPROC proc)
{
    return [templateId, proc]() {
        return DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), NULL, proc, 0);
    };
}
