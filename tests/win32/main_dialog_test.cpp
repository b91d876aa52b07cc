// What no keyboard reaches in the main dialog, its About box and its settings: the program
// built with a resource hidden, or told by Wine to see another Windows version; the
// thousands separator when the locale's cannot be used; files dropped on the dialog by the
// shell; and the settings store and the panel against the real registry of the test prefix:
// values of the wrong type, size or length, and values other software left out of range.
#include <ctype.h>
#include <shlobj.h>
#include <string.h>

#include "dialogs/dialogs.h"
#include "support.h"

namespace {

// The visible dialog of a process titled `title` (NULL: any), waited for up to 20 s or until
// the process ends.
HWND DialogOf(const PROCESS_INFORMATION &process, const char *title)
{
    for (int i = 0; i < 400; i++) {
        for (HWND window = NULL; (window = FindWindowExA(NULL, window, "#32770", title));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process.dwProcessId && IsWindowVisible(window))
                return window;
        }
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
    return NULL;
}

std::string TextOf(HWND window)
{
    char text[256] = "<none>";
    if (window)
        GetWindowTextA(window, text, sizeof text);
    return text;
}

// Each program is started, its main dialog's caption read, the About box opened where asked and
// its Windows and service-pack lines read, then the program ended with Cancel: exit code 0. The
// builds "without" a resource carry it under a number the program never asks for; copies of
// vantrel.exe are told by Wine to see another Windows version.
TEST(MainDialog, StartsWithResourcesMissingAndShowsTheWindowsVersionItIsGiven)
{
    const struct { const char *name, *windows, *expected; } cases[] = {
        {"vantrel-without-vs_version_info.exe", NULL, ""},
        {"vantrel-without-idi_main.exe", NULL, "Vantrel"},
        {"vantrel-without-idd_main.exe", NULL, "<none>"},
        {"vantrel-win7.exe", "win7", "Vantrel|Windows NT ver. 6.1 (build 7601)|Service Pack 1"},
        // Without a manifest naming Windows 10, Windows 10 reports itself as 6.2.
        {"vantrel-win10.exe", "win10", "Vantrel|Windows NT ver. 6.2 (build 9200)|"},
    };
    for (const auto &c : cases) {
        std::string path = c.windows ? TempPath(c.name) : c.name, key = "Software\\Wine\\AppDefaults\\";
        if (c.windows) {
            EXPECT_TRUE(CopyFileA("vantrel.exe", path.c_str(), FALSE));
            RegSetKeyValueA(HKEY_CURRENT_USER, (key + c.name).c_str(), "Version", REG_SZ, c.windows, 6);
        }
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::string commandLine = "\"" + path + "\"";
        ASSERT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process));
        HWND dialog = DialogOf(process, NULL);
        std::string seen = TextOf(dialog);
        if (c.windows) {
            PostMessageA(dialog, WM_COMMAND, IDC_ABOUT, 0);
            HWND about = DialogOf(process, "About");
            seen += "|" + TextOf(GetDlgItem(about, IDC_OS_VERSION)) + "|" + TextOf(GetDlgItem(about, IDC_CSD_VERSION));
            PostMessageA(about, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 100 && IsWindow(about); i++)
                Sleep(50);
        }
        EXPECT_EQ(c.expected, seen) << c.name;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        DWORD code = 0xDEAD;
        if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 0xDEAD);
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(0u, code) << c.name;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        RegDeleteTreeA(HKEY_CURRENT_USER, (key + c.name).c_str());
    }
}

// The system locale's separator is used when it is one character; none gives plain digits,
// and one too long to read gives the period.
TEST(MainDialog, ThousandsSeparatorFallsBackToThePeriod)
{
    const struct { const char *separator, *expected; } cases[] = {{",", "1,234,567"}, {"", "1234567"}, {"''", "1.234.567"}};
    for (const auto &c : cases) {
        ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, c.separator));
        char number[32];
        EXPECT_STREQ(c.expected, FormatThousands(number, sizeof number, 1234567)) << "[" << c.separator << "]";
    }
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, ",");
}

HDROP DropOf(const std::vector<std::string> &files)
{
    std::string list;
    for (const std::string &file : files)
        list += file + '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() + 1);
    DROPFILES *drop = (DROPFILES *)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    memcpy(drop + 1, list.data(), list.size());
    GlobalUnlock(memory);
    return (HDROP)memory;
}

