// Searching the editor's text: hits visited in order both ways, matches across a wrapped row, a line
// end and a chunk's cut, long rows, where the search starts, and how a hit is shown.

#include "EditorFixture.h"

#include "platform/Cp932.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace qx::test {
namespace {

constexpr TEditorSearchOptions Down = soForward | soMatchCase;
constexpr TEditorSearchOptions Up = soMatchCase;

using TPlace = std::pair<int, int>;  // row, display column

struct SearchTest : ::testing::Test {
    HostedEditor e;

    TPlace HitStart() const { return {e.Editor->Selection().StartRow, e.Editor->Selection().StartCol}; }
    TPlace HitEnd() const { return {e.Editor->Selection().EndRow, e.Editor->Selection().EndCol}; }
    // Every hit from the caret on, in the order the search finds them.
    std::vector<TPlace> Walk(std::string_view Pattern, TEditorSearchOptions Options)
    {
        std::vector<TPlace> hits;
        while (e->Search(Pattern, Options)) {
            hits.push_back(HitStart());
            if (hits.size() > 100000) break;
        }
        return hits;
    }
};

// Lines of varying length; "ab" is split over a line end after every seventh one. The text runs past
// several chunks, so the cuts fall at many places relative to the matches.
std::string LinesWithSplitMatches(int Lines, std::vector<TPlace>& Hits)
{
    std::string text;
    for (int i = 0; i < Lines; ++i) {
        std::string line(static_cast<std::size_t>(20 + (i * 37) % 90), 'x');
        if (i % 7 == 3) {
            line.back() = 'a';
            Hits.push_back({i, static_cast<int>(line.size()) - 1});
        }
        if (i % 7 == 4) line.front() = 'b';
        text += line + "\r\n";
    }
    return text;
}

TEST_F(SearchTest, EveryHitIsVisitedInOrderForwardAndBackwardAcrossLineEndsAndChunkCuts)
{
    std::vector<TPlace> hits;
    e.SetText(LinesWithSplitMatches(2500, hits));
    ASSERT_GT(e->List().TextLength(), 2 * 64 * 1024);
    e->SetRowCol(0, 0);
    EXPECT_EQ(Walk("ab", Down | soSkipLineEnds), hits);
    EXPECT_EQ(e->Row(), hits.back().first + 1) << "the hit's end holds the caret";

    std::vector<TPlace> backward(hits.rbegin(), hits.rend());
    e->CleanSelection();
    e->SetRowCol(e->RowCount(), 0);  // the empty row after the final line end
    EXPECT_EQ(Walk("ab", Up | soSkipLineEnds), backward);
    // Without the option no match crosses a line end.
    e->SetRowCol(0, 0);
    EXPECT_FALSE(e->Search("ab", Down));
}

TEST_F(SearchTest, AMatchAcrossAWrappedRowIsFoundBothWaysAndSelectedOverBothRows)
{
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e.SetText(std::string(18, '-') + "needle" + std::string(10, '-'));
    ASSERT_EQ(e->RowCount(), 2);
    e->SetRowCol(0, 0);
    ASSERT_TRUE(e->Search("needle", Down));
    EXPECT_EQ(HitStart(), TPlace(0, 18));
    EXPECT_EQ(HitEnd(), TPlace(1, 4));
    EXPECT_FALSE(e->Search("needle", Down));
    e->CleanSelection();
    e->SetRowCol(1, 10);
    ASSERT_TRUE(e->Search("needle", Up));
    EXPECT_EQ(HitStart(), TPlace(0, 18));
}

TEST_F(SearchTest, AWholeWordIsJudgedOnTheWholeLineAtAWrappedRowsStart)
{
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e.SetText(std::string(20, 'x') + "foo bar");
    ASSERT_EQ(e->RowCount(), 2);
    e->SetRowCol(1, 0);
    EXPECT_FALSE(e->Search("foo", Down | soWholeWord)) << "\"foo\" goes on from \"xxx\"";
    EXPECT_TRUE(e->Search("bar", Down | soWholeWord));
}

TEST_F(SearchTest, LongRowsWithoutAMatchEndAndNoHitLiesOnTheWrongSideOfTheStart)
{
    // One row far longer than a chunk, with a hit near each end.
    const std::string row = "hit" + std::string(200000, 'y') + "hit";
    e.SetText(row + "\r\n" + std::string(20000, 'z'));
    const auto begin = std::chrono::steady_clock::now();
    e->SetRowCol(1, 0);
    EXPECT_FALSE(e->Search("nothing", Down));
    e->SetRowCol(1, 0);
    EXPECT_FALSE(e->Search("nothing", Up));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20)) << "the search ends";

    e->SetRowCol(0, 1000);
    ASSERT_TRUE(e->Search("hit", Up));
    EXPECT_EQ(HitStart(), TPlace(0, 0));
    EXPECT_FALSE(e->Search("hit", Up));
    e->CleanSelection();
    e->SetRowCol(0, 1000);
    // Far past column 2000 and word wrap off: found, but it cannot be shown.
    EXPECT_THROW(e->Search("hit", Down), Exception);
    EXPECT_EQ(e->SelectionState(), 0);
    EXPECT_EQ(e->Col(), 1000) << "the caret stays";
}

