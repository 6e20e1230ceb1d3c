#include "mainwindow/commands/ViewCommands.h"

#include "platform/Cp932.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(BookmarkLabel, CutsAtTheLastCharacterBoundaryWithinFortyBytes)
{
    const std::string a40(40, 'a');
    const std::string small20 = [] {
        std::string s;
        for (int i = 0; i < 20; ++i) s += Utf8ToCp932("ぁ");  // 82 9F: the trail byte looks like a lead byte
        return s;
    }();
    struct Case {
        std::string Row;
        std::string Label;
    };
    const Case cases[] = {
        {"", ""},
        {a40, a40},
        {a40 + "a", a40 + " ..."},
        {std::string(60, 'a'), a40 + " ..."},
        {std::string(39, 'a') + Utf8ToCp932("あ"), std::string(39, 'a') + " ..."},
        {std::string(38, 'a') + Utf8ToCp932("あ") + "b", std::string(38, 'a') + Utf8ToCp932("あ") + " ..."},
        {small20 + "b", small20 + " ..."},
        // Byte 40 is the lead byte of the twentieth character: the label stops before it, never past the row.
        {"a" + small20, "a" + small20.substr(0, 38) + " ..."},
    };
    for (const Case& c : cases) EXPECT_EQ(BookmarkLabel(c.Row), c.Label) << Cp932ToUtf8(c.Row);
}

TEST(BookmarkMenuCaption, DigitThenTheLabelShownAsItIs)
{
    EXPECT_EQ(BookmarkMenuCaption(3, Utf8ToCp932("見出し")), "&3 見出し");
    EXPECT_EQ(BookmarkMenuCaption(0, "a&b"), "&0 a&&b");
    EXPECT_EQ(BookmarkMenuCaption(9, ""), "&9 ");
}

TEST(InputWrapByte, TakesTheNumberTypedAndRefusesAnythingElse)
{
    struct Case {
        bool Accepted;
        std::string Typed;
        std::optional<int> Result;
        std::size_t Messages;
    };
    const Case cases[] = {
        {true, "80", 80, 0},  {true, " 72 ", 72, 0},          {true, "$50", 80, 0},
        {true, "abc", std::nullopt, 1}, {true, "", std::nullopt, 1}, {true, "99999999999", std::nullopt, 1},
        {false, "100", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        test::ScriptedMessagePrompter prompter;
        prompter.InputAnswers = {{c.Accepted, c.Typed}};
        EXPECT_EQ(InputWrapByte(prompter, 70), c.Result) << c.Typed;
        EXPECT_EQ(prompter.Requests.size(), c.Messages) << c.Typed;
        ASSERT_EQ(prompter.Inputs.size(), 1u);
        EXPECT_EQ(prompter.Inputs[0].Caption, "折り返し文字数の指定");
        EXPECT_EQ(prompter.Inputs[0].Prompt, "折り返し文字数：");
        EXPECT_EQ(prompter.Inputs[0].Initial, "70");
    }
}

TEST(ReportReconversionUnsupported, SaysSoInAnErrorBox)
{
    test::ScriptedMessagePrompter prompter;
    ReportReconversionUnsupported(prompter);
    ASSERT_EQ(prompter.Requests.size(), 1u);
    EXPECT_EQ(prompter.Requests[0].Text, "サポートされていません。");
    EXPECT_EQ(prompter.Requests[0].Caption, "エラー");
    EXPECT_EQ(prompter.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_EQ(prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbOK}));
}

} // namespace
} // namespace qx
