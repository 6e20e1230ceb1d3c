#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "support/Bytes.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::Bytes;

TEST(MessageTexts, BuildersGiveTheProgramsTexts)
{
    struct Case {
        std::string Built;
        std::string Expected;
    };
    const Case Cases[] = {
        {MsgFileCannotOpen("/d/a.txt"), "/d/a.txt\nファイルが開けません。ファイル名が正しいか確認してください。"},
        {MsgFileLocked("a"), "a\nファイルが他のプロセスによってロックされています。\r\n読み取り専用で開きます。"},
        {MsgFileOpenError("a"), "a\nエラーでファイルを開くことができません。"},
        {MsgDocumentModified("a"), "a\nが変更されています。\n\n文書を保存しますか?"},
        {MsgProjectModified("p"), "プロジェクト：p\nが変更されています。\n\nプロジェクトを保存しますか?"},
        {MsgFileExists("a"), "a\nこのファイルはすでに存在しています。\n\n上書きしますか?"},
        {MsgReloadWithCode("a", 2), "a\nの編集内容は破棄されます。\n\n文字コード[SHIFT-JIS]で読み直してよろしいですか?"},
        {MsgReloadWithCode("a", 4), "a\nの編集内容は破棄されます。\n\n文字コード[Unicode(Big-Endian)]で読み直してよろしいですか?"},
        // Document texts come in as Shift-JIS ("検索" and "置換").
        {MsgSearchNotFound(Bytes("8C 9F 8D F5")), "検索文字列：[検索]\r\nは見つかりませんでした。"},
        {MsgReplaceConfirm("a", Bytes("92 75 8A B7")), "a を\r\n置換 に 置き換えますか?"},
        {MsgFileChangedOutside("a", "2024/03/05 9:07:02", "2024/03/04 10:00:00"),
         "a\nは、他のアプリケーションによって書き換えられています。\n\n読み込み時： 2024/03/04 10:00:00  現在： "
         "2024/03/05 9:07:02\n\n読み直しますか?"},
        {MsgShellOpenFailed("x"), "x\r\n関連付けられたアプリケーションの起動に失敗したか、またはファイルが見つかりません。"},
        {MsgSjisOrEuc(), "Shift-JISまたはEUCで文字コードを判別できませんでした。\nEUCとして開いてよろしいですか。\n\n"
                         "［はい］：EUCで開く , ［いいえ］：Shift-JISで開く"},
        // The character at the caret: a double-byte character, a single byte, a pair outside the JIS rows.
        {MsgCharInfo(Bytes("82 A0")), "文字: あ\r\nShift-JIS: 82A0\r\nJIS: 2422"},
        {MsgCharInfo("A"), "文字: A\r\nANSI: 41\r\n"},
        {MsgCharInfo(Bytes("B1")), "文字: ｱ\r\nANSI: B1\r\n"},
        {MsgCharInfo(Bytes("EB 9F")).substr(MsgCharInfo(Bytes("EB 9F")).rfind("JIS: ")), "JIS: 00"},
    };
    for (const Case& C : Cases) EXPECT_EQ(C.Built, C.Expected);
}

TEST(MessageDialog, ShowsThroughThePrompterAndPlacesAtPosition)
{
    test::ScriptedMessagePrompter Prompter;
    Prompter.Answers = {mr::No, mr::Cancel};
    EXPECT_EQ(ShowMessageDialog(Prompter, "t", "", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
              mr::No);
    EXPECT_EQ(ShowMessageDialogAt(Prompter, "r", "置換", TMsgDlgType::mtConfirmation,
                                  {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, -5, 0),
              mr::Cancel);
    ASSERT_EQ(Prompter.Requests.size(), 2u);
    EXPECT_FALSE(Prompter.Requests[0].AtPosition);
    EXPECT_EQ(MessageCaption(Prompter.Requests[0].Kind, Prompter.Requests[0].Caption), "確認");
    EXPECT_TRUE(Prompter.Requests[1].AtPosition);
    EXPECT_EQ(Prompter.Requests[1].X, 0);
    EXPECT_EQ(Prompter.Requests[1].Y, 0);
    EXPECT_EQ(MessageCaption(Prompter.Requests[1].Kind, Prompter.Requests[1].Caption), "置換");
}

TEST(MessageDialog, LayoutFollowsTheLabelAndTheButtons)
{
    // A short label: the form is 102 pixels taller than a button and the buttons stay where they were.
    TMessageFormMetrics Short{12, 200, 20, 75, 25, 2, 60};
    TMessageFormLayout L = LayoutMessageForm(Short);
    EXPECT_EQ(L.Height, 25 + 102);
    EXPECT_EQ(L.ButtonTop, 60);
    EXPECT_EQ(L.Width, 320);
    // Two buttons of 75, 8 apart, centred: (320 - 158) / 2.
    EXPECT_EQ(L.ButtonLeft, (std::vector<int>{81, 164}));

    // A tall label grows the form with it; a row of many buttons widens it.
    TMessageFormMetrics Tall{10, 100, 36, 75, 25, 4, 60};
    L = LayoutMessageForm(Tall);
    EXPECT_EQ(L.Height, 36 + 25 + 66);
    EXPECT_EQ(L.ButtonTop, 10 + 36 + 12);
    EXPECT_EQ(L.Width, 83 * 4 + 118);
    EXPECT_EQ(L.ButtonLeft.front(), (L.Width - (83 * 4 - 8)) / 2);
    EXPECT_EQ(L.ButtonLeft.back() - L.ButtonLeft.front(), 3 * 83);

    // No button: measured as one of 84 x 24.
    L = LayoutMessageForm({12, 10, 10, 0, 0, 0, 50});
    EXPECT_EQ(L.Height, 24 + 102);
    EXPECT_EQ(L.Width, 130);
    EXPECT_TRUE(L.ButtonLeft.empty());

    EXPECT_EQ(MessageFormPosition(true, -5, 0, 1000, 800, 300, 100).Left, 0);
    EXPECT_EQ(MessageFormPosition(true, -5, 0, 1000, 800, 300, 100).Top, 0);
    EXPECT_EQ(MessageFormPosition(false, 7, 7, 1000, 800, 300, 100).Left, 350);
    EXPECT_EQ(MessageFormPosition(false, 7, 7, 1000, 800, 300, 100).Top, 350);
}

} // namespace
} // namespace qx
