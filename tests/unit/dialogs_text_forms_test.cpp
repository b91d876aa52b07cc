// The texts of the Object ID generator and the About box: insertion, grouping, the two GUID
// forms and the About lines, each written into a heap block of exactly the size given, so that
// AddressSanitizer reports any write past it.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <functional>
#include <string>

#include "dialogs/core/text_forms.h"

namespace {

// Runs `write` on a block of exactly `size` bytes holding `initial` and returns what it holds.
std::string Written(size_t size, const char *initial, std::function<void(char *)> write)
{
    char *block = (char *)malloc(size);
    memset(block, '#', size);
    if (initial)
        memcpy(block, initial, strlen(initial) + 1);
    write(block);
    std::string text = block;
    free(block);
    return text;
}

TEST(InsertText, AtTheStartMiddleAndEndAndNeverPastTheBuffer)
{
    struct Case {
        const char *text, *start;
        size_t size, position;
        const char *expected;
    } cases[] = {
        {"x", "abc", 5, 0, "xabc"},      {"x", "abc", 5, 2, "abxc"},    {"x", "abc", 5, 3, "abcx"},
        {"--", "abc", 6, 1, "a--bc"},    {"", "abc", 4, 1, "abc"},      {"x", "", 2, 0, "x"},
        {"x", "abc", 16, 9, "abcx"},     // past the end appends instead of leaving a gap
        {"X", "abcd", 5, 1, "aXbc"},     // full buffer: the tail is cut, the terminator kept
        {"X", "abcd", 5, 4, "abcd"},     {"XYZW", "abc", 4, 0, "XYZ"},  {"XYZW", "abc", 4, 1, "aXY"},
        {"X", "", 1, 0, ""},
    };
    for (const Case &c : cases) {
        std::string result = Written(c.size, c.start, [&](char *block) { EXPECT_EQ(block, InsertText(c.text, block, c.size, c.position)); });
        EXPECT_EQ(c.expected, result) << c.text << " into " << c.start << " at " << c.position << ", size " << c.size;
    }
    char untouched = 'q';
    InsertText("X", &untouched, 0, 0);
    EXPECT_EQ('q', untouched);
    // An unterminated buffer is taken as full and gets terminated.
    EXPECT_EQ("Xaa", Written(4, "", [](char *block) { memset(block, 'a', 4); InsertText("X", block, 4, 0); }));
}

TEST(GroupThousands, CommaPeriodOrNothingBetweenGroupsOfThreeCutToTheBuffer)
{
    struct Case {
        uint32_t value;
        char separator;
        const char *expected;
        size_t size = TEXT_LINE_SIZE;
    } cases[] = {
        {0, ',', "0"}, {7, ',', "7"}, {999, ',', "999"}, {1000, ',', "1,000"}, {123456, ',', "123,456"},
        {1234567, ',', "1,234,567"}, {4294967295u, ',', "4,294,967,295"},
        // The largest free memory a 32-bit MEMORYSTATUS can report, in kilobytes.
        {4194303, ',', "4,194,303"}, {4194303, '.', "4.194.303"}, {4194303, '\0', "4194303"},
        {1000, '.', "1.000"}, {0, '.', "0"}, {1000, '\0', "1000"}, {1000, ',', "1,0", 4}, {4194303, ',', "", 1},
    };
    for (const Case &c : cases) {
        std::string result = Written(c.size, "", [&](char *block) { EXPECT_EQ(block, GroupThousands(block, c.size, c.value, c.separator)); });
        EXPECT_EQ(c.expected, result) << c.value << " with '" << c.separator << "', size " << c.size;
    }
}

// {6B29FC40-CA47-1067-B31D-00DD010662DA} must read as in its registry form, not as its bytes in
// memory; every field of the second has leading zeros.
TEST(ObjectIdForms, DigitsReadLikeTheRegistryFormWithLeadingZerosCutToTheBuffer)
{
    struct Case {
        ObjectIdFields id;
        size_t size;
        const char *plain, *spaced;
    } cases[] = {
        {{0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}}, TEXT_LINE_SIZE,
         "6B29FC40CA471067B31D00DD010662DA", "6B29FC40 CA471067 B31D00DD 010662DA"},
        {{0x0000ABCD, 0x000E, 0x0001, {0x00, 0x01, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x0F}}, OBJECT_ID_SPACED_LENGTH + 1,
         "0000ABCD000E000100010A000000000F", "0000ABCD 000E0001 00010A00 0000000F"},
        {{}, TEXT_LINE_SIZE, "00000000000000000000000000000000", "00000000 00000000 00000000 00000000"},
        {{0x6B29FC40, 0xCA47, 0x1067, {}}, 10, "6B29FC40C", "6B29FC40 "},
        {{0x6B29FC40, 0xCA47, 0x1067, {}}, 11, "6B29FC40CA", "6B29FC40 C"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.plain, Written(c.size, "", [&](char *block) { FormatObjectIdPlain(&c.id, block, c.size); }));
        EXPECT_EQ(c.spaced, Written(c.size, "", [&](char *block) { FormatObjectIdSpaced(&c.id, block, c.size); }));
    }
}

