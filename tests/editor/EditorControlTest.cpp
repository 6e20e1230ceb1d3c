// The editing control as a whole: its parts and defaults, sharing one text between two views, option
// changes, the fountain in use, row marks, and the row store seen through its base classes.

#include "EditorFixture.h"

#include "editor/EditorFountain.h"
#include "editor/EditorWrap.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

TEST(EditorControl, DefaultsOfANewControl)
{
    HostedEditor e(false);
    EXPECT_EQ(e->Color(), clWhite);
    EXPECT_EQ(e->Font().Name, "FixedSys");
    EXPECT_EQ(e->Font().Color, clBlack);
    EXPECT_EQ(e->BorderStyle(), bsSingle);
    EXPECT_EQ(e->ScrollBars(), ssNone);
    EXPECT_EQ(e->HitStyle(), hsSelect);
    EXPECT_TRUE(e->WantReturns());
    EXPECT_TRUE(e->WantTabs());
    EXPECT_FALSE(e->WordWrap());
    EXPECT_FALSE(e->TopEOF());
    EXPECT_EQ(e->UndoListMax(), 64);
    EXPECT_EQ(e->Fountain(), nullptr);
    EXPECT_EQ(e->ActiveFountain(), &e->View().Fountain());
    EXPECT_EQ(e->RowCount(), 0);
}

// Word ends through the column description of a row: '2' marks a delimiter.
TEST(EditorControl, WordDelimitersOfTheControl)
{
    HostedEditor e(false);
    TRowLayout layout;
    layout.Delimiters = e->Delimiters();
    // a _ , 0 ( ~ 0x7F 0x80 0xA0 0xA5 0xA6 (half-width katakana) 0xDF 0xFD
    const std::string row = "a_,0(~\x7F\x80\xA0\xA5\xA6\xDF\xFD";
    EXPECT_EQ(RowAttributeString(row, layout), "1121222222112");
}

TEST(EditorControl, SharedTextEditsShowInBothViewsAndLiveUntilTheLastView)
{
    auto a = Construct<TEditor>();
    auto b = Construct<TEditor>();
    a->Lines().SetText("one\r\ntwo\r\n");
    b->ShareList(a.get());
    std::weak_ptr<TEditorScreenStrings> store = a->SharedList();
    EXPECT_EQ(a->SharedList(), b->SharedList());
    EXPECT_EQ(b->Lines().Text(), "one\r\ntwo\r\n");

    a->Lines().Put(0, "ONE");
    EXPECT_EQ(b->RowString(0), "ONE");
    EXPECT_TRUE(b->CanUndo());

    // Each view keeps its own caret.
    a->SetRowCol(1, 2);
    EXPECT_EQ(b->Row(), 0);

    a.reset();
    ASSERT_FALSE(store.expired());
    b->Lines().Add("three");
    EXPECT_EQ(b->Lines().Text(), "ONE\r\ntwo\r\nthree\r\n");
    b->Undo();
    EXPECT_EQ(b->Lines().Text(), "ONE\r\ntwo\r\n");
    b.reset();
    EXPECT_TRUE(store.expired());
}

TEST(EditorControl, SharingTheTextAViewAlreadyShowsChangesNothing)
{
    auto a = Construct<TEditor>();
    auto b = Construct<TEditor>();
    a->Lines().SetText("abc\r\ndef");
    b->ShareList(a.get());
    a->Lines().Put(1, "xyz");
    b->SetRowCol(1, 2);
    const auto store = a->SharedList();

    a->ShareList(a.get());
    b->ShareList(a.get());
    a->ShareList(b.get());
    b->ShareList(nullptr);
    EXPECT_EQ(a->SharedList(), store);
    EXPECT_EQ(b->SharedList(), store);
    EXPECT_EQ(store->Views().size(), 2u);
    EXPECT_EQ(a->Lines().Text(), "abc\r\nxyz\r\n");
    EXPECT_TRUE(a->CanUndo());
    EXPECT_EQ(b->Row(), 1);
    EXPECT_EQ(b->Col(), 2);
}

TEST(EditorControl, UndoLimitIsSharedAndNeverBelow64)
{
    auto a = Construct<TEditor>();
    auto b = Construct<TEditor>();
    b->ShareList(a.get());
    a->SetUndoListMax(10);
    EXPECT_EQ(a->UndoListMax(), 64);
    EXPECT_EQ(b->UndoListMax(), 64);
    b->SetUndoListMax(200);
    EXPECT_EQ(a->UndoListMax(), 200);
}

