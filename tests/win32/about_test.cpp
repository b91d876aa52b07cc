// The About box from the program's own template: the program's own version strings, a Windows
// line that agrees with what the system reports, a memory line of the right shape, and the ways
// it closes (also when no browser is registered).
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <regex>

#include "dialogs/core/text_forms.h"
#include "dialogs/dialogs.h"
#include "resource.h"
#include "win32_support.h"

namespace {

// Opens the box directly and runs `act` once on it; `act` must make it end.
INT_PTR RunAbout(std::function<void(HWND)> act)
{
    return DriveModalDialog("About", {[act](HWND dialog) { act(dialog); return true; }},
                            ModalFromTemplate(IDD_ABOUT, AboutDlgProc));
}

TEST(AboutDialog, ShowsTheProgramTheSystemAndFreeMemoryAndIsCentred)
{
    std::string product, version, notice, windows, servicePack, memory;
    RECT rect = {};
    EXPECT_EQ(IDCANCEL, RunAbout([&](HWND dialog) {
        product = ItemText(dialog, IDC_PRODUCT_NAME), version = ItemText(dialog, IDC_VERSION);
        notice = ItemText(dialog, IDC_LEGAL_NOTICE), windows = ItemText(dialog, IDC_OS_VERSION);
        servicePack = ItemText(dialog, IDC_CSD_VERSION), memory = ItemText(dialog, IDC_MEMORY);
        GetWindowRect(dialog, &rect);
        PostKeyToFocus(VK_ESCAPE);
    }));
    EXPECT_EQ("Vantrel", product);
    EXPECT_EQ("Version 1. 1. 0. 13", version);
    EXPECT_EQ("Copyright (C) 2026 Halvorik", notice);

    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    const char *family = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? "Windows NT" : info.dwPlatformId == 1 ? "Windows v9.x" : "MS Windows";
    char expected[128];
    snprintf(expected, sizeof expected, "%s ver. %lu.%lu (build %lu)", family, info.dwMajorVersion,
             info.dwMinorVersion, info.dwBuildNumber & 0xFFFF);
    EXPECT_EQ(expected, windows);
    EXPECT_EQ(info.szCSDVersion, servicePack) << "the service pack as the system gives it, or nothing";

    // Kilobytes grouped by threes with the system's separator: a snapshot near what the system
    // reports now, never more than a 32-bit program can be told.
    std::smatch match;
    ASSERT_TRUE(std::regex_match(memory, match, std::regex("Available memory to Windows: (.+) Kb \\(([0-9]+)%\\)"))) << memory;
    std::string number = match[1];
    unsigned long shown = strtoul(std::regex_replace(number, std::regex("[^0-9]"), "").c_str(), NULL, 10);
    char separator[8] = "", grouped[TEXT_LINE_SIZE];
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    EXPECT_EQ(GroupThousands(grouped, sizeof grouped, shown, separator[0]), number);
    EXPECT_LE(shown, 4194303ul);
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    unsigned long long avail = status.dwAvailPhys;
    double now = (double)((avail > 0xFFFFFFFFull ? 0xFFFFFFFFull : avail) >> 10);
    EXPECT_NEAR(now, (double)shown, 0.2 * now + 65536.0);
    EXPECT_LE(atoi(match[2].str().c_str()), 100);

    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ((screenWidth >> 1) - ((rect.right - rect.left) >> 1), rect.left);
    EXPECT_EQ((screenHeight >> 1) - ((rect.bottom - rect.top) >> 1), rect.top);
}

TEST(AboutDialog, OkEnterEndWithOneAndEscapeCloseBoxWithTwo)
{
    // OK is the default push button: Enter presses it wherever the focus is.
    EXPECT_EQ(IDOK, RunAbout([](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }));
    EXPECT_EQ(IDOK, RunAbout([](HWND) { PostKeyToFocus(VK_RETURN); }));
    EXPECT_EQ(IDCANCEL, RunAbout([](HWND) { PostKeyToFocus(VK_ESCAPE); }));
    EXPECT_EQ(IDCANCEL, RunAbout([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
}

// Takes the https handler out of this (throwaway) prefix's class registry while it lives, keeping
// a copy under the program's key to put back.
struct NoBrowserRegistered {
    NoBrowserRegistered()
    {
        HKEY handler;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "https", 0, KEY_READ, &handler) != ERROR_SUCCESS)
            return;
        RegCreateKeyExA(HKEY_CURRENT_USER, BackupPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &backup, NULL);
        if (RegCopyTreeA(handler, NULL, backup) == ERROR_SUCCESS)
            RegDeleteTreeA(HKEY_CLASSES_ROOT, "https");
        RegCloseKey(handler);
    }
    ~NoBrowserRegistered()
    {
        HKEY handler;
        if (backup && RegCreateKeyExA(HKEY_CLASSES_ROOT, "https", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &handler, NULL) == ERROR_SUCCESS) {
            RegCopyTreeA(backup, NULL, handler);
            RegCloseKey(handler);
            RegCloseKey(backup);
            RegDeleteTreeA(HKEY_CURRENT_USER, BackupPath);
        }
    }
    static constexpr const char *BackupPath = "Software\\Halvorik\\Vantrel tests https";
    HKEY backup = NULL;
};

TEST(AboutDialog, MyUrlClosesWithOneEvenWithoutABrowser)
{
    NoBrowserRegistered noBrowser;
    HKEY handler;
    ASSERT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, "https", 0, KEY_READ, &handler));
    // Should the shell say anything about the failure, that is dismissed rather than waited on.
    WhileModal([]() {
        if (HWND active = GetActiveWindow())
            PostMessageA(active, WM_CLOSE, 0, 0);
        return false;
    }, 50, 3000);
    EXPECT_FALSE(OpenHomePage(NULL)) << "nothing can open " << HomePageAddress;

    EXPECT_EQ(IDOK, RunAbout([](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_MYURL), BM_CLICK, 0, 0); }));
}

} // namespace
