// The About box from the program's own template: the version strings of the program's own
// block, a Windows line that agrees with what the system reports, a memory line of the right
// shape, and the three ways it closes (also when no browser is registered).
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <memory>
#include <regex>

#include "dialogs/dialogs.h"
#include "panel/panel.h"
#include "resource.h"
#include "win32_support.h"

namespace {

struct AboutTexts {
    std::string product, version, notice, windows, servicePack, memory;
};

AboutTexts ReadTexts(HWND dialog)
{
    auto text = [dialog](int id) { return WindowText(GetDlgItem(dialog, id)); };
    return {text(IDC_PRODUCT_NAME), text(IDC_VERSION), text(IDC_LEGAL_NOTICE),
            text(IDC_OS_VERSION), text(IDC_CSD_VERSION), text(IDC_MEMORY)};
}

bool IsAboutBox(HWND window)
{
    return window && WindowText(window) == "About" && GetDlgItem(window, IDC_MYURL);
}

// Opens the About box modally (from `owner`'s command `command`, or directly when owner is NULL)
// and runs `act` once on it from inside its loop; `act` must make the box end, or it is ended
// with -100 when the time is up. Returns the dialog's result, or -1 when opened from the main
// dialog (whose handler drops the result).
INT_PTR RunAbout(std::function<void(HWND)> act, HWND owner = NULL, UINT message = 0, WPARAM command = 0)
{
    auto dialog = std::make_shared<HWND>(nullptr);
    // The driver may outlive this call by a tick, so it holds only shared state.
    WhileModal(
        [dialog, act]() {
            HWND active = GetActiveWindow();
            if (*dialog) {
                if (!IsWindow(*dialog))
                    return true;
                // Whatever else shows up over the box (a message from the shell, say) is
                // dismissed, so the test cannot hang on it.
                if (active && active != *dialog)
                    PostMessageA(active, WM_CLOSE, 0, 0);
                return false;
            }
            if (!IsAboutBox(active))
                return false;
            *dialog = active;
            act(active);
            return false;
        },
        20, 10000, [dialog]() { EndDialog(*dialog ? *dialog : GetActiveWindow(), -100); });
    INT_PTR result = -1;
    if (owner)
        SendMessageA(owner, message, command, 0);
    else
        result = DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_ABOUT), NULL, AboutDlgProc, 0);
    EXPECT_NE(nullptr, *dialog) << "the About box did not show";
    return result;
}

void PostKey(UINT key)
{
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

TEST(AboutDialog, ShowsTheProgramsOwnVersionStrings)
{
    AboutTexts texts;
    RunAbout([&](HWND dialog) {
        texts = ReadTexts(dialog);
        PostKey(VK_ESCAPE);
    });
    EXPECT_EQ("Vantrel", texts.product);
    EXPECT_EQ("Version 1. 1. 0. 13", texts.version);
    EXPECT_EQ("Copyright (C) 2026 Halvorik", texts.notice);
}

TEST(AboutDialog, WindowsLineAgreesWithTheSystem)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    const char *family = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? "Windows NT" : info.dwPlatformId == 1 ? "Windows v9.x" : "MS Windows";
    char expected[128];
    snprintf(expected, sizeof expected, "%s ver. %lu.%lu (build %lu)", family, info.dwMajorVersion,
             info.dwMinorVersion, info.dwBuildNumber & 0xFFFF);

    AboutTexts texts;
    RunAbout([&](HWND dialog) {
        texts = ReadTexts(dialog);
        PostKey(VK_ESCAPE);
    });
    EXPECT_EQ(expected, texts.windows);
    EXPECT_EQ(info.szCSDVersion, texts.servicePack) << "the service pack as the system gives it, or nothing";
}

TEST(AboutDialog, MemoryLineHasKilobytesGroupedWithTheSystemSeparator)
{
    char separator[8] = "";
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);

    AboutTexts texts;
    RunAbout([&](HWND dialog) {
        texts = ReadTexts(dialog);
        PostKey(VK_ESCAPE);
    });

    std::smatch match;
    ASSERT_TRUE(std::regex_match(texts.memory, match, std::regex("Available memory to Windows: ([0-9]{1,3}(\\D[0-9]{3})*) Kb \\(([0-9]+)%\\)")))
        << texts.memory;
    std::string number = match[1], digits;
    for (size_t i = 0; i < number.size(); i++) {
        if (isdigit((unsigned char)number[i])) {
            digits += number[i];
        } else {
            ASSERT_EQ(0u, (number.size() - i) % 4) << "separators split groups of three: " << number;
            EXPECT_EQ(separator[0], number[i]) << number;
        }
    }
    if (strlen(separator) == 1 && digits.size() > 3) {
        EXPECT_NE(digits, number) << "a one-character separator is used";
    }

    // A snapshot of free memory: near what the system reports now, and never more than a
    // 32-bit program can be told.
    unsigned long long shown = strtoull(digits.c_str(), NULL, 10);
    EXPECT_LE(shown, 4194303ull);
    unsigned long long now = (status.dwAvailPhys > 0xFFFFFFFFull ? 0xFFFFFFFFull : status.dwAvailPhys) >> 10;
    EXPECT_NEAR((double)now, (double)shown, 0.2 * (double)now + 65536.0);
    int percent = atoi(match[3].str().c_str());
    EXPECT_LE(percent, 100);
}