TEST_F(SearchTest, AMatchPastColumn2000IsShownWithWordWrapOnAndRefusedWithItOff)
{
    e.SetText(std::string(1998, ' ') + "word");
    e->SetRowCol(0, 0);
    try {
        e->Search("word", Down);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), TEditor::SearchTooLongText);
    }
    e->WrapOption().SetWrapByte(100);
    e->SetWordWrap(true);
    e->SetRowCol(0, 0);
    EXPECT_TRUE(e->Search("word", Down));
}

TEST_F(SearchTest, AMatchIsBroughtIntoViewBothWaysWhileTheFindDialogHasTheFocus)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += i == 120 ? std::string(250, '.') + "needle" + std::string(50, '.') + "\r\n" : "-\r\n";
    e.SetText(text);
    e.Viewport.HasFocus = false;
    for (const TEditorHitStyle style : {hsSelect, hsDraw, hsCaret}) {
        SCOPED_TRACE(style);
        e->SetHitStyle(style);
        e->CleanSelection();
        e->SetRowCol(0, 0);
        e->SetTopRow(0);
        e->SetTopCol(0);
        ASSERT_TRUE(e->Search("needle", Down));
        EXPECT_GE(e->Row(), e->TopRow());
        EXPECT_LT(e->Row(), e->TopRow() + e->VisibleRows());
        EXPECT_GE(250, e->TopCol());
        EXPECT_LT(250, e->TopCol() + e->VisibleCols());
    }
}

TEST_F(SearchTest, ReplaceAllLeavesTheCaretInViewBothWays)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += i == 30 || i == 150 ? std::string(250, '.') + "needle\r\n" : "-\r\n";
    e.SetText(text);
    e.Viewport.HasFocus = false;
    for (const TEditorSearchOptions way : {Down, Up}) {
        SCOPED_TRACE(way);
        // Forward from the top the caret ends after the last replacement, backward from the end at the
        // first.
        e->SetRowCol(way == Down ? 0 : 199, 0);
        e->SetTopRow(way == Down ? 0 : 180);
        e->SetTopCol(0);
        ASSERT_EQ(e->ReplaceAll("needle", "pin", way), 2);
        EXPECT_EQ(e->Row(), way == Down ? 150 : 30);
        EXPECT_GE(e->Row(), e->TopRow());
        EXPECT_LT(e->Row(), e->TopRow() + e->VisibleRows());
        EXPECT_GE(e->Col(), e->TopCol());
        EXPECT_LT(e->Col(), e->TopCol() + e->VisibleCols());
        e->Undo();
    }
}

TEST_F(SearchTest, NothingToFindChangesNothing)
{
    EXPECT_FALSE(e->Search("a", Down));  // no text
    e.SetText("abc");
    e->SetRowCol(0, 1);
    EXPECT_FALSE(e->Search("", Down));
    EXPECT_FALSE(e->Search("x", Down));
    EXPECT_FALSE(e->Search("a", Down));  // behind the caret
    EXPECT_EQ(e->SelectionState(), 0);
    EXPECT_EQ(TPlace(e->Row(), e->Col()), TPlace(0, 1));
}

