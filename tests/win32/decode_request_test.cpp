// "..." and "&Go!" on the real main dialog with the system's real Open and Save dialogs,
// answered from inside the process, and the contract decoder beside the test, which records
// the command line it received (MORVANE_RECORD).
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "panel/panel.h"
#include "resource.h"
#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const int FILE_NAME_BOX = 0x47c; // cmb13 of the Explorer-style file dialogs
const int FILTER_BOX = 0x470;    // cmb1

struct Search {
    std::function<bool(HWND)> match;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data)
{
    Search *search = (Search *)data;
    if (IsWindowVisible(window) && search->match(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(std::function<bool(HWND)> match)
{
    Search search = {match, NULL};
    EnumThreadWindows(GetCurrentThreadId(), Visit, (LPARAM)&search);
    return search.found;
}

HWND Titled(const char *title)
{
    return FindThreadWindow([&](HWND window) { return WindowText(window) == title; });
}

// A dialog of this thread that is none of the known ones: the overwrite question.
HWND Question()
{
    return FindThreadWindow([](HWND window) {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        std::string title = WindowText(window);
        return !strcmp(name, "#32770") && title != "Vantrel" && title != "Save As" && title != "Open" &&
               title != "Result";
    });
}

void Press(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(window, id));
}

// Gets a stuck modal loop moving again so that a failing test ends instead of hanging.
void Unstick()
{
    if (HWND question = Question())
        Press(question, IDCANCEL);
    for (const char *title : {"Open", "Save As"})
        if (HWND fileDialog = Titled(title))
            Press(fileDialog, IDCANCEL);
    if (HWND result = Titled("Result")) {
        EnableWindow(GetDlgItem(result, IDOK), TRUE);
        PostMessageA(GetDlgItem(result, IDOK), BM_CLICK, 0, 0);
    }
}

// What a file dialog showed when the test answered it.
struct FileDialogView {
    bool seen = false;
    std::string folder, fileName, filters;
    int filterIndex = -1;
};

FileDialogView Inspect(HWND fileDialog)
{
    FileDialogView view;
    view.seen = true;
    char text[MAX_PATH] = "";
    SendMessageA(fileDialog, CDM_GETFOLDERPATH, sizeof text, (LPARAM)text);
    view.folder = std::string(text) + "\\";
    view.fileName = WindowText(GetDlgItem(fileDialog, FILE_NAME_BOX));
    HWND filter = GetDlgItem(fileDialog, FILTER_BOX);
    for (int i = 0; i < (int)SendMessageA(filter, CB_GETCOUNT, 0, 0); i++) {
        SendMessageA(filter, CB_GETLBTEXT, i, (LPARAM)text);
        view.filters += std::string(text) + ";";
    }
    view.filterIndex = (int)SendMessageA(filter, CB_GETCURSEL, 0, 0);
    return view;
}

// Types `fileName` into the dialog and presses OK, or cancels it when the name is empty.
void Answer(HWND fileDialog, const std::string &fileName)
{
    if (fileName.empty())
        return Press(fileDialog, IDCANCEL);
    SetWindowTextA(GetDlgItem(fileDialog, FILE_NAME_BOX), fileName.c_str());
    Press(fileDialog, IDOK);
}

std::string TempFolder(const char *name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

std::string Stored(const char *name)
{
    char text[1024] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_REG_SZ, NULL, text, &size) != ERROR_SUCCESS)
        return "<missing>";
    return text;
}

class DecodeRequestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        std::ofstream(in + "area.bgl") << "x";
        std::ofstream(other + "other.bgl") << "x";
        for (const char *name : {"result.xml", "first.xml", "plain.xml"})
            DeleteFileA((out + name).c_str()); // an existing file would bring the overwrite question
        DeleteFileA(record.c_str());
        SetEnvironmentVariableA("MORVANE_RECORD", record.c_str());
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override { DestroyWindow(dialog); }

    FileDialogView Browse(const std::string &fileName)
    {
        FileDialogView view;
        WhileModal([&] {
            HWND open = Titled("Open");
            if (open) {
                view = Inspect(open);
                Answer(open, fileName);
            }
            return open != NULL;
        }, 20, 10000, Unstick);
        OnBrowse(dialog);
        return view;
    }

    // "&Go!": `onSave` runs while the Save dialog is up; the Result window is dismissed when done.
    FileDialogView Go(const std::string &fileName, std::function<void()> onSave = [] {})
    {
        FileDialogView view;
        WhileModal([&] {
            if (!view.seen) {
                HWND save = Titled("Save As");
                if (!save)
                    return false;
                view = Inspect(save);
                onSave();
                Answer(save, fileName);
                return fileName.empty();
            }
            HWND result = Titled("Result");
            HWND ok = result ? GetDlgItem(result, IDOK) : NULL;
            if (ok && IsWindowEnabled(ok))
                PostMessageA(ok, BM_CLICK, 0, 0);
            return ok && IsWindowEnabled(ok);
        }, 20, 15000, Unstick);
        OnGo(dialog);
        return view;
    }

    std::vector<std::string> Record()
    {
        std::vector<std::string> lines;
        std::ifstream file(record);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    HWND dialog = nullptr;
    std::string in = TempFolder("vantrel-in"), other = TempFolder("vantrel-other"), out = TempFolder("vantrel-out");
    std::string record = TempFolder("vantrel-record") + "record.txt";
};

TEST_F(DecodeRequestTest, BrowseFillsTheFieldAndRemembersTheFolder)
{
    FileDialogView first = Browse(in + "area");
    ASSERT_TRUE(first.seen);
    EXPECT_EQ("BGL Files (*.bgl);All files (*.*);", first.filters);
    EXPECT_EQ(0, first.filterIndex);
    EXPECT_EQ("", first.fileName);
    EXPECT_EQ(in + "area.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE))); // extension added
    EXPECT_EQ(in, Stored("3e9"));
    EXPECT_EQ("<missing>", Stored("3f2"));

    // The next Open starts in the remembered folder, not in the folder of the field's path;
    // cancelling it changes nothing.
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, (other + "other.bgl").c_str());
    FileDialogView second = Browse("");
    EXPECT_EQ(in, second.folder);
    EXPECT_EQ("", second.fileName);
    EXPECT_EQ(other + "other.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE)));
    EXPECT_EQ(in, Stored("3e9"));
}

TEST_F(DecodeRequestTest, CancelledSaveStartsNoDecodeAndKeepsTheFolder)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, "3f2", REG_SZ, out.c_str(), (DWORD)out.size() + 1);
    FileDialogView view = Go("");
    EXPECT_EQ(out, view.folder);
    EXPECT_EQ("XML Files (*.xml);All files (*.*);", view.filters);
    EXPECT_EQ(0, view.filterIndex);
    EXPECT_EQ(out, Stored("3f2"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(record.c_str())) << "a decode was started";
}

TEST_F(DecodeRequestTest, GoRunsTheDecoderWithThePanelAsItIsAfterTheSaveDialog)
{
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, (in + "area.bgl").c_str());
    for (int id : {IDC_QUIET, IDC_DMS, IDC_PARTIAL})
        CheckDlgButton(dialog, id, BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_CENTER_LAT, "-45.5");
    SetDlgItemTextA(dialog, IDC_CENTER_LON, "7.254");
    SetDlgItemTextA(dialog, IDC_RADIUS, "12.9"); // as a paste would leave it

    Go(out + "result.xml", [&] { CheckDlgButton(dialog, IDC_FEET, BST_CHECKED); });
    EXPECT_EQ(out, Stored("3f2"));
    std::vector<std::string> lines = Record();
    ASSERT_EQ(9u, lines.size()) << "the decoder did not run or got other arguments";
    EXPECT_EQ("morvane.exe -t -f -d -r12 -nS45.50 -e7.25 \"" + in + "area.bgl\" \"" + out + "result.xml\"", lines[0]);
    EXPECT_EQ(out + "result.xml", lines[8]);
    EXPECT_FALSE(Titled("Result"));
}

TEST_F(DecodeRequestTest, GoWithNothingTickedPassesOnlyThePaths)
{
    Go(out + "first"); // Wine completes the name with the selected pair's extension
    std::vector<std::string> lines = Record();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("morvane.exe \"\" \"" + out + "first.xml\"", lines[0]);
}

TEST_F(DecodeRequestTest, ExistingOutputFileAsksBeforeOverwriting)
{
    std::ofstream(out + "plain.xml") << "x";
    int stage = 0;
    WhileModal([&] {
        HWND save = Titled("Save As"), question = Question();
        if (stage == 0 && save)
            Answer(save, out + "plain.xml"), stage = 1;
        else if (stage == 1 && question)
            Press(question, IDNO), stage = 2; // no: back to the Save dialog
        else if (stage == 2 && save && IsWindowEnabled(save) && !question)
            Answer(save, ""), stage = 3;
        return stage == 3;
    }, 20, 10000, Unstick);
    OnGo(dialog);
    EXPECT_EQ(3, stage);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(record.c_str()));
}

} // namespace
