#include "installer/SetupInfFile.h"
#include "installer/SetupInfo.h"
#include "support/Bytes.h"
#include "SetupFixture.h"
#include "support/Fifo.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;

TEST(TSetupInfFile, FollowsTheProfileStringRules)
{
    const TSetupInfFile inf(
        "Title=before any section\r\n"
        "[install]\r\n"
        "  TITLE = \"Quoted Tool\"  \r\n"
        "title=second wins nothing\r\n"
        "; Folder=commented out\r\n"
        "Folder='Tool'\r\n"
        "Open=\"half quoted\r\n"
        "Empty=\r\n"
        "[INSTALL]\r\n"
        "TSR=1\r\n"
        "[Group]\n"
        "1=a,b\n");
    EXPECT_EQ(inf.ReadString("Install", "Title"), "Quoted Tool");
    EXPECT_EQ(inf.ReadString("Install", "Folder"), "Tool");
    EXPECT_EQ(inf.ReadString("Install", "Open"), "\"half quoted");
    EXPECT_EQ(inf.ReadRaw("Install", "Empty"), std::optional<std::string>(""));
    EXPECT_FALSE(inf.ReadRaw("Install", "Missing"));
    // Only the first of two sections with one name is read.
    EXPECT_FALSE(inf.ReadRaw("Install", "TSR"));
    EXPECT_EQ(inf.ReadString("group", "1"), "a,b");
}

