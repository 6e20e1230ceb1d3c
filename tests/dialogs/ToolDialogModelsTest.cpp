// The small tool dialogs' logic: go to line, the mail URL, the time-stamp manager, the version texts.

#include "dialogs/AboutBox.h"
#include "dialogs/GoToLine.h"
#include "dialogs/SendMail.h"
#include "dialogs/TimeStampManager.h"

#include "editor/EditorFixture.h"
#include "editor/EditorStrings.h"
#include "platform/Cp932.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qx {
namespace {

TEST(GoToLine, LimitsFollowTheChosenNumbering)
{
    test::HostedEditor ed;
    // Three lines, the first wrapped into three rows: 5 rows.
    ed.SetText(std::string(50, 'a') + "\r\nb\r\nc");
    ed->WrapOption().SetWrapByte(20);
    ed->SetWordWrap(true);
    ASSERT_EQ(ed->RowCount(), 5);
    EXPECT_EQ(JumpMaximum(*ed, false), 5);
    EXPECT_EQ(JumpMaximum(*ed, true), 3);

    test::ScriptedMessagePrompter prompter;
    const struct {
        int Value;
        bool Logical;
        bool Ok;
        int Row;
    } cases[] = {
        {3, true, true, 4}, {3, false, true, 2}, {5, false, true, 4},
        {4, true, false, 0},  // beyond the logical lines, though within the rows
        {0, false, false, 0}, {6, false, false, 0},
    };
    for (const auto& c : cases) {
        ed->SetRowCol(2, 1);
        prompter.Requests.clear();
        EXPECT_EQ(JumpToLine(*ed, c.Value, c.Logical, prompter), c.Ok) << c.Value << c.Logical;
        EXPECT_EQ(ed->Row(), c.Row) << c.Value << c.Logical;
        EXPECT_EQ(ed->Col(), 0);
        EXPECT_EQ(prompter.Texts(), c.Ok ? std::vector<std::string>{} : std::vector<std::string>{"ジャンプ行の指定が無効です。"});
    }
}

TEST(SendMail, TheTextGoesAsAnEncodedMailtoUrlAndAFailureIsReported)
{
    EXPECT_EQ(MailToUrl("a b&c=d?", "x\ny\r\nz\r"), "mailto:?subject=a%20b%26c%3Dd%3F&body=x%0D%0Ay%0D%0Az%0D%0A");
    EXPECT_EQ(MailToUrl("件名", "100%#"), "mailto:?subject=%E4%BB%B6%E5%90%8D&body=100%25%23");

    test::RecordingLauncher launcher;
    test::ScriptedMessagePrompter prompter;
    EXPECT_TRUE(SendTextByMail(launcher, prompter, "S", Utf8ToCp932("本文")));
    ASSERT_EQ(launcher.Calls.size(), 1u);
    EXPECT_EQ(launcher.Calls[0].Target, "mailto:?subject=S&body=%E6%9C%AC%E6%96%87");
    launcher.Result = false;
    EXPECT_FALSE(SendTextByMail(launcher, prompter, "S", "x"));
    ASSERT_EQ(prompter.Requests.size(), 1u);
    EXPECT_EQ(prompter.Requests[0].Text, "送信に失敗しました");
    EXPECT_EQ(prompter.Requests[0].Caption, "エラー");
}

TEST(TimeStampManager, SetsAValidStampAfterYesAndReportsEveryRefusal)
{
    test::TempDir dir;
    const std::string file = dir.File("f.txt");
    test::WriteBytes(file, "x");
    const TStampFields fields{"2020", "02", "29", "13", "04", "05"};
    EXPECT_EQ(StampFieldsOf(StampOfFields(fields)).Day, "29");
    const struct {
        TStampFields Fields;
        bool Valid;
    } dates[] = {
        {{"2021", "02", "29", "0", "0", "0"}, false}, {{"2021", "13", "1", "0", "0", "0"}, false},
        {{"2021", "1", "1", "24", "0", "0"}, false},  {{"20x1", "1", "1", "0", "0", "0"}, false},
        {{"2021", "1", "1", "0", "0", ""}, false},    {{"2021", "1", "31", "23", "59", "59"}, true},
    };
    for (const auto& d : dates) EXPECT_EQ(StampOfFields(d.Fields) != -1, d.Valid) << d.Fields.Month << "/" << d.Fields.Day;

    test::ScriptedMessagePrompter prompter;
    prompter.Answers = {mr::No, mr::Yes, mr::Yes, mr::Yes, mr::Yes};
    EXPECT_FALSE(ChangeFileStamp(prompter, file, fields));  // No: nothing asked further
    EXPECT_TRUE(ChangeFileStamp(prompter, file, fields));
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, StampOfFields(fields));
    EXPECT_EQ(FileStampText(file), "2020/02/29 13:04:05");
    EXPECT_FALSE(ChangeFileStamp(prompter, dir.File("none"), fields));
    EXPECT_FALSE(ChangeFileStamp(prompter, file, {"2021", "02", "30", "0", "0", "0"}));
    EXPECT_FALSE(ChangeFileStamp(prompter, file, fields, [](const std::string&, std::time_t) { return false; }));
    const std::vector<std::string> expected = {
        "タイムスタンプを変更してもよろしいですか?", "タイムスタンプを変更してもよろしいですか?",
        "タイムスタンプを正しく設定しました。",     "タイムスタンプを変更してもよろしいですか?",
        "正しくファイルを指定してください。",       "タイムスタンプを変更してもよろしいですか?",
        "正しくタイムスタンプを指定してください。", "タイムスタンプを変更してもよろしいですか?",
        "タイムスタンプを正しく設定できませんでした。",
    };
    EXPECT_EQ(prompter.Texts(), expected);
    EXPECT_EQ(FileStampText(dir.File("none")), "1899/12/30 0:00:00");
}

TEST(AboutBox, MemoryInThousandsAndTheVersion)
{
    EXPECT_EQ(MemoryText(0), "0KB");
    EXPECT_EQ(MemoryText(999), "999KB");
    EXPECT_EQ(MemoryText(1000), "1,000KB");
    EXPECT_EQ(MemoryText(16318452), "16,318,452KB");
    EXPECT_GT(PhysicalMemoryKB(), 0);
    EXPECT_EQ(VersionCaption().rfind("Ver.", 0), 0u);
}

} // namespace
} // namespace qx
