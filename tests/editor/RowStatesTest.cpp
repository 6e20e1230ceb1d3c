// The lexer-state pass of the row store and the repaint rules after an edit.

#include "editor/EditorScreen.h"
#include "editor/EditorScreenStrings.h"

#include "EditorFixture.h"
#include "FakeEditorView.h"
#include "editor/EditorFountain.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

// A text of 100 rows "a" shown by a view of 5 rows, coloured by a fountain with the bracket pair /* */.
struct LexedText : qx::test::ViewedText {
    std::unique_ptr<TEditorFountain> fountain = Construct<TEditorFountain>(nullptr);
    LexedText()
    {
        TFountainBracketItem* pair = fountain->Brackets().AddBracket();
        pair->SetLeftBracket("/*");
        pair->SetRightBracket("*/");
        view.Visible = 5;
        view.Fountain = fountain.get();
        std::string text;
        for (int i = 0; i < 100; ++i) text += "a\r\n";
        lines.SetText(text);
    }
    ~LexedText() { view.Fountain = nullptr; }
    std::vector<int> Brackets(int from, int to) const
    {
        std::vector<int> out;
        for (int r = from; r <= to; ++r) out.push_back(rows->BracketIndexes(r));
        return out;
    }
};

std::size_t LexedBytes = 0;  // the text the counting parsers were started on

struct CountingParser : TEditorParser {
    using TEditorParser::TEditorParser;
    void StartRow(std::string_view Text, const TRowAttributeData& State) override
    {
        LexedBytes += Text.size();
        TEditorParser::StartRow(Text, State);
    }
};

struct CountingFountain : TEditorFountain {
    using TEditorFountain::TEditorFountain;
    TFountainParserClass GetParserClass() override
    {
        return [](TFountain* Fountain) -> std::unique_ptr<TFountainParser> { return std::make_unique<CountingParser>(Fountain); };
    }
};

// A text shown 5 rows high, coloured by a fountain with the pair /* */ that counts what it lexes.
struct CountedText : qx::test::ViewedText {
    std::unique_ptr<CountingFountain> fountain = Construct<CountingFountain>(nullptr);
    explicit CountedText(std::string_view Text)
    {
        TFountainBracketItem* pair = fountain->Brackets().AddBracket();
        pair->SetLeftBracket("/*");
        pair->SetRightBracket("*/");
        view.Visible = 5;
        view.Fountain = fountain.get();
        lines.SetText(Text);
    }
    ~CountedText() { view.Fountain = nullptr; }
    void LexAll()
    {
        while (rows->LexAhead(1 << 20)) {}
    }
};

// Every row's state as a lex from the top gives it: a fresh store of the same text, lexed through.
void ExpectStatesAsFromTheTop(CountedText& T)
{
    T.LexAll();
    CountedText fresh(T->GetRowsText(0, T->Count()).Text);
    fresh.LexAll();
    ASSERT_EQ(T->Count(), fresh->Count());
    for (int r = 0; r < T->Count(); ++r) EXPECT_TRUE(SameRowState(T->RowState(r), fresh->RowState(r))) << "row " << r;
}

} // namespace

// Typing on a short row under a long one starts from the short row's own state; typing on the long row
// lexes none of it, leaving the state under it unsure until the idle slices reach it.
TEST(RowStates, AnEditUnderALongRowNeverLexesItAgainAndTheStatesEndAsALexFromTheTop)
{
    const std::string longRow = "/*" + std::string(100000, 'a');
    std::string text = longRow + "\r\n\r\n";
    for (int i = 0; i < 30; ++i) text += i == 10 ? "*/\r\n" : "b\r\n";
    CountedText t(text);
    t.LexAll();
    ASSERT_EQ(t->BracketIndexes(5), 0);

    LexedBytes = 0;
    t->UpdateText(1, 1, "x\r\n");
    EXPECT_LT(LexedBytes, 100u);
    EXPECT_EQ(t->TrustedStateRows(), t->Count());
    ExpectStatesAsFromTheTop(t);

    LexedBytes = 0;
    t->UpdateText(0, 1, longRow.substr(2) + "\r\n");  // the pair opens no more
    EXPECT_EQ(LexedBytes, 0u);
    EXPECT_EQ(t->TrustedStateRows(), 1);
    ExpectStatesAsFromTheTop(t);
    EXPECT_EQ(t->BracketIndexes(5), -1);

    // A keystroke put into the long row in place: the same, and undone to the bytes it replaced.
    LexedBytes = 0;
    ASSERT_TRUE(t->InsertInRow(0, 0, "/*"));
    EXPECT_EQ(LexedBytes, 0u);
    EXPECT_EQ(t->Get(0), longRow);
    ExpectStatesAsFromTheTop(t);
    EXPECT_EQ(t->BracketIndexes(5), 0);
    t->Undo();
    EXPECT_EQ(t->Get(0), longRow.substr(2));
    ExpectStatesAsFromTheTop(t);
}

