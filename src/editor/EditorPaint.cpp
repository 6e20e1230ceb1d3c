// TEditor: the paint pass. The clip rectangle is snapped to whole cells and rows; each row is drawn
// in one run in the default colours, then the tokens whose colours differ are drawn over it (every
// token, with a clear brush, when italics overhang their cells); then the row's visible mark. Rows are
// drawn up to column 2000, never further.

#include "editor/EditorControl.h"

#include "editor/EditorUtils.h"
#include "editor/Fountain.h"
#include "editor/FountainParser.h"
#include "platform/LeadByte.h"

#include <algorithm>
#include <vector>

namespace qx {

// A row as the painter draws it, as far as the columns the clip reaches: those bytes of the stored
// row with tabs expanded into spaces, and the column of each of them (kept only when they hold a tab;
// otherwise a byte is its column). A long row costs the columns drawn, never its length.
struct TEditor::TPaintRow {
    std::string_view Raw;   // the whole stored row
    std::size_t Bytes = 0;  // the bytes of Raw laid out: whole characters up to the limit
    std::string_view Text;  // those bytes, tabs expanded
    std::string Expanded;
    std::vector<int> Columns;

    // Lays out the first bytes of Raw up to column Limit (one character or tab beyond it).
    void LayOut(std::string_view Row, const TTabRule& Rule, int Limit);
    // A byte past the laid-out part lies past every laid-out column.
    int ColumnOf(std::size_t Byte) const
    {
        if (Byte > Bytes) return Length() + static_cast<int>(Byte - Bytes);
        return Columns.empty() ? static_cast<int>(Byte) : Columns[Byte];
    }
    // The row's width, exact when the whole row is laid out, else past the limit.
    int Length() const { return static_cast<int>(Text.size()); }
};

void TEditor::TPaintRow::LayOut(std::string_view Row, const TTabRule& Rule, int Limit)
{
    Raw = Row;
    Columns.clear();
    // Limit + 2 bytes hold at least Limit + 1 columns, and a character that starts at Limit whole.
    const std::size_t reach = std::min(Raw.size(), static_cast<std::size_t>(Limit) + 2);
    if (FindTab(Raw.substr(0, reach), 0) == reach) {
        Bytes = reach;
        Text = Raw.substr(0, reach);
        return;
    }
    Expanded.clear();
    std::size_t i = 0;
    for (int col = 0; i < Raw.size() && col <= Limit;) {
        Columns.resize(i + 2);
        Columns[i] = col;
        if (Raw[i] == '\t') {
            col = Rule.NextStop(col);
            Expanded.resize(static_cast<std::size_t>(col), ' ');
            ++i;
        } else if (CharLengthAt(Raw, i) == 2) {
            Columns[i + 1] = col + 1;
            Expanded.append(Raw.substr(i, 2));
            col += 2;
            i += 2;
        } else {
            Expanded += Raw[i++];
            ++col;
        }
    }
    Columns.resize(i + 1);
    Columns[i] = static_cast<int>(Expanded.size());
    Bytes = i;
    Text = Expanded;
}

namespace {

// How far past the laid-out bytes of a row the painter lets the lexer read.
constexpr std::size_t LexAhead = 4096;

} // namespace

// ---------------------------------------------------------------------------------------------------
// Text runs

void TEditor::DrawTextRun(const TRect& R, int X, unsigned Options, std::string_view S, int Y)
{
    if (!FCanvas) return;
    const int w = std::max(1, FPaintStyle.CellWidth);
    std::size_t n = S.size();
    if (n > MaxColumn) n = IsLeadByteAt(S, MaxColumn - 1) ? MaxColumn + 1 : MaxColumn;
    // Only the characters that meet the rectangle are handed on: nothing is converted past the clip.
    std::size_t first = static_cast<std::size_t>(std::clamp((R.Left - X) / w, 0, static_cast<int>(n)));
    std::size_t last = static_cast<std::size_t>(std::clamp((R.Right - X + w - 1) / w, 0, static_cast<int>(n)));
    if (first > 0) first = CharStartAt(S, first);
    if (last < n && last > first) {
        const std::size_t start = CharStartAt(S, last - 1);
        last = start + CharLengthAt(S.substr(0, n), start);
    }
    if (last < first) last = first;

    TTextStyle style = FPaintStyle;
    const bool underline = style.Font.Style.Contains(fsUnderline);
    if (underline) style.Font.Style.Exclude(fsUnderline);
    FCanvas->TextRun(R, X + static_cast<int>(first) * w, Y, Options, S.substr(first, last - first), style);
    if (underline) {
        const int left = std::max(X, R.Left);
        const int right = std::min(X + static_cast<int>(n) * w, R.Right);
        const int y = Y + FFontHeight - 1;
        if (left < right) FCanvas->Line(left, y, right, y, style.Font.Color);
    }
}

// ---------------------------------------------------------------------------------------------------
// The paint pass

void TEditor::Paint(TEditorCanvas& Canvas, const TRect& Clip)
{
    struct TCanvasScope {
        TEditor& Editor;
        ~TCanvasScope() { Editor.FCanvas = nullptr; }
    } scope{*this};
    FCanvas = &Canvas;
    PaintRect(Clip);
}

const TFountainColor& TEditor::SelectionColors()
{
    TEditorColors& colors = FView->Colors();
    return FSelectionState == 3 ? colors.Hit() : colors.Select();
}

void TEditor::PaintRect(const TRect& R)
{
    if (!FViewport || !FCanvas) return;
    const int cw = FViewport->ClientWidth();
    const int ch = FViewport->ClientHeight();
    const int left = TextAreaLeft();
    const int top = TextAreaTop();
    const int w = std::max(1, FColWidth);
    const int h = std::max(1, RowHeight());
    const int imageWidth = FImagebar->Visible() ? FImagebarWidth : 0;
    const int barWidth = FLeftbar->Visible() ? FLeftbarWidth : 0;
    FPaintStyle.Font = FFont;
    FPaintStyle.Background = FColor;
    FPaintStyle.CellWidth = w;

    if (Intersects(R, {0, 0, left, top})) PaintCorner();
    if (FRuler->Visible() && Intersects(R, {left, 0, cw, FRulerHeight})) PaintRuler();
    // The margins between the frame areas and the text.
    const TRect topMargin{left, FRuler->Visible() ? FRulerHeight : 0, cw, top};
    if (Intersects(R, topMargin)) FCanvas->FillRect(topMargin, FColor);
    const TRect leftMargin{imageWidth + barWidth, top, left, ch};
    if (Intersects(R, leftMargin)) FCanvas->FillRect(leftMargin, FColor);

    // Snap to whole rows.
    const int snapTop = top + (std::max(top, R.Top) - top) / h * h;
    const int snapBottom = top + (std::max(top, R.Bottom) - top + h - 1) / h * h;
    if (snapBottom <= snapTop) return;
    const int firstRow = FTopRow + (snapTop - top) / h;
    const int lastRow = firstRow + (snapBottom - snapTop) / h - 1;

    if (FImagebar->Visible() && Intersects(R, {0, top, imageWidth, ch})) PaintImagebarRows(firstRow, lastRow);
    if (FLeftbar->Visible() && Intersects(R, {imageWidth, top, imageWidth + barWidth, ch}))
        PaintLeftbarNumbers(firstRow, lastRow);

    const TRect textArea{left, top, cw, ch};
    if (Intersects(R, textArea)) {
        const int snapLeft = std::max(left, left + (R.Left - left) / w * w);
        const bool underlineShown = FMarks->Underline().Visible() && FUnderlineCount == 0 && UnderlineY(FRow) != -1;
        const bool selection = FSelectionState == 2 || (FSelectionState == 3 && FHitStyle == hsDraw);
        const int textHeight = FFontHeight + (SelectionShown() ? 1 : 0);
        const int x = left - FTopCol * w;
        const int count = FList->Count();
        TFountain* fountain = ActiveFountain();
        std::unique_ptr<TFountainParser> parser = fountain->CreateParser();
        TPaintRow row;
        const TTabRule rule = TabRule();
        // The last column the clip reaches; rows are drawn no further than column MaxColumn.
        const int limit = std::max(0, std::min(MaxColumn, FTopCol + (R.Right - left + w - 1) / w)) + 1;
        for (int r = firstRow; r <= lastRow; ++r) {
            const int y = top + (r - FTopRow) * h;
            const TRect rowRect{snapLeft, y, R.Right, std::min(y + textHeight, y + h)};
            if (r < count) {
                row.LayOut(FList->Get(r), rule, limit);
                if (selection && r >= FSelection.StartRow && r <= FSelection.EndRow)
                    PaintRowWithSelection(rowRect, x, *parser, r, row, y);
                else
                    PaintRow(rowRect, x, *parser, r, row, y);
            } else {
                FCanvas->FillRect(rowRect, FColor);
                const bool eofRow = r == count && (count == 0 || FList->RowAttributes(count - 1) != raEof);
                if (FMarks->EofMark().Visible() && eofRow) DrawEofMark(x, y);
            }
            // The line spacing and the underline's pixel row below the text.
            if (rowRect.Bottom < y + h) FCanvas->FillRect({snapLeft, rowRect.Bottom, R.Right, y + h}, FColor);
        }
        if (underlineShown) DrawUnderline(FRow);
    }
    DrawRowMarker(FRow);
    DrawWrapLine();
}

// ---------------------------------------------------------------------------------------------------
// Rows

void TEditor::PaintRow(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y)
{
    FPaintStyle.Font = FFont;
    FPaintStyle.Background = FColor;
    // The row's background once; the tokens then draw every cell once (see PaintTokens).
    FCanvas->FillRect(R, FColor);
    const int length = S.Length();
    if ((length + 5) * FColWidth < FTopCol * FColWidth) return;
    PaintTokens(R, X, Parser, ARow, S, Y, nullptr);
    DoDrawLine(R, X, 0, ARow, std::string(S.Raw.substr(0, S.Bytes)), Y);
    PaintRowMarks(R, X, ARow, S, Y, false);
}

void TEditor::PaintSelectedRow(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y)
{
    const TFountainColor& colors = SelectionColors();
    FPaintStyle.Font = FFont;
    FPaintStyle.Font.Color = ColorOr(colors.Color(), FColor);
    FPaintStyle.Background = ColorOr(colors.BkColor(), FontColor());
    if (!FItalic)
        DrawTextRun(R, X, etoClipped | etoOpaque, S.Text, Y);
    else
        FCanvas->FillRect(R, FPaintStyle.Background);
    PaintTokens(R, X, Parser, ARow, S, Y, &colors);
    DoDrawLine(R, X, FSelectionState, ARow, std::string(S.Raw.substr(0, S.Bytes)), Y);
    PaintRowMarks(R, X, ARow, S, Y, true);
}

// Without italics an unselected row is drawn in runs of one look: neighbouring tokens of the same
// colours and style make one run, so each cell is drawn once, on the background PaintRow filled. A
// selected part is drawn whole first (PaintSelectedRow) and only tokens of another style again; with
// italics, whose glyphs overhang their cells, every token is drawn on its own with a clear brush.
void TEditor::PaintTokens(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y,
                          const TFountainColor* Selected)
{
    const int length = S.Length();
    if (length == 0) return;
    const int w = FColWidth;
    // Column 2000 is the last drawn; a double-byte character that starts in it is drawn whole.
    const int lastCol = length > MaxColumn ? (IsLeadByteAt(S.Text, MaxColumn - 1) ? MaxColumn + 1 : MaxColumn) : length;
    int clipRight = std::min(R.Right, X + lastCol * w);
    // A token cut by the wrap is lexed with the rest of it on the next row, so that it keeps one colour.
    // Past the laid-out bytes the lexer reads only far enough to tell the kind of a token that starts
    // within them (a mail address by its "@" and ".").
    const std::string_view own = S.Raw.substr(0, std::min(S.Raw.size(), S.Bytes + LexAhead));
    const int rawLength = static_cast<int>(own.size());
    std::string joined;
    std::string_view text = own;
    if (FList->WordWrap() && FList->RowAttributes(ARow) == raWrapped && ARow + 1 < FList->Count()) {
        joined.reserve(S.Raw.size() + FList->Get(ARow + 1).size());
        joined.append(S.Raw).append(FList->Get(ARow + 1));
        text = joined;
        clipRight = std::min(clipRight, X + length * w);
    }
    const TRowAttributeData state = FList->RowAttributeData(ARow);
    Parser.StartRow(text, state);
    const TColor selectedText = FPaintStyle.Font.Color;
    const TColor selectedBack = FPaintStyle.Background;
    const TFontStyles fontStyle = FFont.Style;
    const bool merge = !Selected && !FItalic;

    // The run waiting to be drawn: columns From..To in one look.
    int from = 0, to = 0;
    TColor runFore = 0, runBack = 0;
    TFontStyles runStyle;
    const auto draw = [&](int From, int To, TColor Fore, TColor Back, TFontStyles Style) {
        const int left = X + From * w;
        const TRect clip = Intersect(R, {left, R.Top, std::min(X + To * w, clipRight), R.Bottom});
        if (clip.Empty()) return;
        FPaintStyle.Font.Color = Fore;
        FPaintStyle.Font.Style = Style;
        FPaintStyle.Background = Back;
        const bool opaque = merge ? Back != FColor : !(FItalic && (Selected || Back == FColor));
        DrawTextRun(clip, left, opaque ? (etoClipped | etoOpaque) : etoClipped,
                    S.Text.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From)), Y);
    };
    for (int kind = Parser.Next(); kind != toEof; kind = Parser.Next()) {
        const int start = Parser.SourcePos();
        if (start >= rawLength) break;
        const int end = std::min(start + Parser.TokenLength(), rawLength);
        const int colStart = S.ColumnOf(static_cast<std::size_t>(start));
        const int colEnd = S.ColumnOf(static_cast<std::size_t>(end));
        if (colStart >= length) break;
        if (X + colEnd * w <= TextAreaLeft()) continue;
        if (X + colStart * w >= clipRight) break;

        const TFountainColor* color = Parser.TokenColor();
        const TFontStyles style = color ? color->Style() : fontStyle;
        TColor back, fore;
        if (Selected) {
            if (!FItalic && style == fontStyle) continue;
            back = selectedBack;
            fore = selectedText;
        } else {
            back = color ? ColorOr(color->BkColor(), FColor) : FColor;
            fore = color ? ColorOr(color->Color(), FontColor()) : FontColor();
        }
        if (!merge) {
            draw(colStart, colEnd, fore, back, style);
            continue;
        }
        if (to > from && (colStart != to || fore != runFore || back != runBack || !(style == runStyle))) {
            draw(from, to, runFore, runBack, runStyle);
            from = to;
        }
        if (to <= from) {
            from = colStart;
            runFore = fore;
            runBack = back;
            runStyle = style;
        }
        to = colEnd;
    }
    if (merge && to > from) draw(from, to, runFore, runBack, runStyle);
    FPaintStyle.Font = FFont;
    FPaintStyle.Font.Color = Selected ? selectedText : FontColor();
    FPaintStyle.Background = Selected ? selectedBack : FColor;
}

