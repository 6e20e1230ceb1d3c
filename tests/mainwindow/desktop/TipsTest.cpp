#include "documents/SettingsFile.h"
#include "mainwindow/desktop/Tips.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TempDir;
using qx::test::WriteBytes;

TEST(TipPager, PagesWithTheButtonsThatMakeSense)
{
    TStringList tips;
    tips.SetText("one\r\ntwo\r\nthree\r\n");
    TTipPager pager(tips);
    std::string seen;
    auto state = [&] { return pager.Tip() + (pager.CanPrev() ? " P" : "") + (pager.CanNext() ? " N" : ""); };
    EXPECT_EQ(state(), "one N");
    pager.Next();
    EXPECT_EQ(state(), "two P N");
    pager.Next();
    EXPECT_EQ(state(), "three P");
    pager.Next();  // nothing further
    EXPECT_EQ(state(), "three P");
    pager.Prev();
    pager.Prev();
    pager.Prev();
    EXPECT_EQ(state(), "one N");

    TTipPager empty{TStringList()};
    EXPECT_EQ(empty.Tip(), "No tips available !");
    EXPECT_FALSE(empty.CanNext());
    EXPECT_FALSE(empty.CanPrev());
}

namespace {

// A tip window that answers with a scripted check box and close.
struct FakeTipWindow : TTipWindow {
    int ShowModal(const TTipWindowSetup& setup, bool& showAtStart) override
    {
        Setup = setup;
        ++Shown;
        if (Untick) showAtStart = false;
        return Result;
    }
    TTipWindowSetup Setup;
    int Shown = 0;
    bool Untick = false;
    int Result = 1;
};

} // namespace

TEST(QxEditorTips, LoadsTheFileAndKeepsTheListWhenItIsMissing)
{
    TempDir dir;
    TQxEditorTips tips(dir.File("QxEditor.ini"));
    tips.Tips.Add("kept");
    EXPECT_FALSE(tips.LoadTips(dir.File("none.tip")));
    EXPECT_FALSE(tips.LoadTips(""));
    EXPECT_EQ(tips.TipsCount(), 1);
    WriteBytes(dir.File("QxEditor.tip"), "\x88\xEA\r\ntwo\nthree");
    EXPECT_TRUE(tips.LoadTips(dir.File("QxEditor.tip")));
    EXPECT_EQ(tips.Tips.Items(), (std::vector<std::string>{"\x88\xEA", "two", "three"}));
}

TEST(QxEditorTips, ShowAtStartIsReadAndWrittenBackLeavingTheRestOfTheFile)
{
    TempDir dir;
    const std::string ini = dir.File("QxEditor.ini");
    const std::string before = "[Basic]\r\nHotKey=\"Ctrl+F1\"\r\n\r\n[OnePoint]\r\nShowAtStart=1\r\n\r\n[Z]\r\n";
    WriteBytes(ini, before);
    TQxEditorTips tips(ini);
    tips.Title = "ワンポイント";
    tips.TipHelp = "便利な使い方...";
    tips.Tips.Add("a");
    EXPECT_TRUE(tips.ReadShowAtStart());

    // Unticked and closed with the close box: still saved, and Execute reports the closing.
    FakeTipWindow window;
    window.Untick = true;
    window.Result = 2;
    EXPECT_TRUE(tips.Execute(window));
    EXPECT_EQ(window.Setup.Caption, "ワンポイント");
    EXPECT_EQ(window.Setup.CheckCaption, "起動時に表示(&S)");
    EXPECT_EQ(window.Setup.Heading, "便利な使い方...");
    EXPECT_TRUE(window.Setup.ShowAtStart);
    EXPECT_EQ(window.Setup.Tips.Items(), tips.Tips.Items());
    EXPECT_FALSE(tips.ShowAtStart);
    std::string after = before;
    after.replace(after.find("ShowAtStart=1"), 13, "ShowAtStart=0");
    EXPECT_EQ(ReadBytes(ini), after);
    EXPECT_FALSE(tips.ReadShowAtStart());

    // Without saving, only the component keeps the choice.
    tips.SaveShowAtStart = false;
    window.Untick = false;
    tips.Execute(window);
    EXPECT_FALSE(window.Setup.ShowAtStart);
    EXPECT_EQ(ReadBytes(ini), after);
}

TEST(QxEditorTips, WithoutASettingTheComponentsDefaultHolds)
{
    TempDir dir;
    TQxEditorTips tips(dir.File("QxEditor.ini"));
    tips.ShowAtStart = false;
    EXPECT_FALSE(tips.ReadShowAtStart());
    tips.ShowAtStart = true;
    EXPECT_TRUE(tips.ReadShowAtStart());
}

TEST(QxEditorTips, TheShippedTipsFileLoadsWholeInCp932)
{
    TempDir dir;
    TQxEditorTips tips(dir.File("QxEditor.ini"));
    ASSERT_TRUE(tips.LoadTips(QX_SHIPPED_TIPS));
    EXPECT_GE(tips.TipsCount(), 20);
    for (const std::string& tip : tips.Tips.Items()) {
        EXPECT_FALSE(tip.empty());
        // Real CP932 text: it decodes and encodes back to the same bytes.
        EXPECT_EQ(Utf16ToCp932(Cp932ToUtf16(tip)), tip);
        EXPECT_EQ(tip.find("\r"), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(QX_SHIPPED_TIPS).substr(ReadBytes(QX_SHIPPED_TIPS).size() - 2), "\r\n");
}