// The state of a row far below the lexed ones is not lexed for a paint: it is guessed, and comes right
// (its row repainted) when the slices of lexing ahead reach it.
TEST(RowStates, AStateFarBelowTheLexedRowsIsGuessedUntilTheLexingAheadReachesIt)
{
    std::string text = "/*\r\n";
    for (int i = 0; i < 4000; ++i) text += std::string(99, 'c') + "\r\n";
    CountedText t(text);
    ASSERT_EQ(t->StateRows(), 11);
    LexedBytes = 0;
    EXPECT_EQ(t->RowAttributeData(3990).BracketIndex, biNone) << "the top's state as the guess";
    EXPECT_EQ(LexedBytes, 0u);
    EXPECT_EQ(t->StateRows(), 11);
    t.view.RepaintedRows.clear();
    ExpectStatesAsFromTheTop(t);
    EXPECT_EQ(t->RowAttributeData(3990).BracketIndex, 0);
    EXPECT_EQ(t.view.RepaintedRows.size(), 4001u - 11u);
}

// The control lexes ahead on its clock, after a pause and then between events, and stops its timer when
// every row is lexed.
TEST(RowStates, TheControlLexesAheadOnItsClockUntilEveryRowIsLexed)
{
    qx::test::HostedEditor e;
    std::string text;
    for (int i = 0; i < 40000; ++i) text += "row /* of */ text\r\n";
    e.SetText(text);
    ASSERT_LT(e->List().TrustedStateRows(), e->RowCount());
    ASSERT_TRUE(e.Clock.Timers.count(LexTimer));
    EXPECT_EQ(e.Clock.Timers[LexTimer], LexPause) << "lexing ahead waits for a pause in the requests";
    e->Timer(LexTimer);
    ASSERT_TRUE(e.Clock.Timers.count(LexTimer));
    EXPECT_EQ(e.Clock.Timers[LexTimer], 0) << "then goes on between events";
    int slices = 0;
    while (e.Clock.Timers.count(LexTimer) && slices < 100) {
        e->Timer(LexTimer);
        ++slices;
    }
    EXPECT_FALSE(e.Clock.Timers.count(LexTimer));
    EXPECT_EQ(e->List().TrustedStateRows(), e->RowCount());
}

TEST(RowStates, InitLexesTwoScreensBelowTheTop)
{
    LexedText t;
    EXPECT_EQ(t.rows->StateRows(), 11);
    EXPECT_EQ(t.Brackets(9, 12), (std::vector<int>{-1, -1, -2, -2}));
    t.view.Top = 50;
    t.rows->InitRowStates();
    EXPECT_EQ(t.rows->StateRows(), 61);
    EXPECT_EQ(t.rows->BracketIndexes(60), -1);
    EXPECT_EQ(t.rows->BracketIndexes(61), -2);
}

TEST(RowStates, AnEditRelexesUntilTheStatesAgreeOrTwoScreensAhead)
{
    LexedText t;
    t.view.RepaintedRows.clear();
    t.view.Ranges.clear();
    // An opening bracket on row 2: every row after it is inside the pair, as far as the pass goes.
    t.rows->UpdateText(2, 1, "/*\r\n");
    EXPECT_EQ(t.Brackets(2, 14), (std::vector<int>{-1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -2, -2}));
    EXPECT_EQ(t.rows->StateRows(), 13);
    ASSERT_EQ(t.view.Ranges.size(), 1u);
    EXPECT_EQ(t.view.Ranges[0].StateRowCount, 11);  // rows 2..12
    EXPECT_EQ(t.view.RepaintedRows.front(), 2);
    EXPECT_EQ(t.view.RepaintedRows.back(), 12);

    // Closing it on row 4: rows 5 on go back to no bracket.
    t.rows->UpdateText(4, 1, "*/\r\n");
    EXPECT_EQ(t.Brackets(3, 6), (std::vector<int>{0, 0, -1, -1}));

    // An edit that changes no state stops right after the rows it replaced.
    t.view.Ranges.clear();
    t.rows->UpdateText(8, 1, "b\r\n");
    ASSERT_EQ(t.view.Ranges.size(), 1u);
    EXPECT_EQ(t.view.Ranges[0].StateRowCount, 1);  // row 8 is the new row; row 9 keeps its state
}