TEST(EditorControl, TheUnderlineAddsOnePixelRowToEachRow)
{
    HostedEditor e;
    const int plain = e->RowHeight();
    EXPECT_EQ(plain, 16);
    e->Marks().Underline().SetVisible(true);
    EXPECT_EQ(e->RowHeight(), plain + 1);
    e->Margin().SetLine(3);
    EXPECT_EQ(e->RowHeight(), plain + 4);
    e->Marks().Underline().SetVisible(false);
    EXPECT_EQ(e->RowHeight(), plain + 3);
}

TEST(EditorControl, ADestroyedFountainLeavesTheControlWithItsOwn)
{
    HostedEditor e;
    e.SetText("int x; /* note */\r\n");
    auto fountain = Construct<TEditorFountain>();
    fountain->Colors().Int().SetColor(clRed);
    e->SetFountain(fountain.get());
    EXPECT_EQ(e->ActiveFountain(), fountain.get());
    EXPECT_EQ(fountain->NotifyEventList().List.Count(), 1);

    fountain.reset();
    EXPECT_EQ(e->Fountain(), nullptr);
    EXPECT_EQ(e->ActiveFountain(), &e->View().Fountain());
    const RecordingCanvas canvas = e.Paint();
    EXPECT_FALSE(canvas.TextsWith("int x;").empty());

    // A control that goes first takes itself off the fountain's list.
    auto other = Construct<TEditorFountain>();
    {
        HostedEditor f;
        f->SetFountain(other.get());
    }
    EXPECT_EQ(other->NotifyEventList().List.Count(), 0);
}

// Two views of one text with different fountains: the lexer states come from the main view's
// fountain, whose bracket pairs the other fountain does not have.
TEST(EditorControl, AViewWhoseFountainHasFewerBracketPairsPaintsSafely)
{
    HostedEditor a;
    HostedEditor b;
    auto many = Construct<TEditorFountain>();
    for (const char* pair : {"[[", "((", "{{", "<<"}) {
        TFountainBracketItem* item = many->Brackets().AddBracket();
        item->SetLeftBracket(pair);
        item->SetRightBracket(">>");
    }
    auto none = Construct<TEditorFountain>();
    a->SetFountain(many.get());
    b->ShareList(a.Editor.get());
    b->SetFountain(none.get());
    a.SetText("<< open\r\nstill inside\r\n>> closed\r\n");
    ASSERT_EQ(a->List().RowAttributeData(1).BracketIndex, 3);
    const RecordingCanvas canvas = b.Paint();
    EXPECT_FALSE(canvas.TextsWith("still inside").empty());
}