std::string VersionLine(const char *fileVersion)
{
    return Written(TEXT_LINE_SIZE, "", [&](char *block) { FormatVersionLine(block, TEXT_LINE_SIZE, fileVersion); });
}

TEST(VersionLine, CommasBecomePeriodsBlanksStayAndALongVersionIsCut)
{
    EXPECT_EQ("Version 1. 1. 0. 13", VersionLine("1, 1, 0, 13"));
    EXPECT_EQ("Version 2.0.1", VersionLine("2,0,1"));
    EXPECT_EQ("Version ", VersionLine(""));
    std::string longVersion, cut = "Version ";
    for (int i = 0; i < 100; i++)
        longVersion += "9,", cut += "9.";
    EXPECT_EQ(cut.substr(0, TEXT_LINE_SIZE - 1), VersionLine(longVersion.c_str()));
}

TEST(WindowsLine, ChosenByPlatformWithTheLowWordOfTheBuild)
{
    struct Case {
        WindowsVersion version;
        const char *expected;
    } cases[] = {
        {{2, 6, 1, 7601}, "Windows NT ver. 6.1 (build 7601)"},
        // Windows 98 SE: the high word of the build number repeats the version.
        {{1, 4, 10, 0x040A08AE}, "Windows v9.x ver. 4.10 (build 2222)"},
        {{2, 10, 0, 0xF0004A61}, "Windows NT ver. 10.0 (build 19041)"},
        {{0, 3, 11, 0x1234FFFF}, "MS Windows ver. 3.11 (build 65535)"},
        {{3, 5, 0, 1}, "MS Windows ver. 5.0 (build 1)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, Written(TEXT_LINE_SIZE, "", [&](char *block) { FormatWindowsLine(block, TEXT_LINE_SIZE, &c.version); }));
    EXPECT_EQ("Windows version unknown", Written(TEXT_LINE_SIZE, "", [](char *block) { FormatWindowsLine(block, TEXT_LINE_SIZE, nullptr); }));
}

TEST(MemoryLine, WholeKilobytesHeldAtTheLargest32BitCountAndThePercentageNotInUse)
{
    struct Case {
        unsigned long long bytes;
        uint32_t kilobytes;
    } cases[] = {
        {0, 0}, {1023, 0}, {1024, 1}, {4294967295ull, 4194303},
        // More than 4 GiB free, as a 64-bit build sees it: not wrapped to a small number.
        {4294967296ull, 4194303}, {16ull << 30, 4194303}, {(16ull << 30) + 5 * 1024, 4194303},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.kilobytes, FreeKilobytes(c.bytes)) << c.bytes;

    auto line = [](const char *number, unsigned long load) {
        return Written(TEXT_LINE_SIZE, "", [&](char *block) { FormatMemoryLine(block, TEXT_LINE_SIZE, number, load); });
    };
    EXPECT_EQ("Available memory to Windows: 4,194,303 Kb (100%)", line("4,194,303", 0));
    EXPECT_EQ("Available memory to Windows: 0 Kb (0%)", line("0", 100));
    EXPECT_EQ("Available memory to Windows: 12.345 Kb (63%)", line("12.345", 37));
    // A load the system should never report does not give a negative percentage.
    EXPECT_EQ("Available memory to Windows: 1 Kb (0%)", line("1", 250));
}

} // namespace
