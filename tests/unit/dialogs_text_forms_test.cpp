// The texts of the Object ID generator and the About box: insertion, grouping, the two GUID
// forms and the About lines, including the cases where a buffer is too small.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "dialogs/core/text_forms.h"

namespace {

// A heap block of exactly `size` bytes, so AddressSanitizer reports any write past it.
struct ExactBuffer {
    explicit ExactBuffer(size_t size, const char *initial) : data((char *)malloc(size)), size(size)
    {
        memset(data, '#', size);
        if (initial)
            memcpy(data, initial, strlen(initial) + 1);
    }
    ~ExactBuffer() { free(data); }
    char *data;
    size_t size;
};

std::string Inserted(const char *text, const char *start, size_t size, size_t position)
{
    ExactBuffer buffer(size, start);
    EXPECT_EQ(buffer.data, InsertText(text, buffer.data, buffer.size, position));
    return buffer.data;
}

TEST(InsertText, AtTheStartMiddleAndEnd)
{
    EXPECT_EQ("xabc", Inserted("x", "abc", 5, 0));
    EXPECT_EQ("abxc", Inserted("x", "abc", 5, 2));
    EXPECT_EQ("abcx", Inserted("x", "abc", 5, 3));
    EXPECT_EQ("a--bc", Inserted("--", "abc", 6, 1));
    EXPECT_EQ("abc", Inserted("", "abc", 4, 1));
    EXPECT_EQ("x", Inserted("x", "", 2, 0));
}

TEST(InsertText, PositionPastTheEndAppendsInsteadOfLeavingAGap)
{
    EXPECT_EQ("abcx", Inserted("x", "abc", 16, 9));
}

TEST(InsertText, NeverWritesPastTheBufferItIsGiven)
{
    // Full buffer: the tail is cut, the terminator kept.
    EXPECT_EQ("aXbc", Inserted("X", "abcd", 5, 1));
    EXPECT_EQ("abcd", Inserted("X", "abcd", 5, 4));
    EXPECT_EQ("XYZ", Inserted("XYZW", "abc", 4, 0));
    EXPECT_EQ("aXY", Inserted("XYZW", "abc", 4, 1));
    EXPECT_EQ("", Inserted("X", "", 1, 0));

    char untouched = 'q';
    InsertText("X", &untouched, 0, 0);
    EXPECT_EQ('q', untouched);
}

TEST(InsertText, AnUnterminatedBufferIsTakenAsFullAndGetsTerminated)
{
    ExactBuffer buffer(4, nullptr);
    memset(buffer.data, 'a', buffer.size);
    InsertText("X", buffer.data, buffer.size, 0);
    EXPECT_STREQ("Xaa", buffer.data);
}

std::string Grouped(uint32_t value, char separator, size_t size = TEXT_LINE_SIZE)
{
    ExactBuffer buffer(size, "");
    EXPECT_EQ(buffer.data, GroupThousands(buffer.data, buffer.size, value, separator));
    return buffer.data;
}

TEST(GroupThousands, CommaBetweenGroupsOfThreeFromTheRight)
{
    EXPECT_EQ("0", Grouped(0, ','));
    EXPECT_EQ("7", Grouped(7, ','));
    EXPECT_EQ("999", Grouped(999, ','));
    EXPECT_EQ("1,000", Grouped(1000, ','));
    EXPECT_EQ("123,456", Grouped(123456, ','));
    EXPECT_EQ("1,234,567", Grouped(1234567, ','));
    // The largest free memory a 32-bit MEMORYSTATUS can report, in kilobytes.
    EXPECT_EQ("4,194,303", Grouped(4194303, ','));
    EXPECT_EQ("4,294,967,295", Grouped(4294967295u, ','));
}

TEST(GroupThousands, PeriodAndEmptySeparator)
{
    EXPECT_EQ("1.000", Grouped(1000, '.'));
    EXPECT_EQ("4.194.303", Grouped(4194303, '.'));
    EXPECT_EQ("0", Grouped(0, '.'));
    EXPECT_EQ("4194303", Grouped(4194303, '\0'));
    EXPECT_EQ("1000", Grouped(1000, '\0'));
}

TEST(GroupThousands, IsCutToASmallBuffer)
{
    EXPECT_EQ("1,0", Grouped(1000, ',', 4));
    EXPECT_EQ("", Grouped(4194303, ',', 1));
}

// {6B29FC40-CA47-1067-B31D-00DD010662DA} in its registry text form.
const ObjectIdFields RegistryExample = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
// Every field with leading zero digits.
const ObjectIdFields LeadingZeros = {0x0000ABCD, 0x000E, 0x0001, {0x00, 0x01, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x0F}};

std::string Plain(const ObjectIdFields &id, size_t size = TEXT_LINE_SIZE)
{
    ExactBuffer buffer(size, "");
    FormatObjectIdPlain(&id, buffer.data, buffer.size);
    return buffer.data;
}

std::string Spaced(const ObjectIdFields &id, size_t size = TEXT_LINE_SIZE)
{
    ExactBuffer buffer(size, "");
    FormatObjectIdSpaced(&id, buffer.data, buffer.size);
    return buffer.data;
}

TEST(ObjectIdForms, DigitsReadLikeTheRegistryFormNotTheMemoryBytes)
{
    EXPECT_EQ("6B29FC40CA471067B31D00DD010662DA", Plain(RegistryExample));
    EXPECT_EQ("6B29FC40 CA471067 B31D00DD 010662DA", Spaced(RegistryExample));
}

TEST(ObjectIdForms, LeadingZerosAreKeptAtFullWidth)
{
    std::string plain = Plain(LeadingZeros);
    std::string spaced = Spaced(LeadingZeros);
    EXPECT_EQ("0000ABCD000E000100010A000000000F", plain);
    EXPECT_EQ("0000ABCD 000E0001 00010A00 0000000F", spaced);
    ASSERT_EQ((size_t)OBJECT_ID_PLAIN_LENGTH, plain.size());
    ASSERT_EQ((size_t)OBJECT_ID_SPACED_LENGTH, spaced.size());

    // Blanks at positions 9, 18 and 27 counted from 1; the digits are the plain form's.
    std::string digits;
    for (size_t i = 0; i < spaced.size(); i++) {
        if (i == 8 || i == 17 || i == 26)
            EXPECT_EQ(' ', spaced[i]) << i;
        else
            digits += spaced[i];
    }
    EXPECT_EQ(plain, digits);

    const ObjectIdFields zero = {};
    EXPECT_EQ("00000000 00000000 00000000 00000000", Spaced(zero));
}

TEST(ObjectIdForms, AreCutToASmallBuffer)
{
    EXPECT_EQ("6B29FC40C", Plain(RegistryExample, 10));
    EXPECT_EQ("6B29FC40 C", Spaced(RegistryExample, 11));
}

std::string VersionLine(const char *fileVersion, size_t size = TEXT_LINE_SIZE)
{
    ExactBuffer buffer(size, "");
    FormatVersionLine(buffer.data, buffer.size, fileVersion);
    return buffer.data;
}

TEST(VersionLine, CommasBecomePeriodsAndBlanksStay)
{
    EXPECT_EQ("Version 1. 1. 0. 13", VersionLine("1, 1, 0, 13"));
    EXPECT_EQ("Version 2.0.1", VersionLine("2,0,1"));
    EXPECT_EQ("Version ", VersionLine(""));
}

TEST(VersionLine, ALongFileVersionIsCutNotOverrun)
{
    std::string longVersion;
    for (int i = 0; i < 100; i++)
        longVersion += "9,";
    std::string line = VersionLine(longVersion.c_str());
    ASSERT_EQ((size_t)TEXT_LINE_SIZE - 1, line.size());
    EXPECT_EQ("Version 9.9.", line.substr(0, 12));
    EXPECT_EQ(std::string::npos, line.find(','));
}

std::string WindowsLine(const WindowsVersion *version, size_t size = TEXT_LINE_SIZE)
{
    ExactBuffer buffer(size, "");
    FormatWindowsLine(buffer.data, buffer.size, version);
    return buffer.data;
}

TEST(WindowsLine, ChosenByPlatformWithTheLowWordOfTheBuild)
{
    WindowsVersion nt = {2, 6, 1, 7601};
    EXPECT_EQ("Windows NT ver. 6.1 (build 7601)", WindowsLine(&nt));
    // Windows 98 SE: the high word of the build number repeats the version.
    WindowsVersion w98 = {1, 4, 10, 0x040A08AE};
    EXPECT_EQ("Windows v9.x ver. 4.10 (build 2222)", WindowsLine(&w98));
    WindowsVersion ntHigh = {2, 10, 0, 0xF0004A61};
    EXPECT_EQ("Windows NT ver. 10.0 (build 19041)", WindowsLine(&ntHigh));
    WindowsVersion win32s = {0, 3, 11, 0x1234FFFF};
    EXPECT_EQ("MS Windows ver. 3.11 (build 65535)", WindowsLine(&win32s));
    WindowsVersion ce = {3, 5, 0, 1};
    EXPECT_EQ("MS Windows ver. 5.0 (build 1)", WindowsLine(&ce));
}

TEST(WindowsLine, UnknownVersionSaysSo)
{
    EXPECT_EQ("Windows version unknown", WindowsLine(nullptr));
}

TEST(FreeKilobytes, RoundsDownAndHoldsAtTheLargest32BitCount)
{
    EXPECT_EQ(0u, FreeKilobytes(0));
    EXPECT_EQ(0u, FreeKilobytes(1023));
    EXPECT_EQ(1u, FreeKilobytes(1024));
    EXPECT_EQ(4194303u, FreeKilobytes(4294967295ull));
    // More than 4 GiB free, as a 64-bit build sees it: not wrapped to a small number.
    EXPECT_EQ(4194303u, FreeKilobytes(4294967296ull));
    EXPECT_EQ(4194303u, FreeKilobytes(16ull << 30));
    EXPECT_EQ(4194303u, FreeKilobytes((16ull << 30) + 5 * 1024));
}

std::string MemoryLine(const char *number, unsigned long load)
{
    ExactBuffer buffer(TEXT_LINE_SIZE, "");
    FormatMemoryLine(buffer.data, buffer.size, number, load);
    return buffer.data;
}

TEST(MemoryLine, ShowsThePercentageNotInUse)
{
    EXPECT_EQ("Available memory to Windows: 4,194,303 Kb (100%)", MemoryLine("4,194,303", 0));
    EXPECT_EQ("Available memory to Windows: 0 Kb (0%)", MemoryLine("0", 100));
    EXPECT_EQ("Available memory to Windows: 12.345 Kb (63%)", MemoryLine("12.345", 37));
    // A load the system should never report does not give a negative percentage.
    EXPECT_EQ("Available memory to Windows: 1 Kb (0%)", MemoryLine("1", 250));
}

} // namespace