TEST(EditorControl, RowMarksZeroToNineAreUniqueTenToFifteenMany)
{
    HostedEditor e;
    e.SetText("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
    e->PutRowMark(5, 3);
    e->PutRowMark(9, 3);
    EXPECT_EQ(e->RowMarks(5), 0);
    EXPECT_EQ(e->RowMarks(9), 1 << 3);
    EXPECT_EQ(e->FindRowMark(3), 9);

    e->PutRowMark(5, 12);
    e->PutRowMark(9, 12);
    EXPECT_EQ(e->RowMarks(5), 1 << 12);
    EXPECT_EQ(e->RowMarks(9), (1 << 3) | (1 << 12));
    EXPECT_EQ(e->FindRowMark(12), 5);

    // An index before the text only takes the mark away; one past it changes nothing more.
    e->PutRowMark(-1, 3);
    EXPECT_EQ(e->FindRowMark(3), -1);
    EXPECT_FALSE(e->RowMarkExists(3));
    e->PutRowMark(2, 4);
    e->PutRowMark(100, 4);
    EXPECT_EQ(e->FindRowMark(4), -1);

    e->DeleteRowMark(5, 12);
    EXPECT_EQ(e->FindRowMark(12), 9);
    e->DeleteRowMark(9, 12);
    EXPECT_FALSE(e->RowMarkExists(12));
}

TEST(EditorControl, MarkNumbersOutsideZeroToFifteenAreIgnored)
{
    HostedEditor e;
    e.SetText("a\r\nb\r\n");
    for (int mark : {-1, 16, 31, 40, -32}) {
        e->PutRowMark(0, mark);
        e->DeleteRowMark(0, mark);
        e->GotoRowMark(mark);
        EXPECT_FALSE(e->RowMarkExists(mark)) << mark;
        EXPECT_EQ(e->FindRowMark(mark), -1) << mark;
    }
    EXPECT_EQ(e->RowMarks(0), 0);
    EXPECT_EQ(e->List().GetMarksInUse(), 0);
}

TEST(EditorControl, GotoRowMarkMovesTheCaretAndCentresARowOutOfView)
{
    HostedEditor e;
    e.Viewport.HasFocus = true;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row " + std::to_string(i) + "\r\n";
    e.SetText(text);
    const int visible = e->VisibleRows();
    ASSERT_GT(visible, 4);
    e->PutRowMark(3, 1);
    e->PutRowMark(150, 2);
    e->PutRowMark(0, 11);

    e->GotoRowMark(1);
    EXPECT_EQ(e->Row(), 3);
    EXPECT_EQ(e->TopRow(), 0);
    e->GotoRowMark(2);
    EXPECT_EQ(e->Row(), 150);
    EXPECT_EQ(e->TopRow(), 150 - visible / 2);
    // A row near the top is centred as far as the top allows.
    e->GotoRowMark(11);
    EXPECT_EQ(e->Row(), 0);
    EXPECT_EQ(e->TopRow(), 0);
}

// The store keeps its line and offset index whatever face of it a row is written through.
TEST(EditorControl, RowWritesThroughTheBaseListsKeepLengthAndLines)
{
    HostedEditor e;
    e.SetText("ab\r\ncd\r\nef");
    TEditorScreenStrings& store = e->List();
    ASSERT_EQ(store.TextLength(), 10);
    ASSERT_EQ(store.LineCount(), 3);

    TRowAttributeStringList& attributes = store;
    attributes.SetRowAttributes(0, raWrapped);  // "ab" now runs on into "cd"
    EXPECT_EQ(store.TextLength(), 8);
    EXPECT_EQ(store.LineCount(), 2);

    TRowStringList& rows = store;
    rows.Put(1, "cdxyz");
    EXPECT_EQ(store.TextLength(), 11);
    rows.SetAttrWord(2, (rows.AttrWord(2) & ~3u) | raEnd);
    EXPECT_EQ(store.TextLength(), 13);
    EXPECT_EQ(store.LineCount(), 2);

    attributes.SetRowMarks(1, 1 << 7);
    EXPECT_TRUE(e->RowMarkExists(7));
    EXPECT_EQ(e->FindRowMark(7), 1);
}

// The guide line's look is no rule of the wrap: changing it, or assigning the rules in force, keeps
// the rows and the undo history.
TEST(EditorControl, GuideLineLookAndEqualRulesKeepRowsAndUndo)
{
    HostedEditor e;
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e.SetText("0123456789012345678901234567890123456789\r\n");
    e->Lines().Add("more");
    ASSERT_TRUE(e->CanUndo());
    const int rows = e->RowCount();
    ASSERT_EQ(rows, 4);

    e->WrapOption().SetWrapLineColor(clRed);
    e->WrapOption().SetWrapLineVisible(true);
    TEditorWrapOption same;
    same.Assign(e->WrapOption());
    same.SetWrapLineColor(clBlue);
    e->SetWrapOption(same);
    EXPECT_TRUE(e->CanUndo());
    EXPECT_EQ(e->RowCount(), rows);
    EXPECT_EQ(e->WrapOption().WrapLineColor(), clRed);

    // A new rule lays the text out anew.
    same.SetWrapByte(30);
    e->SetWrapOption(same);
    EXPECT_EQ(e->RowString(0), "012345678901234567890123456789");
    EXPECT_FALSE(e->CanUndo());
}

TEST(EditorControl, OptionChangesRemeasureAndRepaint)
{
    HostedEditor e;
    e.Viewport.Invalidated.clear();
    const int left = e->TextAreaLeft();
    e->Margin().SetLeft(40);
    EXPECT_EQ(e->TextAreaLeft(), left - 19 + 40);
    EXPECT_FALSE(e.Viewport.Invalidated.empty());
    e->Ruler().SetVisible(true);
    EXPECT_EQ(e->TextAreaTop(), 2 + 14);
    e->Ruler().SetEdge(false);
    EXPECT_EQ(e->TextAreaTop(), 2 + 13);
}

TEST(EditorControl, AFontChangeBringsAViewScrolledSidewaysBackToTheLeft)
{
    for (const bool focused : {false, true}) {
        SCOPED_TRACE(focused);
        HostedEditor e;
        e.Viewport.HasFocus = focused;
        e.SetText(std::string(300, 'x') + "\r\nshort\r\n");
        e->SetTopCol(150);
        e->SetRowCol(0, 160);
        TFontSpec font = e->Font();
        font.Size += 4;
        e->SetFont(font);
        EXPECT_EQ(e->Col(), 0);
        EXPECT_EQ(e->TopCol(), 0);
        // Unscrolled, the caret keeps its column.
        e->SetRowCol(0, 20);
        font.Size += 2;
        e->SetFont(font);
        EXPECT_EQ(e->Col(), 20);
    }
}

TEST(EditorControl, TextChangesRaiseOnChangeAndSetModified)
{
    HostedEditor e;
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->Lines().Add("x");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(e->Modified());
    e->SetRowCol(0, 1);
    e->SetTopRow(0);
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace qx::test
