// The decoder (morvane.exe beside this test) as the front end meets it: every command line
// the front end builds is accepted and understood, anything else is refused with a message
// and a non-zero exit, and a damaged BGL file is refused with the offset of the damage.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <fstream>
#include <string>

#include "run/core/cmdline.h"
#include "run_support.h"

namespace {

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

class Decoder : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(output.c_str()); }
    void TearDown() override
    {
        DeleteFileA(input.c_str());
        DeleteFileA(output.c_str());
    }
    void WriteInput(const std::string &bytes) { std::ofstream(input, std::ios::binary) << bytes; }
    // A BGL header with no sections.
    void WriteEmptyBgl()
    {
        std::string bytes(0x38, '\0');
        bytes.replace(0, 4, "\x01\x02\x92\x19", 4);
        WriteInput(bytes);
    }
    ChildRun Decode(const std::string &options = "")
    {
        return CaptureChild("morvane.exe " + options + "\"" + input + "\" \"" + output + "\"");
    }
    std::string input = TempPath("vantrel decoder in.bgl"), output = TempPath("vantrel decoder out.xml");
};

TEST_F(Decoder, AcceptsEveryCommandLineTheFrontEndBuilds)
{
    WriteEmptyBgl();
    for (unsigned flags = 0; flags < 32; ++flags) {
        DecodeRequest request = {NULL, input.c_str(), output.c_str(), flags, -12, -0.001, 179.999};
        char *line = BuildDecoderCommandLine(&request);
        ASSERT_NE(nullptr, line);
        ChildRun run = CaptureChild(line);
        free(line);
        EXPECT_EQ(0u, run.exitCode) << "flags " << flags << "\n" << run.output;
        EXPECT_TRUE(Contains(run.output, "written: 0 airports")) << flags << "\n" << run.output;
        EXPECT_TRUE(Contains(FileText(output), "</FSData>")) << flags;
        if (flags & DF_QUIET)
            continue;
        auto yes = [&](unsigned bit) { return (flags & bit) ? "yes" : "no"; };
        EXPECT_TRUE(Contains(run.output, std::string("options: quiet no, miles ") + yes(DF_MILES) + ", feet " +
                                             yes(DF_FEET) + ", dms " + yes(DF_DMS)))
            << flags << "\n" << run.output;
        EXPECT_EQ(bool(flags & DF_PARTIAL),
                  Contains(run.output, std::string("partial decode: radius -12 ") +
                                           (flags & DF_MILES ? "statute" : "nautical") + " miles around S0.00 180.00"))
            << run.output;
    }
}

TEST_F(Decoder, RefusesWhatTheFrontEndNeverSends)
{
    WriteInput("x");
    const std::string paths = " \"" + input + "\" \"" + output + "\"";
    const std::string refused[] = {
        "",                                      // no paths
        " \"only-one\"",                         // one path
        " -x" + paths,                           // unknown option
        " -m -t" + paths,                        // wrong order
        " -t -t" + paths,                        // twice
        " -r5" + paths,                          // radius alone
        " -r5 -n1.00" + paths,                   // radius and latitude only
        " -r5 -n1.0 -e2.00" + paths,             // one decimal
        " -r5 -n1.000 -e2.00" + paths,           // three decimals
        " -r5 -n-1.00 -e2.00" + paths,           // minus sign instead of S
        " -r5 -nS1.00 -eS2.00" + paths,          // S on the longitude
        " -r1.5 -n1.00 -e2.00" + paths,          // radius not an integer
        " -r99999999999 -n1.00 -e2.00" + paths,  // radius beyond int
        " -r05 -n1.00 -e2.00" + paths,           // leading zero in the radius
        " -r-0 -n1.00 -e2.00" + paths,           // minus zero radius
        " -r5 -nS01.00 -e2.00" + paths,          // leading zero in a coordinate
        " -n1.00 -e2.00 -r5" + paths,            // partial options out of order
        " -d -r5 -n1.00 -e2.00 -t" + paths,      // plain option after the partial ones
    };
    for (const std::string &arguments : refused) {
        ChildRun run = CaptureChild("morvane.exe" + arguments);
        EXPECT_EQ(1u, run.exitCode) << arguments << "\n" << run.output;
        EXPECT_TRUE(Contains(run.output, "morvane: ")) << arguments << "\n" << run.output;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str())) << arguments;
    }
}

TEST_F(Decoder, SaysWhatItDoesOnBothStreams)
{
    const std::string present = input;
    input = "Z:\\no\\such\\file.bgl"; // nothing to delete afterwards
    ChildRun missing = Decode();
    EXPECT_EQ(2u, missing.exitCode);
    for (const std::string &said : {"reading " + input + "\r\n", "morvane: cannot read " + input + "\r\n"})
        EXPECT_TRUE(Contains(missing.output, said)) << said << " in\n" << missing.output;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str()));

    input = present;
    WriteEmptyBgl();
    ChildRun unwritable = CaptureChild("morvane.exe \"" + input + "\" \"Z:\\no\\such\\dir\\out.xml\"");
    EXPECT_EQ(3u, unwritable.exitCode);
    EXPECT_TRUE(Contains(unwritable.output, "morvane: cannot write Z:\\no\\such\\dir\\out.xml")) << unwritable.output;
}

TEST_F(Decoder, RefusesADamagedBglFileAtTheDamage)
{
    // A header claiming three sections with only two section pointers present, then a header
    // cut short: the decoder names the offset, exits with 4 and leaves no output file.
    std::string bytes(0x38 + 2 * 20, '\0');
    const unsigned fields[][2] = {{0, 0x19920201}, {4, 0x38}, {16, 0x08051803}, {20, 3}};
    for (const auto &field : fields)
        for (int i = 0; i < 4; ++i)
            bytes[field[0] + i] = (char)(field[1] >> (8 * i));
    const struct {
        size_t size;
        const char *says;
    } cases[] = {{bytes.size(), "damaged header: 3 sections at offset 0x14"},
                 {20, "truncated header at offset 0x14"}};
    for (const auto &c : cases) {
        WriteInput(bytes.substr(0, c.size));
        ChildRun run = Decode("-t ");
        EXPECT_EQ(4u, run.exitCode) << run.output;
        EXPECT_TRUE(Contains(run.output, c.says)) << run.output;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str()));
    }
}

} // namespace
