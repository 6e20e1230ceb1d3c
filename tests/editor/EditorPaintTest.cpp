// The paint pass, checked cell by cell on the recording canvas: where runs, tokens and marks go and in
// which colours (never glyph shapes).

#include "EditorFixture.h"

#include "editor/EditorFountain.h"
#include "editor/EditorGlyphs.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>

namespace qx::test {
namespace {

// The fake window measures W 8 and H 16; the image bar (12 pixels) and the left margin (19) come
// before the text, the top margin (2) above it.
constexpr int W = 8;
constexpr int H = 16;
constexpr int Left = 19 + 12;
constexpr int Top = 2;

// A control whose selection a test sets directly (the selection commands come with their own code).
class SelectingEditor : public TEditor {
public:
    void Show(TSelectionBounds Bounds, TEditorSelectionMode Mode, int State = 2)
    {
        FSelection = Bounds;
        FSelectionMode = Mode;
        FSelectionState = static_cast<std::uint8_t>(State);
    }
};

struct PaintTest : ::testing::Test {
    HostedEditor e{Construct<SelectingEditor>()};
    SelectingEditor& Selecting() { return static_cast<SelectingEditor&>(*e); }

    // The text runs that draw on row Row.
    static std::vector<CanvasCall> RowTexts(const RecordingCanvas& Canvas, int Row)
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall& c : Canvas.Of(CanvasCall::Text))
            if (c.Y == Top + Row * H) out.push_back(c);
        return out;
    }
    // The lines drawn in Color.
    static std::vector<CanvasCall> LinesIn(const RecordingCanvas& Canvas, TColor Color)
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall& c : Canvas.Of(CanvasCall::Line))
            if (c.Color == Color) out.push_back(c);
        return out;
    }
};

// Each cell is drawn once: neighbouring tokens of one look make one run, each run on its cells.
TEST_F(PaintTest, RowsAreDrawnInRunsOfOneLookOnTheirCells)
{
    e->View().Colors().Ank().SetColor(clRed);
    e.SetText(Utf8ToCp932("aあb"));
    std::vector<std::tuple<std::string, int, TColor>> runs;
    for (const CanvasCall& c : RowTexts(e.Paint(), 0)) runs.emplace_back(c.Bytes, c.X, c.Color);
    EXPECT_EQ(runs, (std::vector<std::tuple<std::string, int, TColor>>{
                        {"a", Left, clRed}, {Utf8ToCp932("あ"), Left + W, clBlack}, {"b", Left + 3 * W, clRed}}));

    // Tokens of the same look join; the background is filled once, under the whole row.
    e.SetText(Utf8ToCp932("あい うえ"));
    const RecordingCanvas canvas = e.Paint();
    const auto row = RowTexts(canvas, 0);
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].Bytes, Utf8ToCp932("あい うえ"));
    EXPECT_EQ(row[0].Options, etoClipped);
}

TEST_F(PaintTest, NoneColoursMeanThePlaceDefaults)
{
    e->SetColor(clAqua);
    e->SetFont({"x", 10, clNavy, {}});
    e->View().Colors().Ank().SetBkColor(clNone);
    e->View().Colors().Ank().SetColor(clNone);
    e.SetText("word");
    const RecordingCanvas canvas = e.Paint();
    const auto runs = RowTexts(canvas, 0);
    ASSERT_EQ(runs.size(), 1u);  // the token equals the defaults: nothing is drawn twice
    EXPECT_EQ(runs[0].Color, clNavy);
    EXPECT_EQ(runs[0].Style.Background, clAqua);
}

TEST_F(PaintTest, EofAndReturnMarks)
{
    e->Marks().EofMark().SetVisible(true);
    e->Marks().EofMark().SetColor(clRed);
    e->Marks().RetMark().SetVisible(true);
    e->Marks().RetMark().SetColor(clBlue);

    e.SetText("");
    auto eof = e.Paint().TextsWith("[EOF]");
    ASSERT_EQ(eof.size(), 1u);
    EXPECT_EQ(eof[0].X, Left);
    EXPECT_EQ(eof[0].Y, Top);
    EXPECT_EQ(eof[0].Color, clRed);

    // A final line end: the return mark after "ab", "[EOF]" on the row after it.
    e.SetText("ab\r\n");
    RecordingCanvas canvas = e.Paint();
    eof = canvas.TextsWith("[EOF]");
    ASSERT_EQ(eof.size(), 1u);
    EXPECT_EQ(eof[0].X, Left);
    EXPECT_EQ(eof[0].Y, Top + H);
    const auto arrow = LinesIn(canvas, clBlue);
    ASSERT_FALSE(arrow.empty());
    EXPECT_EQ(arrow[0].X, Left + 2 * W + W / 2);  // the arrow's shaft in the cell after "ab"
    EXPECT_GE(arrow[0].Y, Top);
    EXPECT_LT(arrow[0].Y2, Top + H);

    // No final line end: "[EOF]" right after the last character, no return mark.
    e.SetText("ab");
    canvas = e.Paint();
    eof = canvas.TextsWith("[EOF]");
    ASSERT_EQ(eof.size(), 1u);
    EXPECT_EQ(eof[0].X, Left + 2 * W);
    EXPECT_EQ(eof[0].Y, Top);
    EXPECT_TRUE(LinesIn(canvas, clBlue).empty());
}

