// "..." and "&Go!" on the real main dialog with the system's real Open and Save dialogs,
// answered from inside the process, and the contract decoder beside the test, which records
// the command line it received (MORVANE_RECORD).
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "panel/panel.h"
#include "resource.h"
#include "win32_support.h"

namespace {

const int FILE_NAME_BOX = 0x47c; // cmb13 of the Explorer-style file dialogs
const int FILTER_BOX = 0x470;    // cmb1

// A dialog of this thread that is none of the known ones: the overwrite question.
HWND Question()
{
    return FindThreadWindow([](HWND window) {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        std::string title = WindowText(window);
        return std::string(name) == "#32770" && title != "Vantrel" && title != "Save As" && title != "Open" &&
               title != "Result";
    });
}

// Gets a stuck modal loop moving again so that a failing test ends instead of hanging.
void Unstick()
{
    if (HWND question = Question())
        PostCommand(question, IDCANCEL);
    for (const char *title : {"Open", "Save As"})
        if (HWND fileDialog = ThreadWindowTitled(title))
            PostCommand(fileDialog, IDCANCEL);
    if (HWND result = ThreadWindowTitled("Result")) {
        EnableWindow(GetDlgItem(result, IDOK), TRUE);
        PostMessageA(GetDlgItem(result, IDOK), BM_CLICK, 0, 0);
    }
}

// What a file dialog showed: "folder|file name|filter;filter;|selected filter".
std::string Inspect(HWND fileDialog)
{
    char text[MAX_PATH] = "";
    SendMessageA(fileDialog, CDM_GETFOLDERPATH, sizeof text, (LPARAM)text);
    std::string view = std::string(text) + "\\|" + WindowText(GetDlgItem(fileDialog, FILE_NAME_BOX)) + "|";
    HWND filter = GetDlgItem(fileDialog, FILTER_BOX);
    for (int i = 0; i < (int)SendMessageA(filter, CB_GETCOUNT, 0, 0); i++) {
        SendMessageA(filter, CB_GETLBTEXT, i, (LPARAM)text);
        view += std::string(text) + ";";
    }
    return view + "|" + std::to_string(SendMessageA(filter, CB_GETCURSEL, 0, 0));
}

// Types `fileName` into the dialog and presses OK, or cancels it when the name is empty.
void Answer(HWND fileDialog, const std::string &fileName)
{
    if (!fileName.empty())
        SetWindowTextA(GetDlgItem(fileDialog, FILE_NAME_BOX), fileName.c_str());
    PostCommand(fileDialog, fileName.empty() ? IDCANCEL : IDOK);
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

    // Presses "..." or "&Go!" and answers the file dialog that opens with `fileName`, after
    // running `onShown`; a Result window that follows is dismissed once the decode has ended.
    // Returns what the file dialog showed.
    std::string Press(int button, const std::string &fileName, std::function<void()> onShown = [] {})
    {
        const char *title = button == IDC_BROWSE ? "Open" : "Save As";
        std::string view;
        WhileModal([&] {
            HWND fileDialog = ThreadWindowTitled(title);
            if (view.empty() && fileDialog) {
                view = Inspect(fileDialog);
                onShown();
                Answer(fileDialog, fileName);
                return fileName.empty() || button == IDC_BROWSE;
            }
            HWND result = ThreadWindowTitled("Result");
            HWND ok = result ? GetDlgItem(result, IDOK) : NULL;
            if (ok && IsWindowEnabled(ok))
                PostMessageA(ok, BM_CLICK, 0, 0);
            return ok && IsWindowEnabled(ok);
        }, 20, 15000, Unstick);
        button == IDC_BROWSE ? OnBrowse(dialog) : OnGo(dialog);
        return view;
    }

    // The decoder's record: the command line it received, the number of lines (the command line
    // and one per argument) and the last one; "<no decode>" when it did not run.
    std::string Recorded()
    {
        std::vector<std::string> lines;
        std::ifstream file(record);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        file.close();
        DeleteFileA(record.c_str());
        if (lines.empty())
            return "<no decode>";
        return lines[0] + " (" + std::to_string(lines.size()) + " lines, last " + lines.back() + ")";
    }

    HWND dialog = nullptr;
    std::string in = TempFolder("vantrel-in"), other = TempFolder("vantrel-other"), out = TempFolder("vantrel-out");
    std::string record = TempFolder("vantrel-record") + "record.txt";
};

const char *const BglFilters = "|BGL Files (*.bgl);All files (*.*);|0";
const char *const XmlFilters = "|XML Files (*.xml);All files (*.*);|0";

TEST_F(DecodeRequestTest, BrowseFillsTheFieldAndRemembersTheFolder)
{
    std::string first = Press(IDC_BROWSE, in + "area");
    EXPECT_EQ(std::string("|") + BglFilters, first.erase(0, first.find('|'))); // no file name, BGL selected
    EXPECT_EQ(in + "area.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE))); // extension added
    EXPECT_EQ(in + " <missing>", StoredValues({"3e9", "3f2"}));

    // The next Open starts in the remembered folder, not in the folder of the field's path;
    // cancelling it changes nothing.
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, (other + "other.bgl").c_str());
    EXPECT_EQ(in + "|" + BglFilters, Press(IDC_BROWSE, ""));
    EXPECT_EQ(other + "other.bgl", WindowText(GetDlgItem(dialog, IDC_INPUT_FILE)));
    EXPECT_EQ(in, StoredValue("3e9"));
}

TEST_F(DecodeRequestTest, GoAsksForTheOutputThenRunsTheDecoderWithThePanelAsItIsThen)
{
    // An existing file brings the overwrite question; No goes back to the Save dialog, and
    // cancelling that starts no decode and keeps the remembered folder the dialog opened in.
    WriteProgramValue("3f2", REG_SZ, other.c_str(), (DWORD)other.size() + 1);
    std::ofstream(out + "plain.xml") << "x";
    std::string view;
    int stage = 0;
    WhileModal([&] {
        HWND save = ThreadWindowTitled("Save As"), question = Question();
        if (stage == 0 && save)
            view = Inspect(save), Answer(save, out + "plain.xml"), stage = 1;
        else if (stage == 1 && question)
            PostCommand(question, IDNO), stage = 2;
        else if (stage == 2 && save && IsWindowEnabled(save) && !question)
            Answer(save, ""), stage = 3;
        return stage == 3;
    }, 20, 10000, Unstick);
    OnGo(dialog);
    EXPECT_EQ(3, stage);
    EXPECT_EQ(other + "|" + XmlFilters, view);
    EXPECT_EQ("<no decode>", Recorded());
    EXPECT_EQ(other, StoredValue("3f2"));

    Press(IDC_GO, out + "first"); // nothing ticked; Wine completes the name with the selected pair's extension
    EXPECT_EQ("morvane.exe \"\" \"" + out + "first.xml\" (3 lines, last " + out + "first.xml)", Recorded());
    EXPECT_EQ(out, StoredValue("3f2"));

    SetDlgItemTextA(dialog, IDC_INPUT_FILE, (in + "area.bgl").c_str());
    for (int id : {IDC_QUIET, IDC_DMS, IDC_PARTIAL})
        CheckDlgButton(dialog, id, BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_CENTER_LAT, "-45.5");
    SetDlgItemTextA(dialog, IDC_CENTER_LON, "7.254");
    SetDlgItemTextA(dialog, IDC_RADIUS, "12.9"); // as a paste would leave it
    EXPECT_EQ(out + "|" + XmlFilters, Press(IDC_GO, out + "result.xml", [&] { CheckDlgButton(dialog, IDC_FEET, BST_CHECKED); }));
    EXPECT_EQ("morvane.exe -t -f -d -r12 -nS45.50 -e7.25 \"" + in + "area.bgl\" \"" + out + "result.xml\" (9 lines, last " +
                  out + "result.xml)",
              Recorded());
    EXPECT_FALSE(ThreadWindowTitled("Result"));
}

} // namespace
