// The contract decoder (morvane.exe beside this test) as the front end meets it: every
// command line the front end builds is accepted and understood, anything else is refused
// with a message and a non-zero exit, the XML states the request, and a BGL file's header
// and sections are read.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "run/child_process.h"
#include "run/core/cmdline.h"

namespace {

struct Outcome {
    std::string output;
    DWORD exitCode = 999;
};

// Runs `commandLine`, collecting its output and exit code within a bound.
Outcome RunCommand(const std::string &commandLine)
{
    Outcome outcome;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    HANDLE pipe = NULL, process = NULL;
    if (!StartCapturedChild(writable.data(), &pipe, &process)) {
        ADD_FAILURE() << "could not start " << commandLine;
        return outcome;
    }
    char block[4096];
    DWORD count = 0;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, NULL, 0, NULL, &available, NULL))
            break; // the decoder has ended
        if (!available) {
            if (GetTickCount() - start > 10000) {
                ADD_FAILURE() << "no end of output within 10 s: " << commandLine;
                TerminateProcess(process, 99);
                break;
            }
            Sleep(5);
            continue;
        }
        if (!ReadFile(pipe, block, sizeof block, &count, NULL) || !count)
            break;
        outcome.output.append(block, count);
    }
    WaitForSingleObject(process, 5000);
    GetExitCodeProcess(process, &outcome.exitCode);
    CloseHandle(pipe);
    CloseHandle(process);
    return outcome;
}