// A row longer than 2000 columns is drawn up to column 2000 and ends with the hide mark; a double-byte
// character that starts in column 1999 is drawn whole.
TEST_F(PaintTest, RowsEndAtColumn2000WithTheHideMark)
{
    e->Marks().HideMark().SetVisible(true);
    e->Marks().HideMark().SetColor(clRed);
    e->Marks().RetMark().SetVisible(true);
    e->Marks().RetMark().SetColor(clBlue);
    const std::string kana = Utf8ToCp932("あ");
    e.SetText(std::string(1999, 'x') + kana + "yy\r\n" + std::string(2001, 'z') + "\r\n");
    e->SetTopCol(MaxColumn);
    const int top = e->TopCol();
    ASSERT_GT(top, 1900);
    const int x0 = Left - top * W;  // the left edge of column 0
    const RecordingCanvas canvas = e.Paint();

    const auto row0 = RowTexts(canvas, 0);
    ASSERT_FALSE(row0.empty());
    const std::string& drawn = row0[0].Bytes;
    EXPECT_EQ(drawn.substr(drawn.size() - 2), kana);  // whole, and nothing of "yy"
    EXPECT_EQ(row0[0].X + static_cast<int>(drawn.size()) * W, x0 + (MaxColumn + 1) * W);
    const auto row1 = RowTexts(canvas, 1);
    ASSERT_FALSE(row1.empty());
    EXPECT_EQ(row1[0].X + static_cast<int>(row1[0].Bytes.size()) * W, x0 + MaxColumn * W);

    // Both rows end with the hide mark (a ">" at the cell after the last drawn one), none with a return.
    const auto hide = LinesIn(canvas, clRed);
    ASSERT_EQ(hide.size(), 4u);
    EXPECT_EQ(hide[1].X, x0 + (MaxColumn + 1) * W + W);
    EXPECT_EQ(hide[3].X, x0 + MaxColumn * W + W);
    EXPECT_TRUE(LinesIn(canvas, clBlue).empty());
}

TEST_F(PaintTest, SelectedPartsAreDrawnInTheSelectionColours)
{
    e->View().Colors().Select().SetBkColor(clNone);
    e->View().Colors().Select().SetColor(clNone);
    e.SetText("0123456789\r\nabcdefghij\r\nABCDEFGHIJ\r\n");
    Selecting().Show({0, 2, 2, 4}, smLine);
    RecordingCanvas canvas = e.Paint();
    // Both selection colours are clNone: inverted (font colour behind, editor colour in front).
    const auto selected = [&](int Row) {
        std::vector<TRect> clips;
        for (const CanvasCall& c : RowTexts(canvas, Row))
            if (c.Style.Background == clBlack && c.Color == clWhite) clips.push_back(c.Rect);
        return clips;
    };
    ASSERT_EQ(selected(0).size(), 1u);
    EXPECT_EQ(selected(0)[0].Left, Left + 2 * W);
    EXPECT_EQ(selected(0)[0].Right, 640);
    ASSERT_EQ(selected(1).size(), 1u);
    EXPECT_EQ(selected(1)[0].Left, Left);
    EXPECT_EQ(selected(1)[0].Right, 640);
    ASSERT_EQ(selected(2).size(), 1u);
    EXPECT_EQ(selected(2)[0].Left, Left);
    EXPECT_EQ(selected(2)[0].Right, Left + 4 * W);

    // A box: only its band on each row; an edge on the second half of "あ" takes the whole character.
    e.SetText(Utf8ToCp932("0123456789\r\nあいうえお\r\nab\r\n"));
    Selecting().Show({0, 3, 2, 7}, smBox);
    canvas = e.Paint();
    ASSERT_EQ(selected(0).size(), 1u);
    EXPECT_EQ(selected(0)[0].Left, Left + 3 * W);
    EXPECT_EQ(selected(0)[0].Right, Left + 7 * W);
    ASSERT_EQ(selected(1).size(), 1u);
    EXPECT_EQ(selected(1)[0].Left, Left + 4 * W);
    EXPECT_EQ(selected(1)[0].Right, Left + 8 * W);
    EXPECT_TRUE(selected(2).empty());  // the box lies right of the short row's end

    // A search hit shows in the hit colours only under hsDraw.
    e->View().Colors().Hit().SetBkColor(clYellow);
    Selecting().Show({0, 0, 0, 3}, smLine, 3);
    canvas = e.Paint();
    for (const CanvasCall& c : RowTexts(canvas, 0)) EXPECT_NE(c.Style.Background, clYellow);
    e->SetHitStyle(hsDraw);
    Selecting().Show({0, 0, 0, 3}, smLine, 3);
    canvas = e.Paint();
    const auto hits = RowTexts(canvas, 0);
    EXPECT_TRUE(std::any_of(hits.begin(), hits.end(), [](const CanvasCall& c) { return c.Style.Background == clYellow; }));
}

