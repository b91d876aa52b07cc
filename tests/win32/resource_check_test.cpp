// Reads the built executables' own resources back and compares them with the values the
// program is built to: dialog templates, version block, manifest and icon. Both the 64-bit
// vantrel.exe beside this test and, when VANTREL_RELEASE_EXE names it, the 32-bit release.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include "resource.h"
#include "resource_reader.h"

namespace {

struct ExpectedItem {
    int id;
    const char *className;
    const char *text;
    DWORD style;
    int x, y, cx, cy;
};

const ExpectedItem MainItems[] = {
    {IDC_INPUT_FILE, "EDIT", "", 0x50810080, 7, 16, 183, 14},
    {IDC_BROWSE, "BUTTON", "...", 0x50010000, 195, 16, 21, 14},
    {IDC_QUIET, "BUTTON", "Do not &print verbose informations", 0x50010003, 15, 60, 193, 10},
    {IDC_FEET, "BUTTON", "&Altitudes in feet", 0x50010003, 15, 75, 193, 10},
    {IDC_MILES, "BUTTON", "&Distance in miles", 0x50010003, 15, 90, 193, 10},
    {IDC_DMS, "BUTTON", "&Latitudes/longitudes as DD/MM/SS", 0x50010003, 15, 105, 193, 10},
    {IDC_PARTIAL, "BUTTON", "Allo&w partial decode", 0x50010003, 15, 142, 193, 10},
    {IDC_CENTER_LAT, "EDIT", "", 0x50810080, 15, 166, 79, 14},
    {IDC_CENTER_LON, "EDIT", "", 0x50810080, 129, 166, 79, 14},
    {IDC_RADIUS, "EDIT", "", 0x50810080, 15, 193, 79, 14},
    {IDC_GO, "BUTTON", "&Go!", 0x50010000, 7, 222, 50, 14},
    {IDC_OBJID, "BUTTON", "Ob&jId Gen.", 0x50010000, 60, 222, 50, 14},
    {IDC_ABOUT, "BUTTON", "Abou&t", 0x50010000, 113, 222, 50, 14},
    {IDCANCEL, "BUTTON", "Cancel", 0x50010000, 166, 222, 50, 14},
    {-1, "STATIC", "Input file", 0x50020000, 7, 7, 193, 8},
    {-1, "BUTTON", "Flags", 0x50000007, 7, 46, 209, 78},
    {-1, "BUTTON", "Partial decode", 0x50000007, 7, 132, 209, 81},
    {-1, "STATIC", "Center latitude", 0x50020000, 15, 157, 80, 8},
    {-1, "STATIC", "Center longitude", 0x50020000, 129, 157, 79, 8},
    {-1, "STATIC", "Center radius", 0x50020000, 15, 184, 80, 8},
};

const ExpectedItem ObjIdItems[] = {
    {IDC_GENERATE, "BUTTON", "&Generate", 0x50010000, 49, 81, 50, 14},
    {IDCANCEL, "BUTTON", "Cancel", 0x50010000, 107, 81, 50, 14},
    {-1, "STATIC", "With spaces", 0x50020000, 7, 7, 91, 8},
    {IDC_GUID_SPACED, "EDIT", "", 0x50800880, 7, 17, 194, 14},
    {-1, "STATIC", "Without spaces", 0x50020000, 7, 41, 91, 8},
    {IDC_GUID_PLAIN, "EDIT", "", 0x50800880, 7, 52, 194, 14},
};

const ExpectedItem AboutItems[] = {
    {IDOK, "BUTTON", "OK", 0x50010001, 70, 131, 50, 14},
    {IDC_MYURL, "BUTTON", "&My Url >>", 0x50010000, 138, 131, 50, 14},
    {-1, "STATIC", "#1012", 0x50000003, 7, 7, 21, 20}, /* the icon, by number */
    {IDC_PRODUCT_NAME, "STATIC", "Static", 0x50020000, 40, 7, 190, 8},
    {IDC_VERSION, "STATIC", "Static", 0x50020000, 40, 19, 190, 8},
    {IDC_LEGAL_NOTICE, "STATIC", "Static", 0x50020000, 40, 42, 190, 8},
    {IDC_OS_VERSION, "STATIC", "Static", 0x50020001, 40, 76, 178, 8},
    {IDC_MEMORY, "STATIC", "Static", 0x50020001, 40, 103, 178, 8},
    {-1, "STATIC", "", 0x50000007, 28, 68, 202, 50},
    {IDC_CSD_VERSION, "STATIC", "", 0x50020001, 40, 89, 178, 8},
};
/* Only the About box's frame has an extended style. */
const DWORD AboutItemExStyles[] = {0, 0, 0, 0, 0, 0, 0, 0, WS_EX_CLIENTEDGE, 0};

void ExpectItems(const DialogTemplate &dialog, const ExpectedItem *expected, size_t count,
                 const DWORD *exStyles = nullptr)
{
    ASSERT_EQ(count, dialog.items.size());
    for (size_t i = 0; i < count; i++) {
        const TemplateItem &item = dialog.items[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " (" << expected[i].text << ")");
        EXPECT_EQ(expected[i].id, item.id);
        EXPECT_EQ(expected[i].className, item.className);
        EXPECT_EQ(expected[i].text, item.text);
        EXPECT_EQ(expected[i].style, item.style);
        EXPECT_EQ(exStyles ? exStyles[i] : 0u, item.exStyle);
        EXPECT_EQ(0u, item.helpId);
        EXPECT_EQ(0, item.extraCount);
        EXPECT_EQ(expected[i].x, item.x);
        EXPECT_EQ(expected[i].y, item.y);
        EXPECT_EQ(expected[i].cx, item.cx);
        EXPECT_EQ(expected[i].cy, item.cy);
    }
}

class ResourceCheck : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        path = GetParam();
        if (path[0] == '$') {
            const char *fromEnvironment = getenv(path.c_str() + 1);
            if (!fromEnvironment || !*fromEnvironment)
                GTEST_SKIP() << path << " is not set";
            path = fromEnvironment;
        }
        module = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module) << path;
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }
    bool is64Bit() const
    {
        /* The machine field of the image's own PE header. */
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        BYTE header[4096] = {};
        DWORD read = 0;
        ReadFile(file, header, sizeof header, &read, NULL);
        CloseHandle(file);
        LONG peOffset = *(LONG *)(header + 0x3C);
        WORD machine = *(WORD *)(header + peOffset + 4);
        return machine == IMAGE_FILE_MACHINE_AMD64;
    }
    std::string path;
    HMODULE module = nullptr;
};

