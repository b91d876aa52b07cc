// The libraries only a later click needs (file dialogs, shell, COM runtime): the program does
// not import them, and each operation that needs one does nothing when its library cannot be
// loaded. For that, this test runs a copy of itself to which Wine refuses the three libraries.
#include <shlobj.h>
#include <string.h>

#include "dialogs/dialogs.h"
#include "support.h"

namespace {

const char *const LateLibraries[] = {"comdlg32.dll", "shell32.dll", "ole32.dll"};

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HDROP DropOf(const char *file)
{
    size_t length = strlen(file) + 2; // the file's NUL and the list's
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + length);
    DROPFILES *drop = (DROPFILES *)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    memcpy(drop + 1, file, length - 1);
    GlobalUnlock(memory);
    return (HDROP)memory;
}

// The libraries vantrel.exe (beside this test) imports, as its import table names them.
std::vector<std::string> ImportsOf(const char *program)
{
    std::vector<std::string> names;
    HMODULE image = LoadLibraryExA(program, NULL, DONT_RESOLVE_DLL_REFERENCES);
    if (!image)
        return names;
    BYTE *base = (BYTE *)image;
    IMAGE_NT_HEADERS *headers = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
    DWORD imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (IMAGE_IMPORT_DESCRIPTOR *entry = (IMAGE_IMPORT_DESCRIPTOR *)(base + imports); imports && entry->Name; ++entry)
        names.push_back((const char *)(base + entry->Name));
    FreeLibrary(image);
    return names;
}

// Loading them with the program would load them before the main dialog is first painted.
TEST(LateLibraries, TheProgramDoesNotImportThem)
{
    std::vector<std::string> imports = ImportsOf("vantrel.exe");
    ASSERT_FALSE(imports.empty());
    for (const std::string &name : imports)
        for (const char *library : LateLibraries)
            EXPECT_NE(0, lstrcmpiA(library, name.c_str())) << name;
}

// Run only by the last test, in a process where the libraries cannot be loaded. Had an
// operation reached its library's dialog, the dialog would wait for a user, and the time limit
// of the last test would fail it.
TEST(LateLibraries, DISABLED_OperationsDoNothingWithoutTheirLibrary)
{
    for (const char *library : LateLibraries)
        ASSERT_EQ(nullptr, LoadLibraryA(library)) << library << " loads: the copy was not told to refuse it";

    DeleteProgramKey();
    HWND dialog = CreateMainDialog();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, "C:\\maps\\before.bgl");
    OnBrowse(dialog);
    OnGo(dialog);
    EXPECT_EQ(nullptr, ResultOf());
    SendMessageA(dialog, WM_DROPFILES, (WPARAM)DropOf("D:\\dropped.bgl"), 0);
    EXPECT_EQ("C:\\maps\\before.bgl", TextOf(GetDlgItem(dialog, IDC_INPUT_FILE)));
    DestroyWindow(dialog);

    // What a failed CoCreateGuid gives: both fields emptied, not a stale id.
    HWND objid = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OBJID), NULL, ObjIdDlgProc, 0);
    ASSERT_NE(nullptr, objid);
    SetDlgItemTextA(objid, IDC_GUID_SPACED, "old spaced");
    SetDlgItemTextA(objid, IDC_GUID_PLAIN, "old plain");
    SendMessageA(objid, WM_COMMAND, IDC_GENERATE, 0);
    EXPECT_EQ("", TextOf(GetDlgItem(objid, IDC_GUID_SPACED)));
    EXPECT_EQ("", TextOf(GetDlgItem(objid, IDC_GUID_PLAIN)));
    DestroyWindow(objid);

    EXPECT_FALSE(OpenHomePage(NULL));
}

// Wine takes a program's library overrides from the registry, by the program's file name: the
// copy, under a name of its own, is refused the three libraries.
TEST(LateLibraries, OperationsDoNothingWhenTheirLibraryCannotBeLoaded)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(NULL, self, sizeof self);
    const std::string copy = TempPath("late_libraries_refused.exe");
    const std::string key = "Software\\Wine\\AppDefaults\\late_libraries_refused.exe\\DllOverrides";
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    for (const char *library : LateLibraries) {
        std::string name(library, strchr(library, '.') - library);
        RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, "", 1);
    }
    std::string commandLine = "\"" + copy +
                              "\" --gtest_also_run_disabled_tests"
                              " --gtest_filter=LateLibraries.DISABLED_OperationsDoNothingWithoutTheirLibrary";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process));
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the copy had not ended after 60 s";
        TerminateProcess(process.hProcess, 0xDEAD);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\late_libraries_refused.exe");
    DeleteFileA(copy.c_str());
}

} // namespace