// A token cut by the wrap is one token: both its parts are painted in its colour.
TEST_F(PaintTest, ATokenCutByTheWrapKeepsItsColourOnBothRows)
{
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    TEditorColors& colors = e->View().Colors();
    colors.Reserve().SetColor(clBlue);
    colors.Int().SetColor(clRed);
    colors.Comment().SetColor(clGreen);
    e->View().SetCommenter("//");
    TStringList words;
    words.Add("return");
    e->SetReserveWordList(words);
    struct Case {
        const char* line;
        const char* before;  // the token's part at the end of row 0
        const char* after;   // its part at the start of row 1
        TColor color;
    };
    for (const Case& c : {Case{"xxxxxxxxxxxxxxxx return;", "ret", "urn", clBlue},
                          Case{"xxxxxxxxxxxxxxx= 123456;", "123", "456", clRed},
                          Case{"xxxxxxxxxxxxxxxxxxx// note", "/", "/ note", clGreen}}) {
        e.SetText(std::string(c.line) + "\r\n");
        ASSERT_EQ(e->RowCount(), 2) << c.line;
        const RecordingCanvas canvas = e.Paint();
        const auto colored = [&](int Row, const char* Bytes) {
            for (const CanvasCall& run : RowTexts(canvas, Row))
                if (run.Bytes == Bytes && run.Color == c.color) return true;
            return false;
        };
        EXPECT_TRUE(colored(0, c.before)) << c.line;
        EXPECT_TRUE(colored(1, c.after)) << c.line;
    }
}

TEST_F(PaintTest, TheCaretRowUnderlineIsDrawnUnderTheCaretRow)
{
    e->Marks().Underline().SetVisible(true);
    e->Marks().Underline().SetColor(clRed);
    e.SetText("a\r\nb\r\nc\r\n");
    e->SetRowCol(1, 0);
    const auto lines = LinesIn(e.Paint(), clRed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Y, Top + (H + 1) + H);
    EXPECT_EQ(lines[0].X, Left);
}

TEST_F(PaintTest, OnlyTheClippedRowsAndCellsAreHandedToTheCanvas)
{
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(70, static_cast<char>('a' + i % 26)) + "\r\n";
    e.SetText(text);
    const RecordingCanvas canvas = e.Paint({Left + 10 * W + 3, Top + 5 * H + 2, Left + 12 * W, Top + 6 * H});
    const auto runs = canvas.Of(CanvasCall::Text);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Y, Top + 5 * H);
    EXPECT_EQ(runs[0].X, Left + 10 * W);
    EXPECT_EQ(runs[0].Bytes, "ff");
}

