#include "mainwindow/InsertForms.h"

#include "documents/Settings.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::HostedEditor;

TEST(TimeFormModel, ListsTheMomentOfShowingAndKeepsTheUserPatterns)
{
    TDateTimeSettings settings;
    settings.Format2 = "";
    TTimeFormModel model;
    // Tuesday 5 March 2024, 09:04:03.
    model.FormShow({2024, 3, 5, 9, 4, 3, 0, 2}, settings);
    ASSERT_EQ(model.FixedTexts.size(), 28u);
    EXPECT_EQ(model.FixedTexts[2], "2024/03/05");
    EXPECT_EQ(Cp932ToUtf8(model.FixedTexts[24]), "3月5日（火曜日）");
    EXPECT_EQ(Cp932ToUtf8(model.FixedTexts[27]), "9時4分");
    EXPECT_EQ(model.UserTexts[0], "09:04 2024/03/05 +0900");
    EXPECT_EQ(Cp932ToUtf8(model.UserTexts[1]), "未登録");

    model.FixedIndex = 2;
    EXPECT_EQ(model.SelectedText(), "2024/03/05");
    // An unregistered pattern inserts nothing; "更新" stores and shows the pattern at the showing's time.
    model.UserFormat = true;
    model.UserIndex = 1;
    EXPECT_EQ(model.SelectedText(), "");
    model.Update("%Y-%M");
    EXPECT_EQ(model.SelectedText(), "2024-03");
    model.Reset();
    EXPECT_EQ(model.SelectedText(), "Tue, 05 March 2024 09:04:03 +0900");

    TDateTimeSettings stored;
    model.FormClose(stored);
    EXPECT_TRUE(stored.UserFormat);
    EXPECT_EQ(stored.Format2, TDateTimeSettings().Format2);
}

TEST(InsertAtCaret, ReplacesTheSelectionAndPlacesTheCaretAsInsertCurPosSays)
{
    for (const int curPos : {0, 1}) {
        HostedEditor ed(Construct<TQxEditor>());
        ed.SetText("abcdef");
        ed->SetRowCol(0, 1);
        ed->StartSelection();
        ed->SetRowCol(0, 3);
        ed->ShowSelection();
        InsertAtCaret(*ed, "XYZ", curPos != 0);
        EXPECT_EQ(ed->Lines().Text(), "aXYZdef\r\n");
        EXPECT_EQ(ed->SelStart(), curPos == 0 ? 1 : 4) << curPos;
        ed->Undo();
        EXPECT_EQ(ed->Lines().Text(), "abcdef\r\n");
    }
}

TEST(InsertLineNumbersFromDialog, AllLinesOrAClampedRange)
{
    HostedEditor ed(Construct<TQxEditor>());
    ed.SetText("a\r\nb\r\nc");
    EXPECT_EQ(LineNumberFieldMax(*ed), 3);
    TLineNumberOptions options;
    options.AllLines = false;
    options.FirstLine = 2;
    options.LastLine = 9;
    options.StartNumber = 10;
    options.Step = 5;
    options.Digits = 3;
    InsertLineNumbersFromDialog(*ed, options);
    EXPECT_EQ(ed->Lines().Text(), "a\r\n010 b\r\n015 c\r\n");
    ed->Undo();
    InsertLineNumbersFromDialog(*ed, TLineNumberOptions{});
    EXPECT_EQ(ed->Lines().Text(), "1 a\r\n2 b\r\n3 c\r\n");
}

} // namespace
} // namespace qx
