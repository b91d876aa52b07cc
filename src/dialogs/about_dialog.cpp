/*
 * About box: the program's name, version and notice from its own version block, and a short
 * summary of the system (Windows version, service pack, free physical memory). Everything is
 * read once, when the box opens.
 */
#include <windows.h>

#include <string.h>

#include "dialogs/core/text_forms.h"
#include "dialogs/dialogs.h"
#include "resource.h"
#include "ui/ui.h"

const char HomePageAddress[] = "https://www.halvorik.example/vantrel/";

char GetThousandSeparator()
{
    char separator[2] = "";
    /* Room for one character only: a longer separator makes the call fail. */
    if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) == 0)
        return '.';
    return separator[0];
}

char *FormatThousands(char *buffer, size_t bufferSize, DWORD value)
{
    return GroupThousands(buffer, bufferSize, value, GetThousandSeparator());
}

BOOL OpenHomePage(HWND owner)
{
    return LateOpenInShell(owner, HomePageAddress);
}

static void SetItemText(HWND dialog, int id, const char *text)
{
    SetWindowTextA(GetDlgItem(dialog, id), text);
}

static void ShowVersionStrings(HWND dialog, const VersionStrings *version)
{
    char line[TEXT_LINE_SIZE];
    FormatVersionLine(line, sizeof line, version->FileVersion);
    SetItemText(dialog, IDC_PRODUCT_NAME, version->ProductName);
    SetItemText(dialog, IDC_VERSION, line);
    SetItemText(dialog, IDC_LEGAL_NOTICE, version->LegalCopyRight);
}

/* The memory snapshot is taken first, then the Windows version; `known` is what GetVersionExA
 * said. */
static void ReadSystemStatus(MEMORYSTATUS *memory, OSVERSIONINFOA *os, BOOL *known)
{
    memset(memory, 0, sizeof *memory);
    /* The structure's own size: a 64-bit build's MEMORYSTATUS is larger than the 32-bit one. */
    memory->dwLength = sizeof *memory;
    memset(os, 0, sizeof *os);
    os->dwOSVersionInfoSize = sizeof *os;
    GlobalMemoryStatus(memory);
    *known = GetVersionExA(os);
    /* The service-pack text is shown as it stands, so it must end inside its field. */
    os->szCSDVersion[sizeof os->szCSDVersion - 1] = '\0';
}

static void ShowWindowsVersion(HWND dialog, const OSVERSIONINFOA *info, BOOL known)
{
    WindowsVersion version = {info->dwPlatformId, info->dwMajorVersion, info->dwMinorVersion, info->dwBuildNumber};
    char line[TEXT_LINE_SIZE];
    /* A failed GetVersionExA leaves nothing worth showing as numbers; the line says so instead. */
    FormatWindowsLine(line, sizeof line, known ? &version : NULL);
    if (known && info->szCSDVersion[0] != '\0')
        SetItemText(dialog, IDC_CSD_VERSION, info->szCSDVersion);
    SetItemText(dialog, IDC_OS_VERSION, line);
}

static void ShowFreeMemory(HWND dialog, const MEMORYSTATUS *status)
{
    char number[TEXT_LINE_SIZE];
    char line[TEXT_LINE_SIZE];
    FormatThousands(number, sizeof number, FreeKilobytes(status->dwAvailPhys));
    FormatMemoryLine(line, sizeof line, number, status->dwMemoryLoad);
    SetItemText(dialog, IDC_MEMORY, line);
}

static BOOL OnInitDialog(HWND dialog)
{
    VersionStrings version;
    MEMORYSTATUS memory;
    OSVERSIONINFOA os;
    BOOL known;
    ReadVersionStrings(&version);
    ReadSystemStatus(&memory, &os, &known);

    ShowVersionStrings(dialog, &version);
    ShowWindowsVersion(dialog, &os, known);
    ShowFreeMemory(dialog, &memory);
    CenterWindow(dialog);
    return FALSE; /* no focus is set here, and none asked of the system */
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_MYURL:
            OpenHomePage(dialog); /* the box closes whether or not a browser opened */
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