TEST_F(PaintTest, TheImageBarShowsTheLowestMarkOfEachKind)
{
    e.SetText("a\r\nb\r\nc\r\n");
    for (int mark : {5, 2, 14, 11}) e->PutRowMark(1, mark);
    const RecordingCanvas canvas = e.Paint({0, 0, Left, 480});
    const auto glyphs = canvas.Of(CanvasCall::Glyph);
    ASSERT_EQ(glyphs.size(), 3u);  // the box and digit of mark 2, the shape of mark 11
    for (const CanvasCall& g : glyphs) EXPECT_EQ(g.Y, Top + H + 2 + (g.Color == RowMarkDigitColor ? 1 : 0));
    EXPECT_EQ(glyphs[0].X, 2);
    EXPECT_EQ(glyphs[0].Color, RowMarkBoxColor);
    EXPECT_EQ(glyphs[1].Color, RowMarkDigitColor);
    EXPECT_EQ(glyphs[1].Rect.Width(), RulerDigitGlyph(2).Width);
    EXPECT_EQ(glyphs[2].X, 2 + 8);
    EXPECT_EQ(glyphs[2].Color, RowMarkGlyphColor(11));
}


// Every call the paint pass makes on a fixture of the shapes its row layout must keep: tabs before and
// after double-byte characters, coloured tokens, a selection,
// a row longer than column 2000 with tabs scrolled to its end, its hide mark, the caret-row underline.
// The expected calls were recorded from the painter as it was before it laid out only the columns a clip
// reaches, and must stay as they were, for the whole client area and for a clip of a few cells.
std::string Dump(const RecordingCanvas& Canvas)
{
    std::string out;
    char line[160];
    for (const CanvasCall& c : Canvas.Calls) {
        std::string bytes;
        for (const char b : c.Bytes) {
            const auto u = static_cast<unsigned char>(b);
            if (u >= 0x20 && u < 0x7F && u != '%') {
                bytes += b;
            } else {
                std::snprintf(line, sizeof line, "%%%02X", u);
                bytes += line;
            }
        }
        std::snprintf(line, sizeof line, "%d [%d %d %d %d] %d %d %d %d %u %06X %06X ", static_cast<int>(c.What),
                      c.Rect.Left, c.Rect.Top, c.Rect.Right, c.Rect.Bottom, c.X, c.Y, c.X2, c.Y2, c.Options,
                      static_cast<unsigned>(c.Color), static_cast<unsigned>(c.Style.Background));
        out += line;
        out += bytes;
        out += '\n';
    }
    return out;
}

// A tab byte after a lead byte is that character's second half, as the caret counts it: the painter
// lays the row out by the same rule, so what follows stands where the caret reaches it.
TEST_F(PaintTest, ATabByteThatEndsADoubleByteCharacterTakesNoTabStop)
{
    e.SetText("\x81\tx\ty");
    int xAt = -1, yAt = -1;
    for (const CanvasCall& c : RowTexts(e.Paint(), 0)) {
        if (const std::size_t i = c.Bytes.find('x'); i != std::string::npos) xAt = c.X + static_cast<int>(i) * W;
        if (const std::size_t i = c.Bytes.find('y'); i != std::string::npos) yAt = c.X + static_cast<int>(i) * W;
    }
    EXPECT_EQ(xAt, Left + 2 * W);
    EXPECT_EQ(yAt, Left + 8 * W);
    EXPECT_EQ(e->DisplayWidth("\x81\tx\ty"), 9);
}

TEST_F(PaintTest, TheFixturePaintsAsBefore)
{
    e->View().Colors().Ank().SetColor(clRed);
    e->View().Colors().Int().SetColor(clGreen);
    e->View().Colors().Symbol().SetColor(clBlue);
    e->View().Colors().DBCS().SetColor(clPurple);
    e->View().Colors().Str().SetColor(clTeal);
    e->Marks().HideMark().SetVisible(true);
    e->Marks().RetMark().SetVisible(true);
    e->Marks().Underline().SetVisible(true);
    const std::string kana = Utf8ToCp932("あい");
    std::string longRow;
    for (int i = 0; i < 300; ++i) longRow += "ab\t" + kana + " 12;";
    e.SetText("\tx" + kana + "\ty = 'str' + 42;\r\n" + kana + "\tend\r\n" + longRow + "\r\n\r\nlast");
    Selecting().Show({0, 3, 1, 5}, smLine);
    e->SetRowCol(3, 0);
    const std::string whole = Dump(e.Paint()) + Dump(e.Paint({Left + 3 * W + 2, Top, Left + 9 * W, Top + 3 * H}));
    e->SetTopCol(MaxColumn);
    const std::string scrolled = Dump(e.Paint());
    const auto fnv = [](const std::string& S) {
        std::uint64_t h = 14695981039346656037ull;
        for (const char c : S) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return std::to_string(h);
    };
    EXPECT_EQ(fnv(whole) + " " + fnv(scrolled), "13253584909974775172 10296509383684195527") << whole << scrolled;
}

} // namespace
} // namespace qx::test
