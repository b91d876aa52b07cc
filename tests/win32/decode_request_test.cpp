// "..." and "&Go!" on the real main dialog, with the system's real Open and Save dialogs
// answered from inside the process, the real registry of the test prefix and the contract
// decoder beside the test, which records the command line it received.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "panel/panel.h"
#include "resource.h"
#include "settings/regstore.h"
#include "win32_support.h"

namespace {

const int FILE_NAME_COMBO = 0x47c; // cmb13, the file name box of the Explorer-style dialogs
const int FILE_NAME_EDIT = 0x480;  // edt1, in older templates
const int FILTER_COMBO = 0x470;    // cmb1

struct Found {
    const char *title;
    HWND window;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data)
{
    Found *found = (Found *)data;
    if (IsWindowVisible(window) && WindowText(window) == found->title) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const char *title)
{
    Found found = {title, NULL};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, (LPARAM)&found);
    return found.window;
}

std::string TempFolder(const char *name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

void CreateFileWithText(const std::string &path)
{
    std::ofstream(path) << "x";
}

std::string StoredText(const char *name)
{
    char text[1024] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, AppKeyPath, name, RRF_RT_REG_SZ, NULL, text, &size) != ERROR_SUCCESS)
        return "<missing>";
    return text;
}

void StoreText(const char *name, const char *text)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, AppKeyPath, name, REG_SZ, text, (DWORD)strlen(text) + 1);
}

// What a file dialog showed when the test answered it.
struct FileDialogView {
    bool seen = false;
    std::string folder;
    std::string fileName;
    std::vector<std::string> filters;
    int filterIndex = -1;
};

FileDialogView Inspect(HWND fileDialog)
{
    FileDialogView view;
    view.seen = true;
    char text[MAX_PATH] = "";
    SendMessageA(fileDialog, CDM_GETFOLDERPATH, sizeof text, (LPARAM)text);
    view.folder = text;
    HWND name = GetDlgItem(fileDialog, FILE_NAME_COMBO);
    view.fileName = WindowText(name ? name : GetDlgItem(fileDialog, FILE_NAME_EDIT));
    HWND filter = GetDlgItem(fileDialog, FILTER_COMBO);
    int count = (int)SendMessageA(filter, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char item[128] = "";
        SendMessageA(filter, CB_GETLBTEXT, i, (LPARAM)item);
        view.filters.push_back(item);
    }
    view.filterIndex = (int)SendMessageA(filter, CB_GETCURSEL, 0, 0);
    return view;
}

void Answer(HWND fileDialog, const std::string &fileName)
{
    HWND name = GetDlgItem(fileDialog, FILE_NAME_COMBO);
    SetWindowTextA(name ? name : GetDlgItem(fileDialog, FILE_NAME_EDIT), fileName.c_str());
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(fileDialog, IDOK));
}

void Cancel(HWND fileDialog)
{
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(fileDialog, IDCANCEL));
}

struct Question {
    HWND exclude[2];
    HWND window;
};

