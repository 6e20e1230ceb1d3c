#include "dialogs/ClipBoardViewer.h"

#include "dialogs/ClipBoardHistory.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct ClipBoardViewerTest : ::testing::Test {
    TQxClipBoardHistory History;
    std::vector<std::string> Clipboard;
    test::ScriptedMessagePrompter Prompter;
    // The clipboard's change notice comes when the test says, as a desktop may deliver it late.
    TClipBoardViewerModel Model{History, [this](const std::string& Text) { Clipboard.push_back(Text); }};
    ClipBoardViewerTest()
    {
        History.SetDisabled(true);
        History.SetCanUpdate(true);
        for (const char* text : {"one", "two\r\nlines", "three"}) History.ClipboardChanged(std::string(text));
    }
    std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < History.Count(); ++i) texts.push_back(History.GetText(i));
        return texts;
    }
};

TEST_F(ClipBoardViewerTest, ListsSizesAndTotals)
{
    EXPECT_EQ(Model.ListLines(), (std::vector<std::string>{"three", "two  lines", "one"}));
    EXPECT_EQ(Model.SizeText(1), "10 Byte");
    EXPECT_EQ(Model.SizeText(-1), "0 Byte");
    History.SetBuffers(4096);
    EXPECT_EQ(Model.TotalText(), "18 / 4096 Byte (4 KB)");
}

TEST_F(ClipBoardViewerTest, TakingOutMovesTheEntryToTheTopAndALateNoticeAddsNothing)
{
    ASSERT_TRUE(Model.TakeOut(2, Prompter));
    EXPECT_EQ(Clipboard, std::vector<std::string>{"one"});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "three", "two\r\nlines"}));
    // The desktop's notices of that change arrive after the take-out, twice even.
    History.ClipboardChanged(std::string("one"));
    History.ClipboardChanged(std::string("one"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "three", "two\r\nlines"}));
    EXPECT_TRUE(History.Disabled());
    // The next copy of anything is recorded again, the same text after another one too.
    History.ClipboardChanged(std::string("four"));
    History.ClipboardChanged(std::string("one"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "four", "one", "three", "two\r\nlines"}));

    EXPECT_FALSE(Model.TakeOut(-1, Prompter));
    EXPECT_EQ(Prompter.Texts(), std::vector<std::string>{"取り出す項目を選択してください。"});
    Model.Delete(0);
    EXPECT_EQ(History.Count(), 4);
    Model.Clear();
    EXPECT_EQ(History.Count(), 0);
}

} // namespace
} // namespace qx