// Files dropped as the shell delivers them: the first becomes the input file, whole; a folder
// is refused and the field keeps what it held.
TEST(MainDialog, FirstDroppedFileBecomesTheInputFileAndAFolderIsRefused)
{
    const std::string folder = TempPath(""), c300 = "C:\\" + std::string(293, 'b') + ".bgl";
    const struct { std::vector<std::string> files; std::string expected; } cases[] = {
        {{"D:\\first.bgl", "D:\\second.bgl"}, "D:\\first.bgl"},
        {{folder}, "D:\\first.bgl"},
        {{folder, "E:\\after.bgl"}, "D:\\first.bgl"},
        {{c300}, c300}, // past MAX_PATH
    };
    DeleteProgramKey();
    HWND dialog = CreateMainDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    for (const auto &c : cases) {
        SendMessageA(dialog, WM_DROPFILES, (WPARAM)DropOf(c.files), 0);
        char text[1024] = "";
        GetDlgItemTextA(dialog, IDC_INPUT_FILE, text, sizeof text);
        EXPECT_EQ(c.expected, text) << c.files[0];
    }
    DestroyWindow(dialog);
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        ASSERT_TRUE(RegStoreInit(&store, AppKeyPath));
    }
    void TearDown() override { RegStoreClose(&store); }
    // The text read into `size` bytes of a buffer full of 'x', and what the store returned.
    std::string Read(const char *name, DWORD size = 260)
    {
        std::string text(size, 'x');
        DWORD count = RegStoreGetString(&store, "", name, &text[0], "default", size);
        return text.substr(0, strnlen(text.c_str(), size)) + " " + std::to_string(count);
    }
    DWORD Number(const char *name) { return RegStoreGetNumber(&store, "", name, 9); }
    RegStore store;
};

TEST_F(Registry, WrongTypesSizesAndLengthsReadAsDefaults)
{
    const struct { const char *name; DWORD type; std::string bytes; const char *expected; } rows[] = {
        {"3ea", REG_SZ, std::string("1", 2), "9"},
        {"3ef", REG_QWORD, std::string("\5\0\0\0\0\0\0\0", 8), "9"},
        {"3f0", REG_BINARY, std::string("\5\0\0\0", 4), "9"},
        {"3f1", REG_DWORD, std::string("\5\0", 2), "9"},
        {"3e8", REG_EXPAND_SZ, std::string("%TEMP%", 7), "default 0"},
        {"3e9", REG_DWORD, std::string("\5\0\0\0", 4), "default 0"},
        {"3ee", REG_SZ, "", "default 0"},
        {"3f2", REG_SZ, std::string(300, 'p') + '\0', "default 0"}, // 301 bytes for 260
        {"3ec", REG_SZ, "Z:\\maps\\", "Z:\\maps\\ 9"},               // without its NUL
        {"3eb", REG_SZ, std::string("", 1), " 1"},                   // empty is a text, not the default
    };
    for (const auto &row : rows) {
        WriteProgramValue(row.name, row.type, row.bytes.data(), (DWORD)row.bytes.size());
        bool number = isdigit(row.expected[0]);
        EXPECT_EQ(row.expected, number ? std::to_string(Number(row.name)) : Read(row.name))
            << row.name;
    }
    EXPECT_EQ("def 0", Read("missing", 4)); // the default is cut to fit
}

// Numbers out of range that other software stored are clamped when read; Escape while typing
// saves the text as typed, and a 600-character path as much of it as the panel keeps.
TEST_F(Registry, PanelClampsWhatItReadsAndCutsLongPaths)
{
    DWORD radius = 500, longitude = (DWORD)-9000000, quiet = 7; // any non-zero number ticks the box
    WriteProgramValue("3f1", REG_DWORD, &radius, 4);
    WriteProgramValue("3f0", REG_DWORD, &longitude, 4);
    WriteProgramValue("3ea", REG_DWORD, &quiet, 4);
    HWND dialog = CreateMainDialog();
    ASSERT_NE(nullptr, dialog);
    char text[16] = "";
    GetDlgItemTextA(dialog, IDC_CENTER_LON, text, sizeof text);
    EXPECT_STREQ("-180.000", text);
    GetDlgItemTextA(dialog, IDC_RADIUS, text, sizeof text);
    EXPECT_STREQ("180", text);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_QUIET));
    HWND latitude = GetDlgItem(dialog, IDC_CENTER_LAT);
    EnableWindow(latitude, TRUE);
    SetFocus(latitude);
    SetWindowTextA(latitude, "200");
    std::string path = "Z:\\" + std::string(597, 'p');
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, path.c_str());
    MSG escape = {latitude, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
    ASSERT_TRUE(IsDialogMessageA(dialog, &escape));
    EXPECT_EQ(path.substr(0, 511) + " 512", Read("3e8", 600));
    EXPECT_EQ((std::vector<DWORD>{11113055, (DWORD)-8388608, 1}), (std::vector<DWORD>{Number("3ef"), Number("3f0"), Number("3ea")}));
    DestroyWindow(dialog);
}

} // namespace
