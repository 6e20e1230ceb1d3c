#include "dialogs/FileOperation.h"

#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

struct FileOperationTest : ::testing::Test {
    test::TempDir Dir;
    test::ScriptedMessagePrompter Prompter;
    std::string Source;
    std::string Folder;
    FileOperationTest()
    {
        Source = Dir.File("a.txt");
        Folder = Dir.File("sub");
        WriteBytes(Source, "source");
        fs::create_directory(Folder);
    }
    TFileOpeResult Run(int Mode, const std::string& Name, const std::string& To)
    {
        return ExecuteFileOperation(Mode, Source, Name, To, Prompter);
    }
};

TEST_F(FileOperationTest, EachModeLandsTheFileAndNamesTheDocumentsNewFile)
{
    const struct {
        int Mode;
        const char* Name;
        bool InSub;
        const char* Target;
        bool SourceStays, Rebind;
    } cases[] = {
        {fomMove, "ignored.txt", true, "a.txt", false, true},
        {fomCopy, "ignored.txt", true, "a.txt", true, false},
        {fomRename, "b.txt", false, "b.txt", false, true},
        {fomCopyRename, "c.txt", true, "c.txt", true, false},
        {fomMoveRename, "d.txt", true, "d.txt", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mode);
        WriteBytes(Source, "source");
        const std::string target = (c.InSub ? Folder : Dir.Path()) + "/" + c.Target;
        fs::remove(target);
        const TFileOpeResult r = Run(c.Mode, c.Name, c.InSub ? Folder : "/nowhere");
        EXPECT_TRUE(r.Done);
        EXPECT_EQ(r.Rebind, c.Rebind);
        EXPECT_EQ(r.NewFileName, c.Rebind ? target : Source);
        EXPECT_EQ(ReadBytes(target), "source");
        EXPECT_EQ(fs::exists(Source), c.SourceStays);
    }
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(FileOperationTest, BadNamesAndFoldersAreRefusedAndNothingMoves)
{
    const struct {
        int Mode;
        const char* Name;
        std::string Folder;
        const char* Message;
    } cases[] = {
        {fomRename, "", "", "ファイル名を正しく指定してください。"},
        {fomRename, "x/y.txt", "", "ファイル名を正しく指定してください。"},
        {fomMoveRename, "..", Folder, "ファイル名を正しく指定してください。"},
        // A folder that does not exist is no new name for the file.
        {fomMove, "a.txt", Dir.File("missing"), "指定先フォルダが存在しません。"},
        {fomMoveRename, "z.txt", Dir.File("missing"), "指定先フォルダが存在しません。"},
        {fomCopy, "a.txt", "", "指定先フォルダが存在しません。"},
    };
    for (const auto& c : cases) {
        Prompter.Requests.clear();
        const TFileOpeResult r = Run(c.Mode, c.Name, c.Folder);
        EXPECT_FALSE(r.Done) << c.Name;
        EXPECT_EQ(r.NewFileName, Source);
        ASSERT_EQ(Prompter.Texts(), std::vector<std::string>{c.Message}) << c.Name;
    }
    EXPECT_EQ(ReadBytes(Source), "source");
    EXPECT_FALSE(fs::exists(Dir.File("missing")));
}

TEST_F(FileOperationTest, ExistingTargetsAreNeverReplacedSilently)
{
    const std::string other = Dir.File("b.txt");
    WriteBytes(other, "other");
    WriteBytes(Folder + "/a.txt", "old");
    WriteBytes(Folder + "/c.txt", "old c");

    // A rename and a copy under a new name refuse; both files stay as they were.
    EXPECT_FALSE(Run(fomRename, "b.txt", "").Done);
    EXPECT_FALSE(Run(fomCopyRename, "c.txt", Folder).Done);
    EXPECT_EQ(ReadBytes(other), "other");
    EXPECT_EQ(ReadBytes(Folder + "/c.txt"), "old c");
    EXPECT_EQ(ReadBytes(Source), "source");

    // A move into the folder asks: No keeps both, Yes replaces.
    Prompter.Answers = {mr::No, mr::Yes};
    EXPECT_FALSE(Run(fomMove, "", Folder).Done);
    EXPECT_EQ(ReadBytes(Folder + "/a.txt"), "old");
    const TFileOpeResult r = Run(fomMove, "", Folder);
    EXPECT_TRUE(r.Done);
    EXPECT_EQ(ReadBytes(Folder + "/a.txt"), "source");
    EXPECT_FALSE(fs::exists(Source));
    EXPECT_EQ(Prompter.Requests.back().Kind, TMsgDlgType::mtConfirmation);
}

TEST_F(FileOperationTest, TheSourceItselfAsTargetIsANoOpWhateverTheSpelling)
{
    fs::create_hard_link(Source, Dir.File("link.txt"));
    const struct {
        int Mode;
        const char* Name;
        std::string Folder;
    } cases[] = {
        {fomMoveRename, "a.txt", Dir.Path()},
        {fomMoveRename, "a.txt", Dir.Path() + "/sub/.."},
        {fomCopyRename, "a.txt", Dir.Path() + "/."},
        {fomRename, "a.txt", ""},
        {fomMove, "", Dir.Path()},
        // Another name of the same file.
        {fomMoveRename, "link.txt", Dir.Path()},
    };
    for (const auto& c : cases) {
        const TFileOpeResult r = Run(c.Mode, c.Name, c.Folder);
        EXPECT_TRUE(r.Done) << c.Mode << " " << c.Folder;
        EXPECT_FALSE(r.Rebind);
        EXPECT_EQ(r.NewFileName, Source);
        EXPECT_EQ(ReadBytes(Source), "source");
    }
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(FileOperationTest, AMissingSourceIsReported)
{
    fs::remove(Source);
    EXPECT_FALSE(Run(fomCopy, "", Folder).Done);
    EXPECT_EQ(Prompter.Texts(), std::vector<std::string>{"ファイルは存在しません。"});
    EXPECT_TRUE(fs::is_empty(Folder));
}

} // namespace
} // namespace qx
