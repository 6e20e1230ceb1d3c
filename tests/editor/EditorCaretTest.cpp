// Metrics, scrolling, the caret's shape and place, the column rules, and the line-number bar.

#include "EditorFixture.h"

#include "platform/Cp932.h"
#include "platform/VirtualKeyCodes.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {
namespace {

constexpr int W = 8;
constexpr int H = 16;

std::string Lines(int Count)
{
    std::string text;
    for (int i = 0; i < Count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST(EditorScroll, TopRowLimitsWithAndWithoutTopEOF)
{
    HostedEditor e;
    e.SetText(Lines(10));
    const int visible = e->VisibleRows();
    ASSERT_EQ(visible, (480 - 2 - 5) / H);

    // A text shorter than the window cannot be scrolled down.
    e->SetTopRow(5);
    EXPECT_EQ(e->TopRow(), 0);
    e->VScroll(SB_LINEDOWN);
    e->VScroll(SB_PAGEDOWN);
    EXPECT_EQ(e->TopRow(), 0);
    EXPECT_EQ(e.Viewport.Bar(TScrollBarKind::Vertical).Max, 0);  // no bar shown yet

    e->SetScrollBars(ssVertical);
    EXPECT_EQ(e.Viewport.Bar(TScrollBarKind::Vertical).Max, visible);
    EXPECT_EQ(e.Viewport.Bar(TScrollBarKind::Vertical).Page, visible);

    // With TopEOF the last row can be brought to the top.
    e->SetTopEOF(true);
    e->UpdateScrollBars();
    EXPECT_EQ(e.Viewport.Bar(TScrollBarKind::Vertical).Max, 10 + visible - 1);
    e->SetTopRow(9);
    EXPECT_EQ(e->TopRow(), 9);
    e->SetTopRow(100);
    EXPECT_EQ(e->TopRow(), 10);
    e->VScroll(SB_TOP);
    EXPECT_EQ(e->TopRow(), 0);
    e->VScroll(SB_BOTTOM);
    EXPECT_EQ(e->TopRow(), 10);
    EXPECT_EQ(e.Viewport.Bar(TScrollBarKind::Vertical).Pos, 10);
}

// A text that shrinks under the view brings its top back to where SetTopRow and the bar can reach
// (the view never rests past the last row that fills the window, or with TopEOF past the last row),
// and the bar shows the same place.
TEST(EditorScroll, AShrinkingTextPullsTheTopBackWithinTheLimit)
{
    for (const bool topEof : {false, true}) {
        SCOPED_TRACE(topEof);
        HostedEditor e;
        e->SetScrollBars(ssVertical);
        e->SetTopEOF(topEof);
        e.SetText(Lines(100));
        const int visible = e->VisibleRows();
        e->SetTopRow(100);
        ASSERT_EQ(e->TopRow(), topEof ? 100 : 100 - visible + 1);
        // The last sixty lines go, one edit each, as from another pane.
        for (int i = 0; i < 60; ++i) e->Lines().Delete(e->Lines().Count() - 1);
        const int limit = topEof ? 40 : 40 - visible + 1;
        EXPECT_EQ(e->TopRow(), limit);
        EXPECT_EQ(e.Viewport.Bar(TScrollBarKind::Vertical).Pos, limit);
        e->SetTopRow(limit + 5);
        EXPECT_EQ(e->TopRow(), limit);
    }
}

TEST(EditorScroll, PagesAndScrollsOfPixels)
{
    HostedEditor e;
    e.SetText(Lines(1000));
    const int visible = e->VisibleRows();
    e.Viewport.Scrolls.clear();
    e->VScroll(SB_PAGEDOWN);
    EXPECT_EQ(e->TopRow(), visible);
    ASSERT_EQ(e.Viewport.Scrolls.size(), 1u);
    EXPECT_EQ(e.Viewport.Scrolls[0].DY, -visible * H);
    EXPECT_EQ(e.Viewport.Scrolls[0].Area.Top, e->TextAreaTop());

    // A jump of more than a screen moves no pixel beyond the window: everything is repainted.
    e->SetTopRow(500);
    EXPECT_EQ(e.Viewport.Scrolls.back().DY, -(visible + 1) * H);

    // One visible row: a page is still one row.
    e.Viewport.Height = 2 + H + 5;
    e->Resize();
    ASSERT_EQ(e->VisibleRows(), 1);
    e->VScroll(SB_PAGEDOWN);
    EXPECT_EQ(e->TopRow(), 501);
}

TEST(EditorScroll, ScrollRowsKeepCaretKeepsTheCaretsPlaceOnTheScreen)
{
    HostedEditor e;
    e.Viewport.HasFocus = true;
    e.SetText(Lines(1000));
    e->SetRowCol(10, 2);
    e->ScrollRowsKeepCaret(e->VisibleRows());
    EXPECT_EQ(e->TopRow(), e->VisibleRows());
    EXPECT_EQ(e->Row(), 10 + e->VisibleRows());
    e->SetTopRow(0);
    e->SetRowCol(3, 0);
    e->ScrollRowsKeepCaret(-5);
    EXPECT_EQ(e->Row(), 0);
    EXPECT_EQ(e->TopRow(), 0);
}

// A pane narrower than one column, or a font without width, still has one column and a sane range.
TEST(EditorScroll, NarrowPaneAndZeroWidthKeepOneColumn)
{
    HostedEditor e;
    e->SetScrollBars(ssBoth);
    e.Viewport.Width = 20;
    e->Resize();
    EXPECT_EQ(e->VisibleCols(), 1);
    const FakeScrollBar& bar = e.Viewport.Bar(TScrollBarKind::Horizontal);
    EXPECT_GE(bar.Max, bar.Min + bar.Page);
    e->HScroll(SB_PAGEDOWN);
    EXPECT_EQ(e->TopCol(), 1);

    e.Viewport.Metrics.AveCharWidth = 0;
    e->Margin().SetTop(3);  // re-measures
    EXPECT_EQ(e->ColWidth(), 0);
    EXPECT_EQ(e->VisibleCols(), 1);
    int col = -1, row = -1;
    e->PosToRowCol(100, 100, true, col, row);
    EXPECT_GE(col, 0);
    e.Paint();
}

TEST(EditorScroll, PosToRowColFloorsLeftOfTheTextArea)
{
    HostedEditor e;
    e.SetText(Lines(50));
    e->SetTopCol(5);
    const int left = e->TextAreaLeft();
    int col, row;
    e->PosToRowCol(left - 1, e->TextAreaTop(), false, col, row);
    EXPECT_EQ(col, 4);
    e->PosToRowCol(left + W / 2, e->TextAreaTop() + H, true, col, row);
    EXPECT_EQ(col, 5);
    e->PosToRowCol(left + W / 2 + 1, e->TextAreaTop() + H, true, col, row);
    EXPECT_EQ(col, 6);  // the right half of a cell gives the next column
    EXPECT_EQ(row, 1);
    e->SetTopCol(0);
    e->PosToRowCol(left - 1, e->TextAreaTop(), false, col, row);
    EXPECT_EQ(col, 0);
}

struct CaretCase {
    TEditorCaretStyle style;
    bool overwrite;
    bool wide;  // the caret stands on a double-byte character
    int width, height, dy;
};

TEST(EditorCaret, ShapeFollowsStyleModeAndCell)
{
    const CaretCase cases[] = {
        {csDefault, false, false, 2, H, 0},      {csDefault, false, true, 2, H, 0},
        {csBrief, false, false, W, 2, H - 2},    {csBrief, false, true, 2 * W, 2, H - 2},
        {csDos, false, false, W, H / 2, H / 2},  {csDos, false, true, 2 * W, H / 2, H / 2},
        {csDefault, true, false, W, H, 0},       {csDefault, true, true, 2 * W, H, 0},
        {csBrief, true, true, 2 * W, H, 0},      {csDos, true, false, W, H, 0},
    };
    for (const CaretCase& c : cases) {
        HostedEditor e;
        e.Viewport.HasFocus = true;
        e->FocusIn();
        e.SetText(Utf8ToCp932("aあb"));
        e->Caret().SetStyle(c.style);
        e->SetOverWrite(c.overwrite);
        e->SetRowCol(0, c.wide ? 1 : 0);
        const TRect caret = e.Viewport.Caret;
        const std::string label = std::to_string(c.style) + (c.overwrite ? " overwrite" : " insert") + (c.wide ? " wide" : "");
        EXPECT_TRUE(e.Viewport.CaretShown) << label;
        EXPECT_EQ(caret.Width(), c.width) << label;
        EXPECT_EQ(caret.Height(), c.height) << label;
        EXPECT_EQ(caret.Left, e->TextAreaLeft() + (c.wide ? W : 0)) << label;
        EXPECT_EQ(caret.Top, e->TextAreaTop() + c.dy) << label;
    }
}

TEST(EditorCaret, BlinksByTheClockAndHidesWithoutFocus)
{
    HostedEditor e;
    e.Viewport.HasFocus = true;
    e->FocusIn();
    ASSERT_TRUE(e.Clock.Timers.count(CaretBlinkTimer));
    EXPECT_TRUE(e.Viewport.CaretShown);
    e->Timer(CaretBlinkTimer);
    EXPECT_FALSE(e.Viewport.CaretShown);
    e->Timer(CaretBlinkTimer);
    EXPECT_TRUE(e.Viewport.CaretShown);
    e->Timer(CaretBlinkTimer);
    e.SetText("abc");
    e->SetRowCol(0, 2);  // a move shows the caret at once
    EXPECT_TRUE(e.Viewport.CaretShown);
    e.Viewport.HasFocus = false;
    e->FocusOut();
    EXPECT_FALSE(e.Viewport.CaretShown);
    EXPECT_FALSE(e.Clock.Timers.count(CaretBlinkTimer));
}

// Columns of "a\tあb" (tabs of 8): a 0, the tab 1-7 (2-7 its filler), あ 8-9, b 10.
TEST(EditorCaret, AdjustColKeepsTheCaretOnLegalCells)
{
    struct Case {
        int from, to;
        bool inTab, freeCaret;
        int expected;
    };
    const Case cases[] = {
        {0, 3, false, true, 8},     // right into the filler: past the tab
        {8, 9, false, true, 10},    // right onto the second half: past the character
        {10, 9, false, true, 8},    // left onto the second half: its first half
        {8, 5, false, true, 1},     // left into the filler: the tab's first cell
        {8, 5, true, true, 5},      // InTab: inside the tab
        {0, 30, false, true, 30},   // FreeCaret: past the end
        {0, 30, false, false, 11},  // else at the end
        {0, 3000, false, true, 2000},
    };
    for (const Case& c : cases) {
        HostedEditor e;
        e.SetText(Utf8ToCp932("a\tあb"));
        e->Caret().SetInTab(c.inTab);
        e->Caret().SetFreeCaret(c.freeCaret);
        e->SetRowCol(0, c.from);
        e->SetCol(c.to);
        EXPECT_EQ(e->Col(), c.expected) << c.from << " -> " << c.to;
    }
}

TEST(EditorCaret, KeepCaretReturnsToTheRememberedColumn)
{
    HostedEditor e;
    e.SetText(std::string(40, 'x') + "\r\nab\r\n" + std::string(40, 'y') + "\r\n");
    e->Caret().SetFreeCaret(false);
    e->Caret().SetKeepCaret(true);
    e->SetRowCol(0, 30);
    e->SetRow(1);
    EXPECT_EQ(e->Col(), 2);
    e->SetRow(2);
    EXPECT_EQ(e->Col(), 30);
}

// Up and Down keep the column the caret shows in, whatever the characters it moved over along the
// row and the rows it crosses: full-width, half-width, a tab's cells.
TEST(EditorCaret, UpAndDownKeepTheScreenColumn)
{
    const std::string text = Utf8ToCp932("あいうえおかきくけこ\r\nabcdefghijklmnopqrst\r\n\tx\ty\r\nあいうえおかきくけこ\r\n");
    struct Case {
        const char* Name;
        int Row, Rights;  // Home on Row, then Right so many times
        std::vector<int> Keys;
        std::vector<std::pair<int, int>> Expected;  // row, column after each key
    };
    const std::vector<Case> cases = {
        {"from full-width down over half-width, a tab and full-width, and back", 0, 5,
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_UP},
         {{1, 10}, {2, 9}, {3, 10}, {2, 9}, {1, 10}, {0, 10}}},
        {"from half-width at an odd column over full-width and back", 1, 5, {VK_UP, VK_DOWN, VK_DOWN, VK_DOWN},
         {{0, 4}, {1, 5}, {2, 0}, {3, 4}}},
        {"from after the tabs", 2, 3, {VK_UP, VK_UP, VK_DOWN, VK_DOWN, VK_DOWN}, {{1, 16}, {0, 16}, {1, 16}, {2, 16}, {3, 16}}},
    };
    for (const bool keep : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (keep ? ", KeepCaret" : ""));
            HostedEditor e;
            e.SetText(text);
            e->Caret().SetFreeCaret(!keep);
            e->Caret().SetKeepCaret(keep);
            e->SetRowCol(c.Row, 5);
            e->KeyDown(VK_HOME, 0);
            for (int i = 0; i < c.Rights; ++i) e->KeyDown(VK_RIGHT, 0);
            for (std::size_t i = 0; i < c.Keys.size(); ++i) {
                e->KeyDown(c.Keys[i], 0);
                EXPECT_EQ(std::make_pair(e->Row(), e->Col()), c.Expected[i]) << "after key " << i;
            }
        }
    }
}