void TEditor::PaintRowMarks(const TRect& R, int X, int ARow, const TPaintRow& S, int Y, bool Selected)
{
    const int w = FColWidth;
    const int length = S.Length();
    const int rightLimit = X + MaxColumn * w;
    const int e = (length > MaxColumn && IsLeadByteAt(S.Text, MaxColumn - 1)) ? rightLimit + w
                                                                             : std::min(X + length * w, rightLimit);
    if (e >= R.Right) return;
    const int attribute = FList->RowAttributes(ARow);
    if (length > MaxColumn && e < X + length * w) {
        if (FMarks->HideMark().Visible()) Selected ? DrawSelHideMark(e, Y) : DrawHideMark(e, Y);
    } else if (FMarks->EofMark().Visible() && ARow == FList->Count() - 1 && attribute == raEof) {
        DrawEofMark(e, Y);
    } else if (FMarks->RetMark().Visible() && attribute == raEnd) {
        Selected ? DrawSelRetMark(e, Y) : DrawRetMark(e, Y);
    } else if (FMarks->WrapMark().Visible() && attribute == raWrapped) {
        Selected ? DrawSelWrapMark(e, Y) : DrawWrapMark(e, Y);
    }
}

void TEditor::PaintRowWithSelection(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y)
{
    const int left = TextAreaLeft();
    const int cw = FViewport->ClientWidth();
    const auto edge = [&](int c) { return std::max(left, (c - FTopCol) * FColWidth + left); };
    const auto part = [&](int From, int To, bool Selected) {
        const TRect rect = Intersect(R, {From, R.Top, To, R.Bottom});
        if (rect.Empty()) return;
        if (Selected)
            PaintSelectedRow(rect, X, Parser, ARow, S, Y);
        else
            PaintRow(rect, X, Parser, ARow, S, Y);
    };
    const TSelectionBounds& sel = FSelection;
    if (FSelectionMode == smBox) {
        const int length = S.Length();
        int from = std::min(sel.StartCol, length);
        int to = std::min(sel.EndCol, length);
        // An edge on the second half of a double-byte character takes the whole character.
        if (IsTrailByteAt(S.Text, from)) ++from;
        if (IsTrailByteAt(S.Text, to)) ++to;
        part(left, edge(from), false);
        part(edge(from), edge(to), true);
        part(edge(to), cw, false);
    } else if (sel.StartRow == sel.EndRow) {
        part(left, edge(sel.StartCol), false);
        part(edge(sel.StartCol), edge(sel.EndCol), true);
        part(edge(sel.EndCol), cw, false);
    } else if (ARow == sel.StartRow) {
        part(left, edge(sel.StartCol), false);
        part(edge(sel.StartCol), cw, true);
    } else if (ARow == sel.EndRow) {
        part(left, edge(sel.EndCol), true);
        part(edge(sel.EndCol), cw, false);
    } else {
        part(left, cw, true);
    }
}

