// The decoder's output bytes turned into list lines: CR, LF, NUL, empty lines, over-long
// lines and a last line without LF, fed whole and one byte at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/core/lines.h"

namespace {

using Lines = std::vector<std::string>;

void Collect(void *context, const char *line)
{
    static_cast<Lines *>(context)->push_back(line);
}

Lines Assemble(const std::string &bytes, size_t piece)
{
    Lines lines;
    LineAssembly assembly;
    LineAssemblyReset(&assembly);
    for (size_t at = 0; at < bytes.size(); at += piece)
        LineAssemblyFeed(&assembly, bytes.data() + at, std::min(piece, bytes.size() - at), Collect, &lines);
    LineAssemblyFinish(&assembly, Collect, &lines);
    return lines;
}

struct Pattern {
    const char *name;
    std::string bytes;
    Lines expected;
};

std::vector<Pattern> Patterns()
{
    std::string long1023(1023, 'x');
    std::string long1024(1024, 'y');
    std::string long3000;
    for (int i = 0; i < 3000; ++i)
        long3000 += (char)('a' + i % 26);
    using namespace std::string_literals;
    return {
        {"crlf and lf", "a\r\nb\n", {"a", "b"}},
        {"cr inside a line", "ab\rcd\n", {"abcd"}},
        {"lone crs", "\r\r\n\r", {""}},
        {"empty lines", "\n\n x\n\n", {"", "", " x", ""}},
        {"nul cuts the line", "ab\0cd\nef\n"s, {"ab", "ef"}},
        {"nul first", "\0zz\n"s, {""}},
        {"no final lf", "one\ntwo", {"one", "two"}},
        {"error without newline", "reading a\r\nerror: cannot open\r", {"reading a", "error: cannot open"}},
        {"nul at the end without lf", "q\nw\0"s, {"q", "w"}},
        {"nothing", "", {}},
        {"high bytes", "\xe9t\xe9\xff\n", {"\xe9t\xe9\xff"}},
        {"exactly the buffer", long1023 + "\n", {long1023}},
        {"one byte over", long1024 + "\r\n", {std::string(1023, 'y'), "y"}},
        {"crs do not count", std::string(1023, 'z') + "\r\r\n", {std::string(1023, 'z')}},
        {"long line in pieces", long3000 + "\nend\n", {long3000.substr(0, 1023), long3000.substr(1023, 1023), long3000.substr(2046), "end"}},
        {"nul in a long line", std::string(1500, 'k') + "\0"s + std::string(1000, 'm') + "\n", {std::string(1023, 'k'), std::string(477, 'k')}},
    };
}

TEST(LineAssembly, EveryPatternGivesTheSameLinesWholeOrByteByByte)
{
    for (const Pattern &pattern : Patterns()) {
        for (size_t piece : {(size_t)1, (size_t)2, (size_t)7, (size_t)4096, pattern.bytes.size() + 1}) {
            EXPECT_EQ(pattern.expected, Assemble(pattern.bytes, piece)) << pattern.name << ", pieces of " << piece;
        }
    }
}

TEST(LineAssembly, FinishStartsAFreshLine)
{
    Lines lines;
    LineAssembly assembly;
    LineAssemblyReset(&assembly);
    LineAssemblyFeed(&assembly, "abc", 3, Collect, &lines);
    LineAssemblyFinish(&assembly, Collect, &lines);
    LineAssemblyFinish(&assembly, Collect, &lines);
    LineAssemblyFeed(&assembly, "d\n", 2, Collect, &lines);
    EXPECT_EQ((Lines{"abc", "d"}), lines);
}

} // namespace
