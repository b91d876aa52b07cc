// The Result window's line widths from a table of character widths: over every byte value
// alone and over mixed lines of many lengths, the table gives what GetTextExtentPoint32A gives
// for the whole line, in the list's own font (the main dialog's) and in fonts where adding up
// characters would be wrong, where it falls back to measuring the line.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "panel/panel.h"
#include "resource.h"
#include "run/result_window.h"

namespace {

// Every byte value 1..255 alone, then mixed lines of every length up to the longest line the
// Result window lists, their bytes from a fixed pseudo-random sequence.
std::vector<std::string> SampleLines()
{
    std::vector<std::string> lines;
    for (int byte = 1; byte < 256; ++byte)
        lines.push_back(std::string(1, (char)byte));
    unsigned seed = 12345;
    for (int length = 2; length <= 1023; ++length) {
        std::string line;
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            line += (char)(1 + (seed >> 16) % 255);
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Bytes(const std::string &line)
{
    std::string text;
    char hex[4];
    for (size_t i = 0; i < line.size() && i < 8; ++i) {
        snprintf(hex, sizeof hex, "%02x ", (unsigned char)line[i]);
        text += hex;
    }
    return text + "(" + std::to_string(line.size()) + " bytes)";
}

// The lines whose table width is not GetTextExtentPoint32A's, the first few described.
std::string Mismatches(const CharWidthTable &table, HDC dc)
{
    std::string report;
    int count = 0;
    for (const std::string &line : SampleLines()) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, line.c_str(), (int)line.size(), &size);
        int width = TableTextWidth(&table, dc, line.c_str());
        if (width != size.cx && ++count <= 5)
            report += Bytes(line) + ": table " + std::to_string(width) + ", extent " + std::to_string(size.cx) + "\n";
    }
    return count ? std::to_string(count) + " lines differ:\n" + report : "";
}

struct FontCase {
    const char *name;
    int height;       // 0: the main dialog's font, as the Result list gets it
    const char *face; // for the others
    int extraSpacing; // SetTextCharacterExtra
};

const FontCase FONT_CASES[] = {
    {"the list's font", 0, NULL, 0},
    {"the list's font with character spacing", 0, NULL, 3},
    {"a large TrueType font", -29, "Tahoma", 0},
    {"a small fixed-pitch font", -11, "Courier New", 0},
};

TEST(TextWidth, TableGivesTheWholeLineExtentInEveryFont)
{
    InitCommonControls();
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
    ASSERT_TRUE(dialog);
    // A list box like the Result window's, with the main dialog's font.
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_HASSTRINGS,
                                16, 8, 360, 270, dialog, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(list);
    SendMessageA(list, WM_SETFONT, (WPARAM)SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    HFONT listFont = (HFONT)SendMessageA(list, WM_GETFONT, 0, 0);
    ASSERT_TRUE(listFont);

    for (const FontCase &font : FONT_CASES) {
        SCOPED_TRACE(font.name);
        HDC dc = GetDC(list);
        HFONT made = font.height ? CreateFontA(font.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                               font.face)
                                 : NULL;
        HGDIOBJ kept = SelectObject(dc, made ? made : listFont);
        SetTextCharacterExtra(dc, font.extraSpacing);
        CharWidthTable table;
        CharWidthTableRead(&table, dc);
        EXPECT_EQ("", Mismatches(table, dc));
        SelectObject(dc, kept);
        ReleaseDC(list, dc);
        if (made)
            DeleteObject(made);
    }
    DestroyWindow(dialog);
}

// A byte the table marks is measured with the whole line, whatever number the table holds.
TEST(TextWidth, LinesHoldingAMarkedByteAreMeasuredWhole)
{
    HDC dc = GetDC(NULL);
    HGDIOBJ kept = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    CharWidthTable table;
    CharWidthTableRead(&table, dc);
    table.width['x'] = -1;
    for (const char *line : {"x", "axb", "a long line with an x in it", "xxxxxxxxxx"}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(TextWidth(dc, line), TableTextWidth(&table, dc, line));
    }
    SelectObject(dc, kept);
    ReleaseDC(NULL, dc);
}

} // namespace
