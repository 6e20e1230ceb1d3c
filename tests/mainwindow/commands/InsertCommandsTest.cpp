#include "mainwindow/commands/InsertCommands.h"

#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::HostedEditor;

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