TEST(TSetupInfFile, DecodesCp932AndCutsWithoutSplittingACharacter)
{
    // "表" is 95 5C: its trail byte is a backslash, which must not become a separator.
    const std::string hyou = Bytes("95 5C");
    std::string title;
    for (int i = 0; i < 49; ++i) title += hyou;  // 98 bytes
    title += hyou;                                // 100 bytes: the last character does not fit in 99
    // "ゾ" is 83 5D: its trail byte is a closing bracket, which must not end a section name.
    const TSetupInfFile inf("[Install]\r\nTitle=" + title + "\r\n1=" + hyou + "\\a.txt\r\n[" + Bytes("83 5D") +
                            "]\r\nk=v\r\n");
    std::string expected;
    for (int i = 0; i < 49; ++i) expected += "表";
    EXPECT_EQ(inf.ReadString("Install", "Title", TSetupInfo::kMaxName), expected);
    EXPECT_EQ(inf.ReadString("Install", "1"), "表\\a.txt");
    EXPECT_EQ(inf.ReadString(Bytes("83 5D"), "k"), "v");

    const auto entry = ParseFileEntry(inf.ReadString("Install", "1"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Dest, fs::path("表/a.txt"));
}

TEST(CutCp932, KeepsWholeCharacters)
{
    EXPECT_EQ(CutCp932(Bytes("41 82 A0 42"), 2), "A");
    EXPECT_EQ(CutCp932(Bytes("41 82 A0 42"), 3), Bytes("41 82 A0"));
    EXPECT_EQ(CutCp932(Bytes("41 82"), 99), Bytes("41 82"));  // a lone lead byte at the end is one character
}

TEST(FindInfFile, PrefersTheExactNameThenAnyCase)
{
    TempHome home;
    const fs::path dist = home.Home / "dist";
    PutFile(dist / "setup.inf", "x");
    EXPECT_EQ(FindInfFile(dist, "setup"), dist / "setup.inf");
    PutFile(dist / "setup.INF", "x");
    EXPECT_EQ(FindInfFile(dist, "setup"), dist / "setup.INF");
    EXPECT_FALSE(FindInfFile(dist, "install"));
    fs::create_directory(dist / "other.inf");  // a folder is not an information file
    EXPECT_FALSE(FindInfFile(dist, "other"));
}

TEST(ParseFileEntry, ReadsEveryForm)
{
    struct Case {
        const char* text;
        std::optional<std::string> source;
        TEntryFolder folder;
        std::string dest;
    };
    const Case cases[] = {
        {"QxEditor", "QxEditor", TEntryFolder::Install, "QxEditor"},
        {"bin\\tool,sub\\dir\\tool2", "bin/tool", TEntryFolder::Install, "sub/dir/tool2"},
        {"tool.ini,W!tool.ini", "tool.ini", TEntryFolder::Windows, "tool.ini"},
        {"tool.ini,w!cfg\\tool.ini", "tool.ini", TEntryFolder::Windows, "cfg/tool.ini"},
        {"lib.so,S!lib.so", "lib.so", TEntryFolder::System, "lib.so"},
        {"lib.so,q!lib.so", "lib.so", TEntryFolder::System, "lib.so"},
        {",old.dll", std::nullopt, TEntryFolder::Install, "old.dll"},
        {"a,b,c", "a", TEntryFolder::Install, "b,c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto entry = ParseFileEntry(c.text);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->Source ? std::optional<std::string>(entry->Source->string()) : std::nullopt, c.source);
        EXPECT_EQ(entry->Folder, c.folder);
        EXPECT_EQ(entry->Dest.string(), c.dest);
    }
}

TEST(ParseFileEntry, RefusesPathsThatLeaveTheirFolder)
{
    for (const char* text : {"..\\evil", "a,..\\..\\evil", "/etc/passwd", "a,/etc/passwd", "a,W!..\\x",
                             "a,S!\\x", ",", "a,sub\\..", "a,.\\", "..,x", "a,W!"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseFileEntry(text));
    }
}

TEST(ParseGroupEntry, ReadsNameTargetAndArguments)
{
    const auto plain = ParseGroupEntry("エディタ,bin\\QxEditor");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->Name, "エディタ");
    EXPECT_EQ(plain->Target, fs::path("bin/QxEditor"));
    EXPECT_EQ(plain->Arguments, "");
    const auto withArgs = ParseGroupEntry("Readme,QxEditor,\"read me.txt\" /R");
    ASSERT_TRUE(withArgs);
    EXPECT_EQ(withArgs->Arguments, "\"read me.txt\" /R");
    for (const char* text : {"no comma", "../x,tool", "a/b,tool", "..,tool", "x,..\\tool", "x,/bin/sh"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseGroupEntry(text));
    }
}

TEST(TSetupInfo, ReadsListsUntilTheirEndAndRefusesBadValues)
{
    const TSetupInfFile inf(InfBytes(
        "[Install]\nTitle=Tool\nFolder=\\Apps\\Tool\nTSR=1\n1=a\n2=b\n4=d\n"
        "[Group]\n1=A,a\n2=B,b\n3=stop\n4=C,c\n"
        "[Reg]\n1=HKEY_CURRENT_USER\\Software\\Tool\n2=\n3=HKEY_CURRENT_USER\\x\n"));
    std::string problem;
    const auto info = TSetupInfo::Read(inf, problem);
    ASSERT_TRUE(info) << problem;
    EXPECT_EQ(info->Files.size(), 2u);
    EXPECT_EQ(info->Groups.size(), 2u);
    EXPECT_EQ(info->Regs, std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Tool"});
    EXPECT_TRUE(info->TSR);
    EXPECT_TRUE(info->FolderFromRoot());
    EXPECT_EQ(info->FolderPath(), fs::path("Apps/Tool"));

    struct Case {
        const char* inf;
        const char* problem;
    };
    const Case bad[] = {
        {"[Install]\nFolder=Tool\n", kBrokenSetupInfo},
        {"[Install]\nTitle=Tool\n", kBrokenSetupInfo},
        {"[Install]\nTitle=a/b\nFolder=Tool\n", "[Install] Title=a/b\n設定ファイルのこの値は使えません。"},
        {"[Install]\nTitle=..\nFolder=Tool\n", "[Install] Title=..\n設定ファイルのこの値は使えません。"},
        {"[Install]\nTitle=T\nFolder=..\\..\n", "[Install] Folder=..\\..\n設定ファイルのこの値は使えません。"},
        {"[Install]\nTitle=T\nFolder=\\\n", "[Install] Folder=\\\n設定ファイルのこの値は使えません。"},
        {"[Install]\nTitle=T\nFolder=F\n1=..\\x\n", "[Install] 1=..\\x\n設定ファイルのこの値は使えません。"},
        {"[Install]\nTitle=T\nFolder=F\n[Group]\n1=x,..\\..\\bin\\sh\n",
         "[Group] 1=x,..\\..\\bin\\sh\n設定ファイルのこの値は使えません。"},
    };
    for (const Case& c : bad) {
        SCOPED_TRACE(c.inf);
        std::string p;
        EXPECT_FALSE(TSetupInfo::Read(TSetupInfFile(InfBytes(c.inf)), p));
        EXPECT_EQ(p, c.problem);
    }
}

TEST(TSetupInfFile, AValueEndsAtItsFirstNulByte)
{
    // The platform reads profile strings as C strings: what follows a NUL byte is not part of the value.
    // Kept, it would hide from the path checks and cut the path short when the file system sees it.
    const std::string nul(1, '\0');
    const TSetupInfFile inf("[Install]\r\nTitle=.." + nul + "x\r\nFolder=Tool\\.." + nul + "\r\n1=a" + nul +
                            "\\..\\..\\b\r\n");
    EXPECT_EQ(inf.ReadString("Install", "Title"), "..");
    EXPECT_EQ(inf.ReadString("Install", "Folder"), "Tool\\..");
    EXPECT_EQ(inf.ReadString("Install", "1"), "a");

    std::string problem;
    EXPECT_FALSE(TSetupInfo::Read(inf, problem));
    EXPECT_EQ(problem, "[Install] Title=..\n設定ファイルのこの値は使えません。");
    const TSetupInfFile folder("[Install]\r\nTitle=T\r\nFolder=Tool\\.." + nul + "\r\n");
    EXPECT_FALSE(TSetupInfo::Read(folder, problem));
    EXPECT_EQ(problem, "[Install] Folder=Tool\\..\n設定ファイルのこの値は使えません。");
}

TEST_F(SetupTest, AnInformationFileThatIsAPipeIsRefusedWithoutWaiting)
{
    // setup reads the file beside it: a pipe in its place would block the start for ever.
    PutFile(dist / "setup", "#!/bin/sh\n");
    MakeFifo((dist / "SETUP.INF").string());
    FifoWatchdog watchdog((dist / "SETUP.INF").string());
    EXPECT_FALSE(TSetupInfFile::Load(dist / "SETUP.INF"));
    EXPECT_FALSE(setup.Load(dist / "setup"));
    EXPECT_FALSE(watchdog.Stop()) << "waited on the pipe";
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kBrokenSetupInfo});
}
