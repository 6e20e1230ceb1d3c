// TEditor: the frame areas. The column ruler runs across the top; on the left the image bar (row
// marks) comes first, then the line-number bar; the corner fills the meeting place. They are drawn
// straight onto the canvas from the options each time their part of the window is painted.

#include "editor/EditorControl.h"

#include "editor/EditorGlyphs.h"

#include <algorithm>
#include <string>

namespace qx {

namespace {
constexpr TColor EdgeLight = clWhite;
constexpr TColor EdgeShadow = clGray;
} // namespace

// ---------------------------------------------------------------------------------------------------
// Sizes

int TEditor::TextAreaTop() const { return FMargin->Top() + (FRuler->Visible() ? FRulerHeight : 0); }

int TEditor::TextAreaLeft() const
{
    return FMargin->Left() + (FImagebar->Visible() ? FImagebarWidth : 0) + (FLeftbar->Visible() ? FLeftbarWidth : 0);
}

void TEditor::UpdateImagebarWidth()
{
    FImagebarWidth = FImagebar->Visible() ? FImagebar->DigitWidth() + FImagebar->LeftMargin() +
                                                FImagebar->MarkWidth() + FImagebar->RightMargin()
                                          : 0;
}

bool TEditor::UpdateLeftbarDigits()
{
    int digits = FLeftbar->Column();
    if (FLeftbar->Visible() && FLeftbar->ShowNumber()) {
        const int count = FList->Count();
        const int last = FLeftbar->ShowNumberMode() == nmLine ? FList->LineCount() - 1 : count - 1;
        std::int64_t largest = std::int64_t{last} + (FLeftbar->ZeroBase() ? 0 : 1);
        if (count == 0 || FList->RowAttributes(count - 1) != raEof) ++largest;
        digits = std::min(8, std::max(digits, static_cast<int>(std::to_string(std::max<std::int64_t>(0, largest)).size())));
    }
    const bool changed = digits != FLeftbarDigits;
    FLeftbarDigits = digits;
    return changed;
}

void TEditor::UpdateLeftbarWidth()
{
    FLeftbarWidth = FLeftbar->Visible()
                        ? FLeftbar->LeftMargin() + FLeftbarDigits * FColWidth + FLeftbar->RightMargin() + 2
                        : 0;
}

void TEditor::UpdateRulerHeight() { FRulerHeight = FRuler->Visible() ? (FRuler->Edge() ? 14 : 13) : 0; }

void TEditor::RefreshRuler()
{
    UpdateRulerHeight();
    UpdateImagebarWidth();
    if (FViewport) FViewport->Invalidate({0, 0, FViewport->ClientWidth(), TextAreaTop()});
}

void TEditor::ShiftTextArea(int OldWidth, int NewWidth)
{
    if (!FViewport || OldWidth == NewWidth) return;
    const int left = FImagebar->Visible() ? FImagebarWidth : 0;
    FViewport->ScrollRect(NewWidth - OldWidth, 0, {left, 0, FViewport->ClientWidth(), FViewport->ClientHeight()});
    FViewport->Invalidate({left, 0, left + std::max(OldWidth, NewWidth) + FMargin->Left(), FViewport->ClientHeight()});
}

// ---------------------------------------------------------------------------------------------------
// Ruler

void TEditor::PaintRulerDigits(int X, int Y, int Number, TColor Color)
{
    const std::string text = std::to_string(Number);
    for (char c : text) {
        const TGlyph& glyph = RulerDigitGlyph(c - '0');
        FCanvas->DrawGlyph(X, Y, glyph, Color);
        X += glyph.Width + 1;
    }
}

// The ruler over Band: background, ticks, edge and the number of every gauge period; Marked draws the
// caret's cell picture (the mark colour with the numbers in the background colour).
void TEditor::PaintRulerBand(const TRect& Band, bool Marked)
{
    const int w = std::max(1, FColWidth);
    const int height = FRulerHeight;
    const int gauge = FRuler->GaugeRange();
    const TColor bk = ColorOr(FRuler->BkColor(), FColor);
    const TColor fg = ColorOr(FRuler->Color(), FontColor());
    const TColor mark = ColorOr(FRuler->MarkColor(), FontColor());
    const int left = TextAreaLeft();
    const int offset = left - FTopCol * w;  // the left edge of column 0
    const int firstCol = std::max(0, (Band.Left - offset) / w);
    const int lastCol = std::min(MaxColumn, (Band.Right - offset) / w + 1);

    FCanvas->FillRect(Band, Marked ? mark : bk);
    if (!Marked) {
        for (int c = firstCol; c < lastCol; ++c) {
            const int x = offset + c * w;
            const int from = c % gauge == 0 ? 0 : (c % gauge == gauge / 2 ? 3 : 6);
            FCanvas->Line(x, from, x, height - 1, fg);
        }
        if (FRuler->Edge()) {
            FCanvas->FillRect({Band.Left, height - 2, Band.Right, height - 1}, EdgeLight);
            FCanvas->FillRect({Band.Left, height - 1, Band.Right, height}, EdgeShadow);
        } else {
            FCanvas->Line(Band.Left, height - 1, Band.Right, height - 1, fg);
        }
    }
    // Numbers from the period holding the first column; none from column 2000 on.
    for (int c = (firstCol / gauge) * gauge; c < lastCol; c += gauge)
        PaintRulerDigits(offset + c * w + 1, 0, c, Marked ? bk : fg);
    // Past column 2000 the ruler is background only.
    const int end = offset + MaxColumn * w;
    if (end < Band.Right) FCanvas->FillRect({std::max(Band.Left, end), 0, Band.Right, height}, bk);
}

void TEditor::PaintRuler()
{
    if (!FViewport) return;
    const TRect band{TextAreaLeft(), 0, FViewport->ClientWidth(), FRulerHeight};
    if (band.Empty()) return;
    FCanvas->PushClip(band);
    PaintRulerBand(band, false);
    const int w = FColWidth;
    if (FCol >= FTopCol && FCol <= FTopCol + FVisibleCols && FCol < MaxColumn) {
        const int x = TextAreaLeft() + (FCol - FTopCol) * w + 1;
        const TRect cell = Intersect(band, {x, 0, x + w, FRulerHeight - (FRuler->Edge() ? 2 : 1)});
        if (!cell.Empty()) {
            FCanvas->PushClip(cell);
            PaintRulerBand(band, true);
            FCanvas->PopClip();
        }
    }
    FRulerMarkCol = FCol;
    FCanvas->PopClip();
}

// The ruler's caret mark: outside a paint pass the cell is repainted by the next one, which draws the
// mark at the caret's column.
void TEditor::DrawRulerMark(int ACol)
{
    if (!FRuler->Visible() || !FViewport) return;
    if (ACol < FTopCol || ACol > FTopCol + FVisibleCols) return;
    const int x = TextAreaLeft() + (ACol - FTopCol) * FColWidth + 1;
    DrawOrInvalidate({x, 0, x + FColWidth, FRulerHeight}, [&](TEditorCanvas&) {});
}

void TEditor::EraseRulerMark(int ACol) { DrawRulerMark(ACol); }

// ---------------------------------------------------------------------------------------------------
// Corner

void TEditor::PaintCorner()
{
    const int left = TextAreaLeft();
    const int top = TextAreaTop();
    FCanvas->FillRect({0, 0, left, top}, FColor);
    if (FLeftbar->Visible() && FLeftbar->Edge()) {
        const int x0 = FImagebar->Visible() ? FImagebarWidth : 0;
        FCanvas->FillRect({x0, 0, x0 + FLeftbarWidth, top}, ColorOr(FLeftbar->BkColor(), FColor));
        FCanvas->FillRect({x0 + FLeftbarWidth - 2, 0, x0 + FLeftbarWidth - 1, top}, EdgeLight);
        FCanvas->FillRect({x0 + FLeftbarWidth - 1, 0, x0 + FLeftbarWidth, top}, EdgeShadow);
    }
    if (FRuler->Visible()) {
        FCanvas->FillRect({0, 0, left, FRulerHeight}, ColorOr(FRuler->BkColor(), FColor));
        if (FRuler->Edge()) {
            FCanvas->FillRect({0, FRulerHeight - 2, left, FRulerHeight - 1}, EdgeLight);
            FCanvas->FillRect({0, FRulerHeight - 1, left, FRulerHeight}, EdgeShadow);
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// Line-number bar

std::string TEditor::LeftbarNumberText(int ARow) const
{
    return LeftbarText(ARow, ARow >= 0 ? FList->RowToLine(std::min(ARow, FList->Count())) : 0);
}

std::string TEditor::LeftbarText(int ARow, int Line) const
{
    if (!FLeftbar->ShowNumber() || ARow < 0) return {};
    const int count = FList->Count();
    const bool afterLast = ARow == count && count > 0 && FList->RowAttributes(count - 1) == raEnd;
    if (ARow >= count && !afterLast) return {};
    int number;
    if (FLeftbar->ShowNumberMode() == nmLine) {
        if (ARow > 0 && ARow < count && FList->RowAttributes(ARow - 1) == raWrapped) return {};
        number = Line;
    } else {
        number = ARow;
    }
    if (!FLeftbar->ZeroBase()) ++number;
    std::string text = std::to_string(number);
    if (static_cast<int>(text.size()) < FLeftbarDigits)
        text.insert(0, static_cast<std::size_t>(FLeftbarDigits) - text.size(), FLeftbar->ZeroLead() ? '0' : ' ');
    return text;
}

void TEditor::PaintLeftbarNumbers(int FirstRow, int LastRow)
{
    const int x0 = FImagebar->Visible() ? FImagebarWidth : 0;
    const int right = x0 + FLeftbarWidth - 2;
    const int top = TextAreaTop();
    const int bottom = FViewport->ClientHeight();
    const TColor bk = ColorOr(FLeftbar->BkColor(), FColor);
    const bool edge = FLeftbar->Edge();
    FCanvas->FillRect({right, top, right + 1, bottom}, edge ? EdgeLight : bk);
    FCanvas->FillRect({right + 1, top, right + 2, bottom}, edge ? EdgeShadow : bk);

    const TTextStyle saved = FPaintStyle;
    FPaintStyle.Font = FFont;
    FPaintStyle.Font.Color = ColorOr(FLeftbar->Color(), FontColor());
    FPaintStyle.Background = bk;
    const int h = RowHeight();
    const int count = FList->Count();
    // The line of the first row is looked up once; the rows below count on from it.
    int line = FList->RowToLine(std::max(0, std::min(FirstRow, count)));
    for (int row = FirstRow; row <= LastRow; ++row) {
        const int y = top + (row - FTopRow) * h;
        const TRect cell{x0, y, right, y + h};
        const std::string text = LeftbarText(row, line);
        if (row >= 0 && row < count && FList->RowAttributes(row) != raWrapped) ++line;
        if (text.empty())
            FCanvas->FillRect(cell, bk);
        else
            DrawTextRun(cell, x0 + FLeftbar->LeftMargin(), etoClipped | etoOpaque, text, y);
    }
    FPaintStyle = saved;
}

void TEditor::InvalidateLeftbarRows(int Row1, int Row2)
{
    if (!FViewport || !FLeftbar->Visible()) return;
    const int first = std::max(FTopRow, std::min(Row1, Row2));
    const int last = std::min(FTopRow + FVisibleRows, std::max(Row1, Row2));
    if (last < first) return;
    const int x0 = FImagebar->Visible() ? FImagebarWidth : 0;
    const int top = TextAreaTop();
    const int h = RowHeight();
    FViewport->Invalidate({x0, top + (first - FTopRow) * h, x0 + FLeftbarWidth, top + (last - FTopRow + 1) * h});
}

// ---------------------------------------------------------------------------------------------------
// Image bar

void TEditor::PaintImagebarRows(int FirstRow, int LastRow)
{
    const bool barColor = FLeftbar->Visible() && FLeftbar->BkColor() != clNone;
    const TColor bk = barColor ? FLeftbar->BkColor() : FColor;
    const int top = TextAreaTop();
    const int h = RowHeight();
    const int count = FList->Count();
    for (int row = FirstRow; row <= LastRow; ++row) {
        const int y = top + (row - FTopRow) * h;
        FCanvas->FillRect({0, y, FImagebarWidth, y + h}, bk);
        const int marks = row < count ? FList->RowMarks(row) : 0;
        if (marks == 0) continue;
        for (int mark = 0; mark < 10; ++mark) {
            if (!(marks & (1 << mark))) continue;
            const int x = FImagebar->LeftMargin();
            FCanvas->DrawGlyph(x, y + 2, RowMarkBoxGlyph(), RowMarkBoxColor);
            const TPoint at = RowMarkDigitOffset(mark);
            FCanvas->DrawGlyph(x + at.X, y + 2 + at.Y, RulerDigitGlyph(mark), RowMarkDigitColor);
            break;
        }
        for (int mark = 10; mark < 16; ++mark) {
            if (!(marks & (1 << mark))) continue;
            FCanvas->DrawGlyph(FImagebar->LeftMargin() + FImagebar->DigitWidth(), y + 2, RowMarkGlyph(mark),
                               RowMarkGlyphColor(mark));
            break;
        }
    }
}

} // namespace qx