TEST(RowStates, AnEditBelowTheLexedRowsLexesNothingAboveItAndItsStatesComeOutRightWhenAskedFor)
{
    LexedText t;
    ASSERT_EQ(t.rows->StateRows(), 11);
    t.view.RepaintedRows.clear();
    t.view.Ranges.clear();
    t.rows->UpdateText(50, 1, "/*\r\n");
    EXPECT_EQ(t.rows->StateRows(), 11) << "nothing lexed between the lexed rows and the edit";
    EXPECT_EQ(t.rows->BracketIndexes(30), -2);
    EXPECT_TRUE(t.view.RepaintedRows.empty());
    ASSERT_EQ(t.view.Ranges.size(), 1u);
    EXPECT_EQ(t.view.Ranges[0].StateRowCount, 0);
    EXPECT_EQ(t.rows->RowAttributeData(60).BracketIndex, 0) << "inside the pair opened on row 50";
    EXPECT_EQ(t.rows->BracketIndexes(49), -1);
}

TEST(RowStates, StatesAreLexedOnDemandAndFollowRowMoves)
{
    LexedText t;
    t.rows->UpdateText(0, 1, "/*\r\n");
    TRowAttributeData state = t.rows->RowAttributeData(60);
    EXPECT_EQ(state.BracketIndex, 0);
    EXPECT_EQ(t.rows->StateRows(), 61);
    // Deleting rows above the computed ones keeps the rest computed.
    t.rows->UpdateText(20, 5, "");
    EXPECT_EQ(t.rows->StateRows(), 56);
    EXPECT_EQ(t.rows->BracketIndexes(55), 0);
    // A change made around the store forgets them all.
    static_cast<TRowStringList&>(*t.rows).Insert(3, "x");
    EXPECT_EQ(t.rows->StateRows(), 0);
    EXPECT_EQ(t.rows->TextLength(), 96 * 3 + 1);
}

TEST(RowStates, NoFountainNoLexing)
{
    qx::test::ViewedText t;
    t.lines.SetText("a\r\nb");
    t->UpdateText(0, 1, "x\r\n");
    EXPECT_EQ(t->BracketIndexes(0), -2);
    EXPECT_EQ(t->StateRows(), 0);
}

TEST(TEditorScreen, RepaintsChangedRowsAndMovesTheRest)
{
    struct Case {
        const char* name;
        TEditorUpdateRange range;
        bool imagebar;
        TLeftbarNumbers numbers;
        std::vector<std::string> calls;
    };
    // 50 rows, 10 visible from the top.
    const Case cases[] = {
        {"same row count", {5, 2, 0, 2, true}, false, TLeftbarNumbers::None, {"InvalidateRows 5 6"}},
        {"state changes reach further", {5, 1, 4, 1, true}, false, TLeftbarNumbers::None, {"InvalidateRows 5 8"}},
        {"rows added", {5, 1, 0, 3, true}, true, TLeftbarNumbers::None,
         {"InvalidateRows 5 7", "ScrollImagebarRows 6 2", "ScrollTextRows 6 2"}},
        {"rows removed", {5, 3, 0, 0, true}, false, TLeftbarNumbers::Lines,
         {"ScrollTextRows 8 -3", "InvalidateLeftbarRows 5 15"}},
        {"more than a screen", {5, 1, 0, 20, true}, false, TLeftbarNumbers::Rows, {"InvalidateTextArea"}},
        {"at the end of the text", {49, 1, 0, 1, true}, false, TLeftbarNumbers::None, {"InvalidateRows 49 51"}},
        {"invalid range", {5, 1, 0, 3, false}, false, TLeftbarNumbers::Lines, {}},
    };
    for (const Case& c : cases) {
        qx::test::ViewedText t;
        t.view.Visible = 10;
        t.view.Imagebar = c.imagebar;
        t.view.Numbers = c.numbers;
        std::string text;
        for (int i = 0; i < 50; ++i) text += "a\r\n";
        t.lines.SetText(text);
        t.view.Calls.clear();
        t->UpdateRange = c.range;
        t.view.Screen.Update(*t.rows);
        EXPECT_EQ(t.view.Calls, c.calls) << c.name;
    }
}

TEST(TEditorScreen, RowNumbersRepaintWhenTheTextEndsInView)
{
    qx::test::ViewedText t;
    t.view.Visible = 10;
    t.view.Numbers = TLeftbarNumbers::Rows;
    t.lines.SetText("a\r\nb\r\nc");
    t.view.Calls.clear();
    t->UpdateText(1, 0, "x\r\n");
    EXPECT_EQ(t.view.Calls,
              (std::vector<std::string>{"InvalidateRows 1 2", "ScrollTextRows 2 1", "InvalidateLeftbarRows 3 11"}));
}