TEST(EditorCaret, RowIsClampedToTheText)
{
    HostedEditor e;
    e.SetText(Lines(10));
    e->SetRow(-5);
    EXPECT_EQ(e->Row(), 0);
    e->SetRow(1000);
    EXPECT_EQ(e->Row(), 10);  // the empty row after a final line end
    e.SetText("a\r\nb");
    e->SetRow(1000);
    EXPECT_EQ(e->Row(), 1);
}

TEST(EditorCaret, CaretToOffsetCountsLineEndsAsTwo)
{
    HostedEditor e;
    e.SetText("ab\r\n\tc\r\nxyz");
    e->CaretToOffset(0, 4);  // "ab", CR LF: the start of row 1
    EXPECT_EQ(e->Row(), 1);
    EXPECT_EQ(e->Col(), 0);
    e->CaretToOffset(0, 5);  // after the tab
    EXPECT_EQ(e->Col(), 8);
    e->CaretToOffset(0, 100);
    EXPECT_EQ(e->Row(), 2);
    EXPECT_EQ(e->Col(), 3);
}

TEST(EditorCaret, CaretToOffsetLandsWhereAWalkOverTheRowsLandsFromEveryRowAndOffset)
{
    // Wrapped rows (no line end of their own), empty lines, a double-byte character, a tab, and texts
    // with and without a last line end.
    for (const std::string& text : {Utf8ToCp932("abcdefghijklmnopqrstuvwxyz0123\r\n\r\n\tあいうえおかきくけこさしすせそたち\r\nend"),
                                     std::string("0123456789012345678901234567\r\nx\r\n")}) {
        HostedEditor e;
        e->WrapOption().SetWrapByte(20);
        e->SetWordWrap(true);
        e.SetText(text);
        TEditorScreenStrings& rows = e->List();
        const int count = rows.Count();
        ASSERT_GE(count, 3);
        for (int from = 0; from <= count; ++from) {
            for (std::int64_t offset = -1; offset <= e->TextLength() + 3; ++offset) {
                // The walk: each row takes its bytes and 2 for a line end; the text's last row stops it.
                int row = from;
                std::int64_t left = std::max<std::int64_t>(0, offset);
                for (; row < count; ++row) {
                    const int attribute = rows.RowAttributes(row);
                    const std::int64_t length = static_cast<std::int64_t>(rows.Get(row).size()) + (attribute == raEnd ? 2 : 0);
                    if (length > left || attribute == raEof) break;
                    left -= length;
                }
                int col = e->RowDisplayWidth(count);
                if (row < count) {
                    const std::string_view r = rows.Get(row);
                    col = e->DisplayWidth(r.substr(0, static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(r.size())))));
                }
                e->SetRowCol(row, col);  // the caret's own rules (never inside a character) apply to both
                const std::pair<int, int> expected(e->Row(), e->Col());
                e->SetRowCol(0, 0);
                e->CaretToOffset(from, offset);
                ASSERT_EQ(std::make_pair(e->Row(), e->Col()), expected)
                    << "from row " << from << ", offset " << offset;
            }
        }
    }
}

