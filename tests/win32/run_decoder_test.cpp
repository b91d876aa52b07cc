// The contract decoder (morvane.exe beside this test) as the front end meets it: every
// command line the front end builds is accepted and understood, anything else is refused
// with a message and a non-zero exit, the XML states the request, and a BGL file's header
// and sections are read.
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
    ChildRun Decode(const std::string &options = "")
    {
        return CaptureChild("morvane.exe " + options + "\"" + input + "\" \"" + output + "\"");
    }
    std::string input = TempPath("vantrel decoder in.bgl"), output = TempPath("vantrel decoder out.xml");
};

TEST_F(Decoder, AcceptsEveryCommandLineTheFrontEndBuilds)
{
    WriteInput("not a bgl file");
    for (unsigned flags = 0; flags < 32; ++flags) {
        DecodeRequest request = {NULL, input.c_str(), output.c_str(), flags, -12, -0.001, 179.999};
        char *line = BuildDecoderCommandLine(&request);
        ASSERT_NE(nullptr, line);
        ChildRun run = CaptureChild(line);
        free(line);
        EXPECT_EQ(0u, run.exitCode) << "flags " << flags << "\n" << run.output;
        std::string xml = FileText(output);
        auto yes = [&](unsigned bit) { return (flags & bit) ? "\"yes\"" : "\"no\""; };
        EXPECT_TRUE(Contains(xml, std::string("quiet=") + yes(DF_QUIET) + " miles=" + yes(DF_MILES) + " feet=" +
                                      yes(DF_FEET) + " dms=" + yes(DF_DMS) + " partial=" + yes(DF_PARTIAL)))
            << flags << "\n" << xml;
        EXPECT_EQ(bool(flags & DF_PARTIAL),
                  Contains(xml, "<Partial radius=\"-12\" latitude=\"-0.00\" longitude=\"180.00\"/>"))
            << xml;
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

TEST_F(Decoder, SaysWhatItDoesOnBothStreamsAndNamesItself)
{
    input = "Z:\\no\\such\\file.bgl"; // nothing to delete afterwards
    ChildRun missing = Decode("-t ");
    EXPECT_EQ(2u, missing.exitCode);
    for (const std::string &said : {std::string("not a full BGL decoder"), "reading " + input + "\r\n",
                                    "morvane: cannot read " + input + "\r\n", "writing " + output + "\r\n"})
        EXPECT_TRUE(Contains(missing.output, said)) << said << " in\n" << missing.output;
    EXPECT_TRUE(Contains(FileText(output), "readable=\"no\"/>"));

    ChildRun unwritable = CaptureChild("morvane.exe \"" + output + "\" \"Z:\\no\\such\\dir\\out.xml\"");
    EXPECT_EQ(3u, unwritable.exitCode);
    EXPECT_TRUE(Contains(unwritable.output, "morvane: cannot write Z:\\no\\such\\dir\\out.xml")) << unwritable.output;
}

TEST_F(Decoder, ReadsTheHeaderAndSectionsOfABglFile)
{
    // A header claiming three sections with only two section records present: the decoder
    // lists what is there and reads nothing beyond the file.
    std::string bytes(0x38 + 2 * 20, '\0');
    const unsigned fields[][2] = {{0, 0x19920201}, {4, 0x38},         {16, 0x08051803},   {20, 3},
                                  {0x38, 0x3},     {0x38 + 8, 1},     {0x38 + 12, 0x80},  {0x38 + 16, 0x40},
                                  {0x38 + 20, 0x65}, {0x38 + 28, 4}};
    for (const auto &field : fields)
        for (int i = 0; i < 4; ++i)
            bytes[field[0] + i] = (char)(field[1] >> (8 * i));
    WriteInput(bytes);
    ChildRun run = Decode();
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_TRUE(Contains(run.output, "BGL header: 3 sections")) << run.output;
    std::string xml = FileText(output);
    for (const char *part : {"bgl=\"yes\"", "<Header headerSize=\"56\" sections=\"3\"/>",
                             "<Section index=\"0\" type=\"0x3\" subsections=\"1\" subsectionOffset=\"0x80\" "
                             "subsectionBytes=\"64\"/>",
                             "<Section index=\"1\" type=\"0x65\" subsections=\"4\""})
        EXPECT_TRUE(Contains(xml, part)) << part << " in\n" << xml;
    EXPECT_FALSE(Contains(xml, "index=\"2\""));

    bytes.resize(20); // cut inside the header
    WriteInput(bytes);
    Decode();
    EXPECT_TRUE(Contains(FileText(output), "bgl=\"no\""));
}

} // namespace
