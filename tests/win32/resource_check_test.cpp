// Reads the built executables' own resources back and compares them with the values the
// program is built to: dialog templates, version block, manifest and icon. Both the 64-bit
// vantrel.exe beside this test and, when VANTREL_RELEASE_EXE names it, the 32-bit release.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <regex>
#include <sstream>

#include "resource.h"
#include "resource_reader.h"

namespace {

struct ExpectedDialog {
    const char *name;
    int templateId;
    DialogTemplate expected; /* position 0, 0, no help id, menu or class, weight 0, not italic */
};

const ExpectedDialog Dialogs[] = {
    {"main", IDD_MAIN, {true, 0x90C80040, WS_EX_APPWINDOW, 223, 243, "Morvane", 8, "MS Sans Serif", 1, {
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
    }}},
    /* A classic DIALOG template: no help ids, weight, italic or character set. */
    {"Object ID generator", IDD_OBJID, {false, 0x80C808C0, 0, 208, 102, "Object ID Generator", 8, "MS Sans Serif", 0, {
        {IDC_GENERATE, "BUTTON", "&Generate", 0x50010000, 49, 81, 50, 14},
        {IDCANCEL, "BUTTON", "Cancel", 0x50010000, 107, 81, 50, 14},
        {-1, "STATIC", "With spaces", 0x50020000, 7, 7, 91, 8},
        {IDC_GUID_SPACED, "EDIT", "", 0x50800880, 7, 17, 194, 14},
        {-1, "STATIC", "Without spaces", 0x50020000, 7, 41, 91, 8},
        {IDC_GUID_PLAIN, "EDIT", "", 0x50800880, 7, 52, 194, 14},
    }}},
    {"About", IDD_ABOUT, {true, 0x80C800C0, 0, 258, 156, "About", 8, "MS Sans Serif", 1, {
        {IDOK, "BUTTON", "OK", 0x50010001, 70, 131, 50, 14},
        {IDC_MYURL, "BUTTON", "&My Url >>", 0x50010000, 138, 131, 50, 14},
        {-1, "STATIC", "#1012", 0x50000003, 7, 7, 21, 20}, /* the icon, by number */
        {IDC_PRODUCT_NAME, "STATIC", "Static", 0x50020000, 40, 7, 190, 8},
        {IDC_VERSION, "STATIC", "Static", 0x50020000, 40, 19, 190, 8},
        {IDC_LEGAL_NOTICE, "STATIC", "Static", 0x50020000, 40, 42, 190, 8},
        {IDC_OS_VERSION, "STATIC", "Static", 0x50020001, 40, 76, 178, 8},
        {IDC_MEMORY, "STATIC", "Static", 0x50020001, 40, 103, 178, 8},
        {-1, "STATIC", "", 0x50000007, 28, 68, 202, 50, WS_EX_CLIENTEDGE},
        {IDC_CSD_VERSION, "STATIC", "", 0x50020001, 40, 89, 178, 8},
    }}},
};

/* Every field of a template, a line for the dialog and one for each control. */
std::string Describe(const DialogTemplate &d)
{
    std::ostringstream out;
    out << std::hex << (d.extended ? "DIALOGEX" : "DIALOG") << " style " << d.style << " ex " << d.exStyle << " help "
        << d.helpId << std::dec << " at " << d.x << "," << d.y << " " << d.cx << "x" << d.cy << " menu [" << d.menu
        << "] class [" << d.className << "] caption [" << d.caption << "] font " << d.pointSize << " " << d.weight << " "
        << d.italic << " " << d.charset << " [" << d.font << "]\n";
    for (const TemplateItem &i : d.items)
        out << i.id << " " << i.className << " [" << i.text << "]" << std::hex << " style " << i.style << " ex " << i.exStyle
            << " help " << i.helpId << std::dec << " at " << i.x << "," << i.y << " " << i.cx << "x" << i.cy << " extra "
            << i.extraCount << "\n";
    return out.str();
}

struct Executable {
    const char *name;
    const char *path; /* NULL: the one VANTREL_RELEASE_EXE names */
    bool is64Bit;
};
void PrintTo(const Executable &executable, std::ostream *out) { *out << executable.name; }

class ResourceCheck : public ::testing::TestWithParam<Executable> {
protected:
    void SetUp() override
    {
        const char *path = GetParam().path ? GetParam().path : getenv("VANTREL_RELEASE_EXE");
        if (!path || !*path)
            GTEST_SKIP() << "VANTREL_RELEASE_EXE is not set";
        DWORD binaryType = 0;
        ASSERT_TRUE(GetBinaryTypeA(path, &binaryType)) << path;
        EXPECT_EQ(GetParam().is64Bit ? (DWORD)SCS_64BIT_BINARY : (DWORD)SCS_32BIT_BINARY, binaryType) << path;
        module = LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module) << path;
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

TEST_P(ResourceCheck, DialogTemplates)
{
    for (const ExpectedDialog &dialog : Dialogs) {
        DialogTemplate stored;
        EXPECT_TRUE(ParseDialogTemplate(ReadResource(module, RT_DIALOG, MAKEINTRESOURCEA(dialog.templateId)), &stored)) << dialog.name;
        EXPECT_EQ(Describe(dialog.expected), Describe(stored)) << dialog.name;
    }
}

TEST_P(ResourceCheck, VersionBlock)
{
    VersionBlock version;
    ASSERT_TRUE(ParseVersionBlock(ReadResource(module, RT_VERSION, MAKEINTRESOURCEA(1)), &version));
    /* Signature, structure version, file and product version, flags mask and flags, OS, type,
     * subtype, date. */
    EXPECT_EQ((std::vector<DWORD>{0xFEEF04BD, 0x00010000, 0x00010001, 0x0000000D, 0x00010001, 0x00000000, 0x3F, 0,
                                  VOS__WINDOWS32, VFT_APP, 0, 0, 0}),
              version.fixed);
    EXPECT_EQ((std::vector<std::string>{
                  "StringFileInfo/040904b0/Comments=",
                  "StringFileInfo/040904b0/CompanyName=Halvorik",
                  "StringFileInfo/040904b0/FileDescription=vantrel Application",
                  "StringFileInfo/040904b0/FileVersion=1, 1, 0, 13",
                  "StringFileInfo/040904b0/InternalName=vantrel",
                  "StringFileInfo/040904b0/LegalCopyright=Copyright (C) 2026 Halvorik",
                  "StringFileInfo/040904b0/LegalTrademarks=",
                  "StringFileInfo/040904b0/OriginalFilename=vantrel.EXE",
                  "StringFileInfo/040904b0/PrivateBuild=",
                  "StringFileInfo/040904b0/ProductName=Vantrel",
                  "StringFileInfo/040904b0/ProductVersion=1, 1, 0, 0",
                  "StringFileInfo/040904b0/SpecialBuild=",
                  "VarFileInfo/Translation=0409 04b0",
              }),
              version.entries);
}

TEST_P(ResourceCheck, ManifestAsksForCommonControls6OfItsOwnArchitecture)
{
    std::string manifest = ReadResource(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    EXPECT_EQ(0u, manifest.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>")) << manifest;
    for (const char *part : {"manifestVersion=\"1.0\"", "<description>MORVANE</description>",
                             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "publicKeyToken=\"6595b64144ccf1df\" language=\"*\""})
        EXPECT_NE(std::string::npos, manifest.find(part)) << part;
    // Both the program's own identity and the dependency's name this executable's architecture.
    std::string architecture = GetParam().is64Bit ? "amd64" : "X86";
    std::regex identity("<assemblyIdentity [^>]*processorArchitecture=\"([^\"]*)\"");
    std::vector<std::string> architectures;
    for (std::sregex_iterator i(manifest.begin(), manifest.end(), identity), end; i != end; ++i)
        architectures.push_back((*i)[1]);
    EXPECT_EQ((std::vector<std::string>{architecture, architecture}), architectures);
    EXPECT_NE(std::string::npos, manifest.find("version=\"1.0.0.0\""));
}

TEST_P(ResourceCheck, IconHasA16And32PixelImageOf256Colours)
{
    EXPECT_EQ((std::vector<std::string>{"16x16x8", "32x32x8"}), IconImageSizes(module, MAKEINTRESOURCEA(IDI_MAIN)));
}

INSTANTIATE_TEST_SUITE_P(Executables, ResourceCheck,
                         ::testing::Values(Executable{"Build64", "vantrel.exe", true}, Executable{"Release32", NULL, false}),
                         [](const ::testing::TestParamInfo<Executable> &info) { return std::string(info.param.name); });

} // namespace