TEST(EditorLeftbar, DigitsGrowWithTheTextAndMoveTheTextArea)
{
    HostedEditor e;
    e->Leftbar().SetVisible(true);
    e.SetText(Lines(50));
    EXPECT_EQ(e->LeftbarDigits(), 4);
    const int left = e->TextAreaLeft();
    e.SetText(Lines(10000));
    EXPECT_EQ(e->LeftbarDigits(), 5);
    EXPECT_EQ(e->TextAreaLeft(), left + W);
    e->Leftbar().SetColumn(8);
    EXPECT_EQ(e->LeftbarDigits(), 8);
}

TEST(EditorLeftbar, NumberTexts)
{
    HostedEditor e;
    e->Leftbar().SetVisible(true);
    e.SetText(Lines(10));
    EXPECT_EQ(e->LeftbarNumberText(7), "   8");
    EXPECT_EQ(e->LeftbarNumberText(10), "  11");  // the row after a final line end
    EXPECT_EQ(e->LeftbarNumberText(11), "");
    e->Leftbar().SetZeroLead(true);
    EXPECT_EQ(e->LeftbarNumberText(7), "0008");
    e->Leftbar().SetZeroBase(true);
    EXPECT_EQ(e->LeftbarNumberText(7), "0007");

    // Numbered by lines under word wrap: only the first row of each line.
    e->Leftbar().SetZeroLead(false);
    e->Leftbar().SetZeroBase(false);
    e->Leftbar().SetShowNumberMode(nmLine);
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e.SetText(std::string(50, 'x') + "\r\nshort\r\n");
    ASSERT_EQ(e->RowCount(), 4);
    EXPECT_EQ(e->LeftbarNumberText(0), "   1");
    EXPECT_EQ(e->LeftbarNumberText(1), "");
    EXPECT_EQ(e->LeftbarNumberText(2), "");
    EXPECT_EQ(e->LeftbarNumberText(3), "   2");
}

TEST(EditorRuler, TicksAndNumbersFollowTheGaugeWhateverTheScroll)
{
    HostedEditor e;
    e->Ruler().SetVisible(true);
    e->Ruler().SetColor(clRed);
    e.SetText(std::string(300, 'x'));
    for (int topCol : {0, 7, 123}) {
        e->SetTopCol(topCol);
        const RecordingCanvas canvas = e.Paint({0, 0, 640, e->RulerHeight()});
        const int x0 = e->TextAreaLeft() - e->TopCol() * W;
        int longTicks = 0, middle = 0;
        for (const CanvasCall& c : canvas.Of(CanvasCall::Line)) {
            if (c.Color != clRed || c.X != c.X2) continue;
            const int col = (c.X - x0) / W;
            ASSERT_EQ((c.X - x0) % W, 0);
            if (c.Y == 0) {
                ++longTicks;
                EXPECT_EQ(col % 10, 0) << topCol;
            } else if (c.Y == 3) {
                ++middle;
                EXPECT_EQ(col % 10, 5) << topCol;
            }
        }
        EXPECT_GT(longTicks, 3);
        EXPECT_GT(middle, 3);
    }
}

} // namespace
} // namespace qx::test
