// Which morvane.exe a decode starts: the one beside the program, else the first in a folder of
// PATH, never one in the current folder; and a decode with none to be found there. This test is built
// into a folder of its own, one below the stand-in decoder's, where no decoder sits until a case
// puts a copy of the stand-in there.
#include "support.h"

namespace {

// The program a decode starts, or "" if none did, in which case no handle of the attempt may
// be left open.
std::string StartedDecoder()
{
    DWORD handles = HandleCount();
    ChildRun run = RunChild("morvane.exe -t \"in.bgl\" \"out.xml\"");
    EXPECT_TRUE(!run.image.empty() || handles == HandleCount()) << "handles left open by a start that failed";
    return run.image;
}

TEST(DecoderSearch, BesideTheProgramFirstThenPathNeverTheCurrentFolder)
{
    const std::string decoder = OwnFolder() + "..\\morvane.exe", beside = OwnFolder() + "morvane.exe",
                      scenery = TempPath("vantrel-scenery\\"), tools = TempPath("vantrel tools\\");
    CreateDirectoryA(scenery.c_str(), NULL);
    CreateDirectoryA(tools.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(decoder.c_str(), (scenery + "morvane.exe").c_str(), FALSE));
    ASSERT_TRUE(SetCurrentDirectoryA(scenery.c_str()));
    // "." and a relative entry name the current folder too, and must not count.
    const std::string unsafePath = ".;..\\vantrel-scenery;C:\\windows\\system32";
    SetEnvironmentVariableA("PATH", unsafePath.c_str());
    StartedDecoder(); // whatever the loader opens once, before counting handles
    EXPECT_EQ("", StartedDecoder()) << "a decoder only in the current folder must not start";
    // Nor does a decode start it: the Result window shows an empty list, OK still dismisses it,
    // and the owner takes input again.
    HWND owner = CreateMainDialog();
    int entries = -1;
    DecodeAndThen(owner, [&](HWND result) {
        entries = (int)SendMessageA(ListOf(result), LB_GETCOUNT, 0, 0);
        PostMessageA(OkOf(result), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(0, entries);
    EXPECT_TRUE(IsWindowEnabled(owner) && !ResultOf());
    DestroyWindow(owner);
    ASSERT_TRUE(CopyFileA(decoder.c_str(), (tools + "morvane.exe").c_str(), FALSE));
    // The folder on PATH quoted and ending in a backslash, and as most entries are written:
    // bare, without the final backslash, which the search must put before the file name.
    const std::string pathEntries[] = {"\"" + tools + "\"", tools.substr(0, tools.size() - 1)};
    for (const std::string &entry : pathEntries) {
        SetEnvironmentVariableA("PATH", (unsafePath + ";" + entry).c_str());
        EXPECT_EQ(tools + "morvane.exe", StartedDecoder()) << "PATH entry " << entry;
    }
    ASSERT_TRUE(CopyFileA(decoder.c_str(), beside.c_str(), FALSE));
    EXPECT_EQ(beside, StartedDecoder());
    DeleteFileA(beside.c_str());
}

} // namespace