// ---------------------------------------------------------------------------------------------------
// Visible marks

void TEditor::DrawEofMark(int X, int Y)
{
    if (X < TextAreaLeft() || !FViewport || !FCanvas) return;
    const TRect rect{std::max(TextAreaLeft(), X), std::max(TextAreaTop(), Y),
                     std::min(X + 6 * FColWidth, FViewport->ClientWidth()), std::min(Y + FFontHeight, FViewport->ClientHeight())};
    const TTextStyle saved = FPaintStyle;
    FPaintStyle.Font = FFont;
    FPaintStyle.Font.Color = ColorOr(FMarks->EofMark().Color(), FontColor());
    FPaintStyle.Background = FColor;
    DrawTextRun(rect, X, etoClipped | etoOpaque, "[EOF]", Y);
    FPaintStyle = saved;
}

namespace {

// The polyline through Points, each end point excluded as the platform's LineTo does.
template <std::size_t N>
void Polyline(TEditorCanvas& Canvas, const TPoint (&Points)[N], TColor Color)
{
    for (std::size_t i = 1; i < N; ++i) Canvas.Line(Points[i - 1].X, Points[i - 1].Y, Points[i].X, Points[i].Y, Color);
}

} // namespace

// The mark shapes: a downward arrow for a line end, chevrons for a wrapped row ("<") and a row cut at
// column 2000 (">"), in the mark's colour or, on a selection, in the selection's text colour.
void TEditor::DrawMarkShape(TMarkShape Shape, int X, int Y, TColor Color)
{
    if (X < TextAreaLeft() || !FCanvas) return;
    if (Shape == TMarkShape::Return) {
        const int u = std::max(1, FFontHeight / 8);
        const int x = X + FColWidth / 2;
        const int b = Y + FFontHeight - 2 * u;
        const int h = std::max(u, 3);
        Polyline(*FCanvas, {{x, Y + 2 * u}, {x, b}, {x + h, b - h}}, Color);
        Polyline(*FCanvas, {{x, b}, {x - h, b - h}}, Color);
        return;
    }
    const int x = X + FColWidth, m = Y + FFontHeight / 2, s = std::max(2, 3 * FColWidth / 5);
    if (Shape == TMarkShape::Wrap)
        Polyline(*FCanvas, {{x, m - s}, {x - s, m}, {x + 1, m + s + 1}}, Color);
    else
        Polyline(*FCanvas, {{x - s, m - s}, {x, m}, {x - s - 1, m + s + 1}}, Color);
}

