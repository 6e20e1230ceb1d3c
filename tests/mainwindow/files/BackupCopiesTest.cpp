#include "mainwindow/files/BackupCopies.h"

#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using test::TempDir;

using test::ReadBytes;
using test::WriteBytes;

const TLocalTime kNow{2024, 6, 3, 4, 5, 6, 7, 1};

TEST(BackupNames, GenerationsReplaceTheExtensionAndADotfileKeepsItsName)
{
    const struct {
        const char* File;
        int Generation;
        const char* Expected;
    } cases[] = {
        {"/d/a.txt", 1, "/d/a.bak"}, {"/d/a.txt", 2, "/d/a.bk1"},   {"/d/a.txt", 4, "/d/a.bk3"},
        {"/d/a", 1, "/d/a.bak"},     {"/d/.bashrc", 1, "/d/.bashrc.bak"}, {"/d/.x.conf", 2, "/d/.x.bk1"},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupName(c.File, c.Generation), c.Expected) << c.File;
    EXPECT_EQ(FolderBackupName("/d/a.txt", "/b", false, kNow), "/b/a.txt");
    EXPECT_EQ(FolderBackupName("/d/a.txt", "/b", true, kNow), "/b/a_20240603040506.txt");
    EXPECT_EQ(FolderBackupName("/d/.bashrc", "/b/", true, kNow), "/b/.bashrc_20240603040506");
}

TEST(MakeBackupFile, ThreeGenerationsShiftUpOldestFirst)
{
    TempDir dir;
    const std::string file = dir.File("a.txt");
    test::ScriptedMessagePrompter prompter;
    const TBackupSettings settings{true, 3, false, "", false};
    for (const char* version : {"v1", "v2", "v3", "v4"}) {
        WriteBytes(file, version);
        MakeBackupFile(file, settings, kNow, prompter);
    }
    EXPECT_EQ(ReadBytes(dir.File("a.bak")), "v4");
    EXPECT_EQ(ReadBytes(dir.File("a.bk1")), "v3");
    EXPECT_EQ(ReadBytes(dir.File("a.bk2")), "v2");
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.bk3")));
    EXPECT_TRUE(prompter.Requests.empty());

    // One generation keeps only ".bak"; a dotfile has its own.
    const std::string dot = dir.File(".bashrc");
    WriteBytes(dot, "rc");
    MakeBackupFile(dot, {true, 1, false, "", false}, kNow, prompter);
    EXPECT_EQ(ReadBytes(dir.File(".bashrc.bak")), "rc");
    EXPECT_EQ(ReadBytes(dir.File("a.bak")), "v4");
}

TEST(MakeBackupFile, FolderCopyWithTimeAndFailuresReportedWithoutStopping)
{
    TempDir dir;
    const std::string file = dir.File("a.txt");
    WriteBytes(file, "text");
    std::filesystem::create_directory(dir.File("keep"));
    test::ScriptedMessagePrompter prompter;
    MakeBackupFile(file, {false, 0, true, dir.File("keep"), true}, kNow, prompter);
    EXPECT_EQ(ReadBytes(dir.File("keep/a_20240603040506.txt")), "text");

    // Every copy fails: both messages, in order, and nothing stops.
    std::vector<std::string> tried;
    const TBackupCopier failing = [&](const std::string&, const std::string& Dest) {
        tried.push_back(std::filesystem::path(Dest).filename().string());
        return false;
    };
    MakeBackupFile(file, {true, 2, true, dir.File("keep"), false}, kNow, prompter, failing);
    EXPECT_EQ(tried, (std::vector<std::string>{"a.bak", "a.txt"})) << "no .bak yet, so no .bk1";
    ASSERT_EQ(prompter.Requests.size(), 2u);
    EXPECT_EQ(prompter.Requests[0].Text, "バックアップファイルの作成に失敗しました。");
    EXPECT_EQ(prompter.Requests[0].Caption, "エラー");
    EXPECT_EQ(prompter.Requests[1].Text, "指定ディレクトリへのバックアップファイル作成に失敗しました。");

    // A file nobody may write is not backed up (its mode, not the caller's rights, decides).
    tried.clear();
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    MakeBackupFile(file, {true, 2, true, dir.File("keep"), false}, kNow, prompter, failing);
    EXPECT_TRUE(tried.empty());
}

TEST(AutoSave, CountsDownTheActiveNamedDocumentAndSavesOnlyWhatNeedsIt)
{
    test::HostedEditor ed{Construct<TQxEditor>()};
    auto& e = static_cast<TQxEditor&>(*ed.Editor);
    e.AutoSave = true;
    e.AutoSaveTime = 5;
    e.AutoSaveCount = 5;
    e.SetModified(true);
    std::string ticks;
    for (int minute = 1; minute <= 10; ++minute) ticks += AutoSaveDue(e, true, false) ? 'S' : '.';
    EXPECT_EQ(ticks, "....S....S");

    const struct {
        bool Named, Busy, Modified, ReadOnly;
        int Count;
        bool Due;
    } cases[] = {
        {false, false, true, false, 1, false},  // untitled: never
        {true, true, true, false, 1, false},    // a dialog, a save, a close or a playback: skipped
        {true, false, false, false, 1, false},  // nothing to save
        {true, false, true, true, 1, false},    // write-protected
        {true, false, true, false, 0, true},    // a count already at 0 saves
        {true, false, true, false, -3, true},
    };
    for (const auto& c : cases) {
        e.AutoSaveCount = c.Count;
        e.SetModified(c.Modified);
        e.SetReadOnly(c.ReadOnly);
        EXPECT_EQ(AutoSaveDue(e, c.Named, c.Busy), c.Due) << c.Named << c.Busy << c.Modified << c.ReadOnly << c.Count;
    }
    // A skipped minute does not count.
    e.SetReadOnly(false);
    e.AutoSaveCount = 2;
    AutoSaveDue(e, true, true);
    EXPECT_EQ(e.AutoSaveCount, 2);
    e.AutoSaveTime = 0;
    EXPECT_FALSE(AutoSaveDue(e, true, false));
}

} // namespace
} // namespace qx
