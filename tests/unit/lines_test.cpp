// The decoder's output bytes turned into list lines: CR, LF, NUL, empty lines, over-long
// lines and a last line without LF, fed whole and in pieces down to one byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/core/lines.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

void Collect(void *context, const char *line)
{
    static_cast<Lines *>(context)->push_back(line);
}

Lines Assemble(LineAssembly &assembly, const std::string &bytes, size_t piece)
{
    Lines lines;
    for (size_t at = 0; at < bytes.size(); at += piece)
        LineAssemblyFeed(&assembly, bytes.data() + at, std::min(piece, bytes.size() - at), Collect, &lines);
    LineAssemblyFinish(&assembly, Collect, &lines);
    return lines;
}

TEST(LineAssembly, EveryPatternGivesTheSameLinesWholeOrInPieces)
{
    std::string alphabet;
    for (int i = 0; i < 3000; ++i)
        alphabet += (char)('a' + i % 26);
    const std::string x1023(1023, 'x'), k1023(1023, 'k');
    const struct {
        const char *name;
        std::string bytes;
        Lines expected;
    } patterns[] = {
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
        {"exactly the buffer", x1023 + "\n", {x1023}},
        {"one byte over", x1023 + "x\r\n", {x1023, "x"}},
        {"crs do not count", x1023 + "\r\r\n", {x1023}},
        {"long line in pieces", alphabet + "\nend\n",
         {alphabet.substr(0, 1023), alphabet.substr(1023, 1023), alphabet.substr(2046), "end"}},
        {"nul in a long line", std::string(1500, 'k') + "\0"s + std::string(1000, 'm') + "\n",
         {k1023, std::string(477, 'k')}},
    };
    for (const auto &pattern : patterns) {
        for (size_t piece : {(size_t)1, (size_t)2, (size_t)7, (size_t)4096, pattern.bytes.size() + 1}) {
            LineAssembly assembly;
            LineAssemblyReset(&assembly);
            EXPECT_EQ(pattern.expected, Assemble(assembly, pattern.bytes, piece))
                << pattern.name << ", pieces of " << piece;
            // Finish leaves a fresh line behind: nothing more, and the next line starts clean.
            EXPECT_EQ((Lines{"d"}), Assemble(assembly, "d\n", piece)) << pattern.name;
        }
    }
}

} // namespace
