// vantrel.exe with parts of its resources taken away: a copy of the real program whose
// version block, icon or main dialog template cannot be found, started as a process of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resource.h"

namespace {

struct Started {
    PROCESS_INFORMATION process;
    HWND dialog;
};

/* The file offset of a relative virtual address, through the image's section table. */
DWORD FileOffset(const IMAGE_NT_HEADERS *nt, DWORD rva)
{
    const IMAGE_SECTION_HEADER *section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++, section++) {
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize)
            return rva - section->VirtualAddress + section->PointerToRawData;
    }
    return 0;
}

/* The entry numbered `id` of a resource directory. */
IMAGE_RESOURCE_DIRECTORY_ENTRY *FindEntry(std::string &image, DWORD directoryOffset, WORD id)
{
    IMAGE_RESOURCE_DIRECTORY *directory = (IMAGE_RESOURCE_DIRECTORY *)&image[directoryOffset];
    IMAGE_RESOURCE_DIRECTORY_ENTRY *entry = (IMAGE_RESOURCE_DIRECTORY_ENTRY *)(directory + 1);
    int count = directory->NumberOfNamedEntries + directory->NumberOfIdEntries;
    for (int i = 0; i < count; i++, entry++) {
        if (!entry->NameIsString && entry->Id == id)
            return entry;
    }
    return nullptr;
}

/* Copies vantrel.exe into the temporary folder with one resource hidden: its entry in the
 * resource directory gets a number nothing asks for. */
std::string CopyWithout(const char *copyName, WORD type, WORD name)
{
    HANDLE file = CreateFileA("vantrel.exe", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    std::string image(GetFileSize(file, NULL), '\0');
    DWORD read = 0;
    ReadFile(file, &image[0], (DWORD)image.size(), &read, NULL);
    CloseHandle(file);

    const IMAGE_NT_HEADERS *nt = (const IMAGE_NT_HEADERS *)&image[((IMAGE_DOS_HEADER *)&image[0])->e_lfanew];
    DWORD root = FileOffset(nt, nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress);
    IMAGE_RESOURCE_DIRECTORY_ENTRY *typeEntry = FindEntry(image, root, type);
    EXPECT_NE(nullptr, typeEntry);
    IMAGE_RESOURCE_DIRECTORY_ENTRY *nameEntry = typeEntry ? FindEntry(image, root + typeEntry->OffsetToDirectory, name) : nullptr;
    EXPECT_NE(nullptr, nameEntry);
    if (nameEntry)
        nameEntry->Id = 0x7FF0;

    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + copyName;
    file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(file, image.data(), (DWORD)image.size(), &written, NULL);
    CloseHandle(file);
    EXPECT_EQ(image.size(), written);
    return path;
}

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM lParam)
{
    Started *started = (Started *)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == started->process.dwProcessId && IsWindowVisible(window) && !strcmp(className, "#32770")) {
        started->dialog = window;
        return FALSE;
    }
    return TRUE;
}

/* Starts the program and waits (at most 20 s) for its dialog or its end. */
Started Start(const std::string &path)
{
    Started started = {};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    EXPECT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started.process));
    for (int i = 0; i < 400 && !started.dialog; i++) {
        EnumWindows(FindDialogOfProcess, (LPARAM)&started);
        if (!started.dialog && WaitForSingleObject(started.process.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
    return started;
}

DWORD EndAndGetExitCode(Started &started)
{
    if (started.dialog)
        PostMessageA(started.dialog, WM_COMMAND, IDCANCEL, 0);
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(started.process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(started.process.hProcess, &code);
    else
        TerminateProcess(started.process.hProcess, 0xDEAD);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    return code;
}

TEST(StartupFaults, MissingVersionBlockEmptiesTheCaptionAndMissingIconKeepsTheDefault)
{
    const struct {
        const char *copyName;
        WORD type;
        WORD name;
        const char *caption;
    } cases[] = {
        {"vantrel-noversion.exe", 16 /* RT_VERSION */, 1, ""},
        {"vantrel-noicon.exe", 14 /* RT_GROUP_ICON */, IDI_MAIN, "Vantrel"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.copyName);
        Started started = Start(CopyWithout(c.copyName, c.type, c.name));
        ASSERT_NE(nullptr, started.dialog);
        char caption[64] = "x";
        GetWindowTextA(started.dialog, caption, sizeof caption);
        EXPECT_STREQ(c.caption, caption);
        EXPECT_EQ(0u, EndAndGetExitCode(started));
    }
}

TEST(StartupFaults, MissingMainDialogEndsWithExitCodeZeroAndNoWindow)
{
    Started started = Start(CopyWithout("vantrel-nodialog.exe", 5 /* RT_DIALOG */, IDD_MAIN));
    EXPECT_EQ(nullptr, started.dialog);
    EXPECT_EQ(0u, EndAndGetExitCode(started));
}

} // namespace