TEST_P(ResourceCheck, MainDialogTemplate)
{
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(ReadResource(module, RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN)), &dialog));
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(0x90C80040u, dialog.style);
    EXPECT_EQ((DWORD)WS_EX_APPWINDOW, dialog.exStyle);
    EXPECT_EQ(0u, dialog.helpId);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(223, dialog.cx);
    EXPECT_EQ(243, dialog.cy);
    EXPECT_EQ("", dialog.menu);
    EXPECT_EQ("", dialog.className);
    EXPECT_EQ("Morvane", dialog.caption);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ(0, dialog.weight);
    EXPECT_EQ(0, dialog.italic);
    EXPECT_EQ(1, dialog.charset);
    EXPECT_EQ("MS Sans Serif", dialog.font);
    ExpectItems(dialog, MainItems, sizeof MainItems / sizeof MainItems[0]);
}

TEST_P(ResourceCheck, ObjIdDialogTemplate)
{
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(ReadResource(module, RT_DIALOG, MAKEINTRESOURCEA(IDD_OBJID)), &dialog));
    EXPECT_FALSE(dialog.extended) << "a classic DIALOG template";
    EXPECT_EQ(0x80C808C0u, dialog.style);
    EXPECT_EQ(0u, dialog.exStyle);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(208, dialog.cx);
    EXPECT_EQ(102, dialog.cy);
    EXPECT_EQ("", dialog.menu);
    EXPECT_EQ("", dialog.className);
    EXPECT_EQ("Object ID Generator", dialog.caption);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ("MS Sans Serif", dialog.font);
    ExpectItems(dialog, ObjIdItems, sizeof ObjIdItems / sizeof ObjIdItems[0]);
}