BOOL CALLBACK MatchQuestion(HWND window, LPARAM data)
{
    Question *question = (Question *)data;
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && strcmp(className, "#32770") == 0 && window != question->exclude[0] &&
        window != question->exclude[1]) {
        question->window = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this thread other than the two given, such as a message box.
HWND FindOtherDialog(HWND one, HWND two)
{
    Question question = {{one, two}, NULL};
    EnumThreadWindows(GetCurrentThreadId(), MatchQuestion, (LPARAM)&question);
    return question.window;
}

// Gets a stuck modal loop moving again so that a failing test ends instead of hanging.
void Unstick()
{
    HWND fileDialog = FindThreadWindow("Save As");
    if (!fileDialog)
        fileDialog = FindThreadWindow("Open");
    HWND main = FindThreadWindow("Vantrel");
    if (HWND question = FindOtherDialog(main, fileDialog)) {
        if (question != FindThreadWindow("Result"))
            PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    }
    if (fileDialog)
        Cancel(fileDialog);
    if (HWND result = FindThreadWindow("Result")) {
        HWND ok = GetDlgItem(result, IDOK);
        EnableWindow(ok, TRUE);
        PostMessageA(ok, BM_CLICK, 0, 0);
    }
}

// Clicks OK of the Result window once the decoder's output has ended (OK enabled).
bool DismissResultWhenDone()
{
    HWND result = FindThreadWindow("Result");
    HWND ok = result ? GetDlgItem(result, IDOK) : NULL;
    if (!ok || !IsWindowEnabled(ok))
        return false;
    PostMessageA(ok, BM_CLICK, 0, 0);
    return true;
}

std::vector<std::string> ReadLines(const std::string &path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

class DecodeRequestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProgramKey();
        inputFolder = TempFolder("vantrel-in");
        otherFolder = TempFolder("vantrel-other");
        outputFolder = TempFolder("vantrel-out");
        CreateFileWithText(inputFolder + "area.bgl");
        CreateFileWithText(otherFolder + "other.bgl");
        for (const char *name : {"result.xml", "first.xml", "plain.xml", "exists.xml"})
            DeleteFileA((outputFolder + name).c_str()); // an existing file would bring the overwrite question
        recordPath = TempFolder("vantrel-record") + "record.txt";
        DeleteFileA(recordPath.c_str());
        SetEnvironmentVariableA("MORVANE_RECORD", recordPath.c_str());
        dialog = CreateMainDialog();
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        SetEnvironmentVariableA("MORVANE_RECORD", NULL);
    }

    // Runs "..." and answers the Open dialog with `fileName`, or cancels it when empty.
    FileDialogView Browse(const std::string &fileName)
    {
        FileDialogView view;
        WhileModal(
            [&] {
                HWND open = FindThreadWindow("Open");
                if (!open)
                    return false;
                view = Inspect(open);
                fileName.empty() ? Cancel(open) : Answer(open, fileName);
                return true;
            },
            20, 10000, Unstick);
        OnBrowse(dialog);
        return view;
    }

    // Runs "&Go!", lets `onSave` look at the Save dialog, answers it, and dismisses the Result.
    FileDialogView Go(const std::string &fileName, std::function<void(HWND)> onSave = nullptr)
    {
        FileDialogView view;
        bool answered = false;
        WhileModal(
            [&] {
                if (!answered) {
                    HWND save = FindThreadWindow("Save As");
                    if (!save)
                        return false;
                    view = Inspect(save);
                    if (onSave)
                        onSave(save);
                    answered = true;
                    if (fileName.empty()) {
                        Cancel(save);
                        return true;
                    }
                    Answer(save, fileName);
                    return false;
                }
                return DismissResultWhenDone();
            },
            20, 15000, Unstick);
        OnGo(dialog);
        return view;
    }

    void Check(int id) { CheckDlgButton(dialog, id, BST_CHECKED); }

    HWND dialog = nullptr;
    std::string inputFolder, otherFolder, outputFolder, recordPath;
};