TColor TEditor::SelMarkColor() { return ColorOr(SelectionColors().Color(), FColor); }

void TEditor::DrawRetMark(int X, int Y)
{
    DrawMarkShape(TMarkShape::Return, X, Y, ColorOr(FMarks->RetMark().Color(), FontColor()));
}
void TEditor::DrawSelRetMark(int X, int Y) { DrawMarkShape(TMarkShape::Return, X, Y, SelMarkColor()); }
void TEditor::DrawWrapMark(int X, int Y)
{
    DrawMarkShape(TMarkShape::Wrap, X, Y, ColorOr(FMarks->WrapMark().Color(), FontColor()));
}
void TEditor::DrawSelWrapMark(int X, int Y) { DrawMarkShape(TMarkShape::Wrap, X, Y, SelMarkColor()); }
void TEditor::DrawHideMark(int X, int Y)
{
    DrawMarkShape(TMarkShape::Hide, X, Y, ColorOr(FMarks->HideMark().Color(), FontColor()));
}
void TEditor::DrawSelHideMark(int X, int Y) { DrawMarkShape(TMarkShape::Hide, X, Y, SelMarkColor()); }

// ---------------------------------------------------------------------------------------------------
// The caret-row underline

int TEditor::UnderlineY(int ARow) const
{
    if (!FViewport) return -1;
    const int y = TextAreaTop() + RowHeight() * (ARow - FTopRow) + FFontHeight;
    if (y <= TextAreaTop() || y > FViewport->ClientHeight()) return -1;
    return y;
}