TEST_P(ResourceCheck, AboutDialogTemplate)
{
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(ReadResource(module, RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT)), &dialog));
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(0x80C800C0u, dialog.style);
    EXPECT_EQ(0u, dialog.exStyle);
    EXPECT_EQ(0u, dialog.helpId);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(258, dialog.cx);
    EXPECT_EQ(156, dialog.cy);
    EXPECT_EQ("", dialog.menu);
    EXPECT_EQ("", dialog.className);
    EXPECT_EQ("About", dialog.caption);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ(0, dialog.weight);
    EXPECT_EQ(0, dialog.italic);
    EXPECT_EQ(1, dialog.charset);
    EXPECT_EQ("MS Sans Serif", dialog.font);
    ASSERT_EQ(sizeof AboutItems / sizeof AboutItems[0], sizeof AboutItemExStyles / sizeof AboutItemExStyles[0]);
    ExpectItems(dialog, AboutItems, sizeof AboutItems / sizeof AboutItems[0], AboutItemExStyles);
}

TEST_P(ResourceCheck, VersionBlock)
{
    VersionBlock version;
    ASSERT_TRUE(ParseVersionBlock(ReadResource(module, RT_VERSION, MAKEINTRESOURCEA(1)), &version));
    EXPECT_EQ(0x00010001u, version.fixed.dwFileVersionMS);
    EXPECT_EQ(0x0000000Du, version.fixed.dwFileVersionLS);
    EXPECT_EQ(0x00010001u, version.fixed.dwProductVersionMS);
    EXPECT_EQ(0x00000000u, version.fixed.dwProductVersionLS);
    EXPECT_EQ(0x3Fu, version.fixed.dwFileFlagsMask);
    EXPECT_EQ(0u, version.fixed.dwFileFlags);
    EXPECT_EQ((DWORD)VOS__WINDOWS32, version.fixed.dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, version.fixed.dwFileType);
    EXPECT_EQ(0u, version.fixed.dwFileSubtype);

    EXPECT_EQ("040904b0", version.tableName);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Comments", ""},
        {"CompanyName", "Halvorik"},
        {"FileDescription", "vantrel Application"},
        {"FileVersion", "1, 1, 0, 13"},
        {"InternalName", "vantrel"},
        {"LegalCopyright", "Copyright (C) 2026 Halvorik"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "vantrel.EXE"},
        {"PrivateBuild", ""},
        {"ProductName", "Vantrel"},
        {"ProductVersion", "1, 1, 0, 0"},
        {"SpecialBuild", ""},
    };
    EXPECT_EQ(expected, version.strings);
    EXPECT_EQ((std::vector<WORD>{0x0409, 0x04B0}), version.translation);
}

TEST_P(ResourceCheck, ManifestAsksForCommonControls6OfItsOwnArchitecture)
{
    std::string manifest = ReadResource(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty());
    const char *architecture = is64Bit() ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"X86\"";
    EXPECT_EQ(0u, manifest.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_NE(std::string::npos, manifest.find("manifestVersion=\"1.0\""));
    EXPECT_NE(std::string::npos, manifest.find("<description>MORVANE</description>"));
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("publicKeyToken=\"6595b64144ccf1df\" language=\"*\""));
    // Both the program's own identity and the dependency name the architecture.
    size_t first = manifest.find(architecture);
    ASSERT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, manifest.find(architecture, first + 1));
    EXPECT_NE(std::string::npos, manifest.find("version=\"1.0.0.0\""));
}

TEST_P(ResourceCheck, IconHasA16And32PixelImageOf256Colours)
{
    std::vector<IconImage> images = ReadIconGroup(module, MAKEINTRESOURCEA(IDI_MAIN));
    ASSERT_EQ(2u, images.size());
    EXPECT_EQ(16, images[0].width);
    EXPECT_EQ(16, images[0].height);
    EXPECT_EQ(32, images[1].width);
    EXPECT_EQ(32, images[1].height);
    for (const IconImage &image : images)
        EXPECT_EQ(8, image.bitCount);
}

INSTANTIATE_TEST_SUITE_P(Executables, ResourceCheck, ::testing::Values("vantrel.exe", "$VANTREL_RELEASE_EXE"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.index == 0 ? "Build64" : "Release32");
                         });

} // namespace
