// What no keyboard reaches in the main dialog and its About box: copies of the real vantrel.exe
// with a resource hidden, or told by Wine to see another Windows version; the thousands
// separator when the locale's cannot be used; and files dropped on the dialog by the shell.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <string.h>

#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "resource.h"
#include "support.h"

namespace {

// The entry numbered `id` of the resource directory at `offset` in the image.
IMAGE_RESOURCE_DIRECTORY_ENTRY *FindEntry(std::string &image, DWORD offset, WORD id)
{
    IMAGE_RESOURCE_DIRECTORY *directory = (IMAGE_RESOURCE_DIRECTORY *)&image[offset];
    IMAGE_RESOURCE_DIRECTORY_ENTRY *entry = (IMAGE_RESOURCE_DIRECTORY_ENTRY *)(directory + 1);
    for (int i = 0; i < directory->NumberOfNamedEntries + directory->NumberOfIdEntries; i++, entry++)
        if (!entry->NameIsString && entry->Id == id)
            return entry;
    return nullptr;
}

// Copies vantrel.exe into the temporary folder; with `type` set, the resource of that type and
// name is hidden by giving its directory entry a number nothing asks for.
std::string CopyOfProgram(const char *copyName, WORD type = 0, WORD name = 0)
{
    std::string image, path = TempPath(copyName);
    HANDLE file = CreateFileA("vantrel.exe", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    image.resize(GetFileSize(file, NULL));
    DWORD done = 0;
    ReadFile(file, &image[0], (DWORD)image.size(), &done, NULL);
    CloseHandle(file);
    const IMAGE_NT_HEADERS *nt = (const IMAGE_NT_HEADERS *)&image[((IMAGE_DOS_HEADER *)&image[0])->e_lfanew];
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress, root = 0;
    const IMAGE_SECTION_HEADER *section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++, section++)
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize)
            root = rva - section->VirtualAddress + section->PointerToRawData;
    if (type) {
        IMAGE_RESOURCE_DIRECTORY_ENTRY *typeEntry = FindEntry(image, root, type);
        IMAGE_RESOURCE_DIRECTORY_ENTRY *entry = typeEntry ? FindEntry(image, root + typeEntry->OffsetToDirectory, name) : NULL;
        EXPECT_NE(nullptr, entry) << copyName;
        if (entry)
            entry->Id = 0x7FF0;
    }
    file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    WriteFile(file, image.data(), (DWORD)image.size(), &done, NULL);
    CloseHandle(file);
    return path;
}

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

// Each copy is started, its main dialog's caption read, the About box opened where asked and
// its Windows and service-pack lines read, then the program ended with Cancel: exit code 0.
TEST(MainDialog, StartsWithResourcesMissingAndShowsTheWindowsVersionItIsGiven)
{
    const struct { const char *name; WORD type, id; const char *windows, *expected; } cases[] = {
        {"vantrel-noversion.exe", 16 /* RT_VERSION */, 1, NULL, ""},
        {"vantrel-noicon.exe", 14 /* RT_GROUP_ICON */, IDI_MAIN, NULL, "Vantrel"},
        {"vantrel-nodialog.exe", 5 /* RT_DIALOG */, IDD_MAIN, NULL, "<none>"},
        {"vantrel-win7.exe", 0, 0, "win7", "Vantrel|Windows NT ver. 6.1 (build 7601)|Service Pack 1"},
        // Without a manifest naming Windows 10, Windows 10 reports itself as 6.2.
        {"vantrel-win10.exe", 0, 0, "win10", "Vantrel|Windows NT ver. 6.2 (build 9200)|"},
    };
    for (const auto &c : cases) {
        std::string path = CopyOfProgram(c.name, c.type, c.id), key = "Software\\Wine\\AppDefaults\\";
        if (c.windows)
            RegSetKeyValueA(HKEY_CURRENT_USER, (key + c.name).c_str(), "Version", REG_SZ, c.windows, 6);
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
    const std::string folder = TempPath(""), c259 = "C:\\" + std::string(252, 'a') + ".bgl",
                      c300 = "C:\\" + std::string(293, 'b') + ".bgl";
    const struct { std::vector<std::string> files; std::string expected; } cases[] = {
        {{"C:\\maps\\area.bgl"}, "C:\\maps\\area.bgl"},
        {{"D:\\second.bgl", "D:\\third.bgl"}, "D:\\second.bgl"},
        {{folder}, "D:\\second.bgl"},
        {{folder, "E:\\after.bgl"}, "D:\\second.bgl"},
        {{c259}, c259},
        {{c300}, c300},
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

} // namespace