TEST(AboutDialog, IsCentredOnTheScreen)
{
    RECT rect = {};
    RunAbout([&](HWND dialog) {
        GetWindowRect(dialog, &rect);
        PostKey(VK_ESCAPE);
    });
    HDC screen = GetDC(NULL);
    int screenWidth = GetDeviceCaps(screen, HORZRES), screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);
    EXPECT_EQ((screenWidth >> 1) - ((rect.right - rect.left) >> 1), rect.left);
    EXPECT_EQ((screenHeight >> 1) - ((rect.bottom - rect.top) >> 1), rect.top);
}

TEST(AboutDialog, OkEnterEndWithOneAndEscapeCloseBoxWithTwo)
{
    EXPECT_EQ(IDOK, RunAbout([](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }));
    // OK is the default push button: Enter presses it wherever the focus is.
    EXPECT_EQ(IDOK, RunAbout([](HWND) { PostKey(VK_RETURN); }));
    EXPECT_EQ(IDCANCEL, RunAbout([](HWND) { PostKey(VK_ESCAPE); }));
    EXPECT_EQ(IDCANCEL, RunAbout([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
}

// Takes the https handler out of the class registry of this (throwaway) prefix for the
// lifetime of the object: a copy is kept under the program's key and put back afterwards.
struct NoBrowserRegistered {
    NoBrowserRegistered()
    {
        HKEY handler;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "https", 0, KEY_READ, &handler) == ERROR_SUCCESS) {
            saved = RegCreateKeyExA(HKEY_CURRENT_USER, BackupPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &backup, NULL) == ERROR_SUCCESS &&
                    RegCopyTreeA(handler, NULL, backup) == ERROR_SUCCESS;
            RegCloseKey(handler);
            if (saved)
                RegDeleteTreeA(HKEY_CLASSES_ROOT, "https");
        }
        removed = RegOpenKeyExA(HKEY_CLASSES_ROOT, "https", 0, KEY_READ, &handler) != ERROR_SUCCESS;
        if (!removed)
            RegCloseKey(handler);
    }
    ~NoBrowserRegistered()
    {
        if (!saved)
            return;
        HKEY handler;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, "https", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &handler, NULL) == ERROR_SUCCESS) {
            RegCopyTreeA(backup, NULL, handler);
            RegCloseKey(handler);
        }
        RegCloseKey(backup);
        RegDeleteTreeA(HKEY_CURRENT_USER, BackupPath);
    }
    static constexpr const char *BackupPath = "Software\\Halvorik\\Vantrel tests https";
    HKEY backup = NULL;
    bool saved = false;
    bool removed = false;
};

TEST(AboutDialog, MyUrlClosesWithOneEvenWithoutABrowser)
{
    NoBrowserRegistered noBrowser;
    ASSERT_TRUE(noBrowser.removed);
    // Should the shell say anything about the failure, that is dismissed rather than waited on.
    WhileModal([]() {
        if (HWND active = GetActiveWindow())
            PostMessageA(active, WM_CLOSE, 0, 0);
        return false;
    }, 50, 3000);
    EXPECT_FALSE(OpenHomePage(NULL)) << "nothing can open " << HomePageAddress;

    INT_PTR result = RunAbout([](HWND dialog) {
        PostMessageA(GetDlgItem(dialog, IDC_MYURL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, result);
}

TEST(AboutDialog, OpensFromTheButtonAndTheSystemMenuOfTheMainDialog)
{
    DeleteProgramKey();
    HWND main = CreateMainDialog();
    ASSERT_NE(nullptr, main);
    auto expectOwnedByMain = [main](HWND dialog) {
        EXPECT_EQ(main, GetWindow(dialog, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(main));
        PostKey(VK_ESCAPE);
    };
    RunAbout(expectOwnedByMain, main, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED));
    EXPECT_TRUE(IsWindowEnabled(main));
    RunAbout(expectOwnedByMain, main, WM_SYSCOMMAND, IDC_ABOUT);
    EXPECT_TRUE(IsWindowEnabled(main));
    DestroyWindow(main);
}

} // namespace