TEST_F(SearchTest, HitsAreShownInDisplayColumnsAsTheHitStyleSays)
{
    e.SetText("\t" + Utf8ToCp932("あa検索b"));
    e.Viewport.HasFocus = true;  // hsCaret puts the caret back on the hit's start only in a focused window
    e->FocusIn();
    struct Case {
        TEditorHitStyle Style;
        int State;
        TPlace Caret;
    };
    for (const Case& c : {Case{hsSelect, 2, {0, 15}}, Case{hsDraw, 3, {0, 15}}, Case{hsCaret, 3, {0, 11}}}) {
        e->SetHitStyle(c.Style);
        e->CleanSelection();
        e->SetRowCol(0, 0);
        ASSERT_TRUE(e->Search(Utf8ToCp932("検索"), Down)) << c.Style;
        EXPECT_EQ(HitStart(), TPlace(0, 11));
        EXPECT_EQ(HitEnd(), TPlace(0, 15));
        EXPECT_EQ(e->SelectionState(), c.State);
        EXPECT_EQ(TPlace(e->Row(), e->Col()), c.Caret);
    }
}

TEST_F(SearchTest, AHitStartsAtTheCaretSoItsAnchorIsTheMatchsStart)
{
    e.SetText("one needle two\r\nneedle three");
    // A selected hit is an ordinary selection anchored at the match's start: a Shift move extends it
    // from there, whichever way the search went.
    for (const TEditorSearchOptions direction : {Down, Up}) {
        e->CleanSelection();
        e->SetRowCol(direction == Down ? 0 : 1, direction == Down ? 0 : 12);
        ASSERT_TRUE(e->Search("needle", direction));
        const int row = e->Selection().StartRow;
        EXPECT_EQ(e->SelText(), "needle");
        EXPECT_EQ(TPlace(e->Row(), e->Col()), TPlace(row, e->Selection().EndCol));
        e->SetRowCol(row, e->Col() + 4);  // Shift+Right four times
        e->UpdateSelection();
        EXPECT_EQ(e->SelText(), direction == Down ? "needle two" : "needle thr");
        e->SetRowCol(row, e->Selection().StartCol - 2);  // back over the anchor
        e->UpdateSelection();
        EXPECT_EQ(e->SelText(), direction == Down ? "e " : "");
    }

    // A drawn hit is no selected text, and the next search steps past it.
    e->SetHitStyle(hsDraw);
    e->CleanSelection();
    e->SetRowCol(0, 0);
    ASSERT_TRUE(e->Search("needle", Down));
    EXPECT_EQ(e->SelectionState(), 3);
    EXPECT_EQ(e->SelText(), "");
    ASSERT_TRUE(e->Search("needle", Down));
    EXPECT_EQ(HitStart(), TPlace(1, 0));

    // hsCaret: the hit is drawn, nothing is selected, and a block caret as wide as the match stands
    // on its start; searching on steps from hit to hit.
    e.Viewport.HasFocus = true;
    e->FocusIn();
    e->SetHitStyle(hsCaret);
    e->CleanSelection();
    e->SetRowCol(0, 0);
    for (const TPlace& expected : {TPlace(0, 4), TPlace(1, 0)}) {
        ASSERT_TRUE(e->Search("needle", Down));
        EXPECT_EQ(TPlace(e->Row(), e->Col()), expected);
        EXPECT_EQ(e->SelectionState(), 3);
        EXPECT_EQ(e->SelText(), "");
        EXPECT_FALSE(e->IsInSelection(expected.first, expected.second + 1));
        EXPECT_EQ(e->CaretRect().Width(), 6 * e->ColWidth());
    }
    EXPECT_FALSE(e->Search("needle", Down));
}

TEST_F(SearchTest, TheOptionsReachTheBufferSearch)
{
    e.SetText(Utf8ToCp932("Foo ｶﾞｲﾄﾞ\r\nＦＯＯ"));
    e->SetRowCol(0, 0);
    EXPECT_EQ(Walk("foo", soForward).size(), 1u) << "either case";
    e->CleanSelection();
    e->SetRowCol(0, 0);
    EXPECT_EQ(Walk("foo", soForward | soIgnoreWidth).size(), 2u) << "and either width";
    e->CleanSelection();
    e->SetRowCol(0, 0);
    EXPECT_EQ(Walk("foo", soForward | soMatchCase).size(), 0u);
    e->SetRowCol(0, 0);
    EXPECT_EQ(Walk(Utf8ToCp932("ガイド"), soForward | soIgnoreWidth).size(), 1u);
}

} // namespace
} // namespace qx::test
