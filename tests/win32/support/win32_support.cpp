/*
 * Helpers for the Win32 component tests.
 */
#include "win32_support.h"

#include "panel/panel.h"
#include "resource.h"

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