void TEditor::DrawUnderline(int ARow)
{
    const int y = UnderlineY(ARow);
    if (y == -1) return;
    const int right = FViewport->ClientWidth();
    const TColor color = FMarks->Underline().Color();
    DrawOrInvalidate({TextAreaLeft(), y, right, y + 1},
                     [&](TEditorCanvas& Canvas) { Canvas.Line(TextAreaLeft(), y, right, y, color); });
}

void TEditor::EraseUnderline(int ARow)
{
    const int y = UnderlineY(ARow);
    if (y == -1) return;
    const int right = FViewport->ClientWidth();
    DrawOrInvalidate({TextAreaLeft(), y, right, y + 1},
                     [&](TEditorCanvas& Canvas) { Canvas.Line(TextAreaLeft(), y, right, y, FColor); });
}

void TEditor::HideUnderline()
{
    if (FUnderlineCount++ == 0 && FMarks->Underline().Visible() && !SelectionShown()) EraseUnderline(FRow);
}

void TEditor::ShowUnderline()
{
    if (FUnderlineCount == 0) return;
    if (--FUnderlineCount == 0 && FMarks->Underline().Visible() && !SelectionShown()) DrawUnderline(FRow);
}

// ---------------------------------------------------------------------------------------------------
// Invalidation

void TEditor::Invalidate()
{
    if (FViewport) FViewport->Invalidate({0, 0, FViewport->ClientWidth(), FViewport->ClientHeight()});
}

void TEditor::InvalidateRow(int ARow)
{
    if (!FViewport || ARow < FTopRow || ARow > FTopRow + FVisibleRows) return;
    const int y = TextAreaTop() + (ARow - FTopRow) * RowHeight();
    FViewport->Invalidate({TextAreaLeft(), y, FViewport->ClientWidth(), y + RowHeight()});
}

void TEditor::InvalidateRows(int Row1, int Row2)
{
    if (!FViewport) return;
    const int first = std::max(FTopRow, std::min(Row1, Row2));
    const int last = std::min(FTopRow + FVisibleRows, std::max(Row1, Row2));
    if (last < first) return;
    const int top = TextAreaTop();
    const int h = RowHeight();
    FViewport->Invalidate({0, top + (first - FTopRow) * h, FViewport->ClientWidth(), top + (last - FTopRow + 1) * h});
}

void TEditor::InvalidateTextArea()
{
    if (FViewport) FViewport->Invalidate({0, TextAreaTop(), FViewport->ClientWidth(), FViewport->ClientHeight()});
}

void TEditor::RefreshView()
{
    UpdateMetrics();
    UpdateScrollBars();
    Invalidate();
}

} // namespace qx