std::string TempPath(const std::string &name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

std::string FileText(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

class Decoder : public ::testing::Test {
protected:
    void SetUp() override
    {
        input = TempPath("vantrel decoder in.bgl");
        output = TempPath("vantrel decoder out.xml");
        DeleteFileA(output.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(input.c_str());
        DeleteFileA(output.c_str());
    }
    void WriteInput(const std::string &bytes)
    {
        std::ofstream file(input, std::ios::binary);
        file << bytes;
    }
    std::string input, output;
};

TEST_F(Decoder, AcceptsEveryCommandLineTheFrontEndBuilds)
{
    WriteInput("not a bgl file");
    for (unsigned flags = 0; flags < 32; ++flags) {
        DecodeRequest request = {NULL, input.c_str(), output.c_str(), flags, -12, -0.001, 179.999};
        char *line = BuildDecoderCommandLine(&request);
        ASSERT_NE(nullptr, line);
        Outcome outcome = RunCommand(line);
        free(line);
        EXPECT_EQ(0u, outcome.exitCode) << "flags " << flags << "\n" << outcome.output;
        std::string xml = FileText(output);
        auto yes = [&](unsigned bit) { return (flags & bit) ? "\"yes\"" : "\"no\""; };
        EXPECT_TRUE(Contains(xml, std::string("quiet=") + yes(DF_QUIET) + " miles=" + yes(DF_MILES) +
                                      " feet=" + yes(DF_FEET) + " dms=" + yes(DF_DMS) +
                                      " partial=" + yes(DF_PARTIAL)))
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
    const char *const refused[] = {
        "",                           // no paths
        " \"only-one\"",              // one path
        " -x",                        // unknown option, then paths
        " -m -t",                     // wrong order
        " -t -t",                     // twice
        " -r5",                       // radius alone
        " -r5 -n1.00",                // radius and latitude only
        " -r5 -n1.0 -e2.00",          // one decimal
        " -r5 -n1.000 -e2.00",        // three decimals
        " -r5 -n-1.00 -e2.00",        // minus sign instead of S
        " -r5 -nS1.00 -eS2.00",       // S on the longitude
        " -r1.5 -n1.00 -e2.00",       // radius not an integer
        " -r99999999999 -n1.00 -e2.00", // radius beyond int
        " -n1.00 -e2.00 -r5",         // partial options out of order
        " -d -r5 -n1.00 -e2.00 -t",   // plain option after the partial ones
    };
    for (const char *options : refused) {
        std::string commandLine = std::string("morvane.exe") + options + (options[0] && options[1] == '"' ? "" : paths);
        if (!*options)
            commandLine = "morvane.exe";
        Outcome outcome = RunCommand(commandLine);
        EXPECT_EQ(1u, outcome.exitCode) << commandLine << "\n" << outcome.output;
        EXPECT_TRUE(Contains(outcome.output, "morvane: ")) << commandLine << "\n" << outcome.output;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str())) << commandLine;
    }
}

TEST_F(Decoder, SaysWhatItDoesOnBothStreamsAndNamesItself)
{
    Outcome missing = RunCommand("morvane.exe -t \"Z:\\no\\such\\file.bgl\" \"" + output + "\"");
    EXPECT_EQ(2u, missing.exitCode);
    EXPECT_TRUE(Contains(missing.output, "not a full BGL decoder")) << missing.output;
    EXPECT_TRUE(Contains(missing.output, "reading Z:\\no\\such\\file.bgl\r\n")) << missing.output;
    EXPECT_TRUE(Contains(missing.output, "morvane: cannot read Z:\\no\\such\\file.bgl\r\n")) << missing.output;
    EXPECT_TRUE(Contains(missing.output, "writing " + output + "\r\n")) << missing.output;
    EXPECT_TRUE(Contains(FileText(output), "readable=\"no\"/>"));

    Outcome unwritable = RunCommand("morvane.exe \"" + input + "\" \"Z:\\no\\such\\dir\\out.xml\"");
    EXPECT_EQ(3u, unwritable.exitCode);
    EXPECT_TRUE(Contains(unwritable.output, "morvane: cannot write Z:\\no\\such\\dir\\out.xml")) << unwritable.output;
}

void PutLe32(std::string &bytes, size_t at, unsigned value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (char)((value >> (8 * i)) & 0xff);
}

TEST_F(Decoder, ReadsTheHeaderAndSectionsOfABglFile)
{
    // A header claiming three sections with only two section records present: the decoder
    // lists what is there and reads nothing beyond the file.
    std::string bytes(0x38 + 2 * 20, '\0');
    PutLe32(bytes, 0, 0x19920201);
    PutLe32(bytes, 4, 0x38);
    PutLe32(bytes, 16, 0x08051803);
    PutLe32(bytes, 20, 3);
    PutLe32(bytes, 0x38, 0x3);
    PutLe32(bytes, 0x38 + 8, 1);
    PutLe32(bytes, 0x38 + 12, 0x80);
    PutLe32(bytes, 0x38 + 16, 0x40);
    PutLe32(bytes, 0x38 + 20, 0x65);
    PutLe32(bytes, 0x38 + 28, 4);
    WriteInput(bytes);
    Outcome outcome = RunCommand("morvane.exe \"" + input + "\" \"" + output + "\"");
    EXPECT_EQ(0u, outcome.exitCode) << outcome.output;
    EXPECT_TRUE(Contains(outcome.output, "BGL header: 3 sections")) << outcome.output;
    std::string xml = FileText(output);
    EXPECT_TRUE(Contains(xml, "bgl=\"yes\"")) << xml;
    EXPECT_TRUE(Contains(xml, "<Header headerSize=\"56\" sections=\"3\"/>")) << xml;
    EXPECT_TRUE(Contains(xml, "<Section index=\"0\" type=\"0x3\" subsections=\"1\" subsectionOffset=\"0x80\" "
                              "subsectionBytes=\"64\"/>"))
        << xml;
    EXPECT_TRUE(Contains(xml, "<Section index=\"1\" type=\"0x65\" subsections=\"4\""));
    EXPECT_FALSE(Contains(xml, "index=\"2\""));

    bytes.resize(20); // cut inside the header
    WriteInput(bytes);
    outcome = RunCommand("morvane.exe \"" + input + "\" \"" + output + "\"");
    EXPECT_TRUE(Contains(FileText(output), "bgl=\"no\""));
}

} // namespace