TEST_F(DecodeRequestTest, BrowseFillsTheFieldAndRemembersTheFolder)
{
    FileDialogView first = Browse(inputFolder + "area.bgl");
    ASSERT_TRUE(first.seen);
    EXPECT_EQ((std::vector<std::string>{"BGL Files (*.bgl)", "All files (*.*)"}), first.filters);
    EXPECT_EQ(0, first.filterIndex);
    EXPECT_EQ("", first.fileName);
    EXPECT_EQ(inputFolder + "area.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE)));
    EXPECT_EQ(inputFolder, StoredText("3e9"));
    EXPECT_EQ("<missing>", StoredText("3f2")); // the other kind of dialog is not affected

    // The next Open starts in the remembered folder, not in the folder of the field's path.
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, (otherFolder + "other.bgl").c_str());
    FileDialogView second = Browse("");
    ASSERT_TRUE(second.seen);
    EXPECT_EQ(inputFolder, second.folder + "\\");
    EXPECT_EQ("", second.fileName);
    EXPECT_EQ(otherFolder + "other.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE))); // cancel changes nothing
    EXPECT_EQ(inputFolder, StoredText("3e9"));
}

TEST_F(DecodeRequestTest, BrowseAddsTheDefaultExtension)
{
    ASSERT_TRUE(Browse(inputFolder + "area").seen);
    EXPECT_EQ(inputFolder + "area.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE)));
}

TEST_F(DecodeRequestTest, CancelledSaveStartsNoDecodeAndKeepsTheFolder)
{
    StoreText("3f2", outputFolder.c_str());
    FileDialogView view = Go("");
    ASSERT_TRUE(view.seen);
    EXPECT_EQ(outputFolder, view.folder + "\\");
    EXPECT_EQ((std::vector<std::string>{"XML Files (*.xml)", "All files (*.*)"}), view.filters);
    EXPECT_EQ(0, view.filterIndex);
    EXPECT_EQ(outputFolder, StoredText("3f2"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(recordPath.c_str())) << "a decode was started";
}

TEST_F(DecodeRequestTest, GoRunsTheDecoderWithThePanelAsItIsAfterTheSaveDialog)
{
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, (inputFolder + "area.bgl").c_str());
    Check(IDC_QUIET);
    Check(IDC_DMS);
    Check(IDC_PARTIAL);
    SetDlgItemTextA(dialog, IDC_CENTER_LAT, "-45.5");
    SetDlgItemTextA(dialog, IDC_CENTER_LON, "7.254");
    SetDlgItemTextA(dialog, IDC_RADIUS, "12.9"); // as a paste would leave it

    // Ticked while the Save dialog is up: the request is read only after it closes.
    FileDialogView view = Go(outputFolder + "result.xml", [&](HWND) { Check(IDC_FEET); });
    ASSERT_TRUE(view.seen);
    EXPECT_EQ(outputFolder, StoredText("3f2"));

    std::vector<std::string> record = ReadLines(recordPath);
    ASSERT_EQ(9u, record.size()) << "the decoder did not run or got other arguments";
    EXPECT_EQ("morvane.exe -t -f -d -r12 -nS45.50 -e7.25 \"" + inputFolder + "area.bgl\" \"" + outputFolder +
                  "result.xml\"",
              record[0]);
    EXPECT_EQ(inputFolder + "area.bgl", record[7]);
    EXPECT_EQ(outputFolder + "result.xml", record[8]);
    EXPECT_FALSE(FindThreadWindow("Result"));
}

TEST_F(DecodeRequestTest, SaveDialogCompletesANameWithoutExtension)
{
    // Wine adds the extension of the selected pair (*.xml) before the dialog's own "txt".
    Go(outputFolder + "first");
    std::vector<std::string> record = ReadLines(recordPath);
    ASSERT_EQ(3u, record.size());
    EXPECT_EQ(outputFolder + "first.xml", record[2]);
    EXPECT_EQ(outputFolder, StoredText("3f2"));
}

TEST_F(DecodeRequestTest, GoWithNothingTickedPassesOnlyThePaths)
{
    FileDialogView view = Go(outputFolder + "plain.xml");
    ASSERT_TRUE(view.seen);
    std::vector<std::string> record = ReadLines(recordPath);
    ASSERT_EQ(3u, record.size());
    EXPECT_EQ("morvane.exe \"\" \"" + outputFolder + "plain.xml\"", record[0]);
}

TEST_F(DecodeRequestTest, ExistingOutputFileAsksBeforeOverwriting)
{
    CreateFileWithText(outputFolder + "exists.xml");
    bool asked = false;
    int stage = 0;
    WhileModal(
        [&] {
            HWND save = FindThreadWindow("Save As");
            if (stage == 0 && save) {
                Answer(save, outputFolder + "exists.xml");
                stage = 1;
            } else if (stage == 1) {
                // The question is another dialog window of this thread.
                HWND question = FindOtherDialog(dialog, save);
                if (question) {
                    asked = true;
                    PostMessageA(question, WM_COMMAND, IDNO, 0);
                    stage = 2;
                }
            } else if (stage == 2 && save && IsWindowEnabled(save)) {
                Cancel(save); // back in the Save dialog after answering no
                return true;
            }
            return false;
        },
        20, 10000, Unstick);
    OnGo(dialog);
    EXPECT_TRUE(asked);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(recordPath.c_str()));
    EXPECT_EQ("<missing>", StoredText("3f2"));
}

} // namespace
