// TQxEditor: the marks on tabs and blanks, the vertical guide lines, and the caret-row underline that
// stops at the wrap column. Like the control's own pictures they are drawn in the paint pass; outside
// it a change invalidates the place and the next pass draws it from the current state.

#include "editor/QxEditor.h"

#include "platform/LeadByte.h"

#include <algorithm>
#include <cstdlib>

namespace qx {

namespace {

// A line from (X1, Y1) to (X2, Y2), the end point left out as the platform's LineTo does; Dotted
// draws every other pixel, Width 2 a second line one pixel beside it.
void PenLine(TEditorCanvas& Canvas, int X1, int Y1, int X2, int Y2, TColor Color, bool Dotted, int Width = 1)
{
    const int dx = X2 - X1, dy = Y2 - Y1;
    // The second line goes below a flat line and beside a steep one.
    const int sx = std::abs(dx) >= std::abs(dy) ? 0 : 1, sy = 1 - sx;
    for (int pass = 0; pass < Width; ++pass) {
        const int ox = pass * sx, oy = pass * sy;
        if (!Dotted) {
            Canvas.Line(X1 + ox, Y1 + oy, X2 + ox, Y2 + oy, Color);
            continue;
        }
        const int steps = std::max(std::abs(dx), std::abs(dy));
        for (int i = 0; i < steps; i += 2) {
            const int x = X1 + dx * i / steps + ox, y = Y1 + dy * i / steps + oy;
            Canvas.Line(x, y, x + 1, y, Color);
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Marks on tabs and blanks

TColor TQxEditor::MarkColor(const TCustomMark& Mark, int Selected)
{
    return Selected == 0 ? Mark.Color() : SelMarkColor();
}

void TQxEditor::DoDrawLine(const TRect& ARect, int X, int Selected, int Index, const std::string& LineStr, int Y)
{
    TEditor::DoDrawLine(ARect, X, Selected, Index, LineStr, Y);
    TEditorCanvas* canvas = PaintCanvas();
    const TCustomMarks& marks = *FCustomMarks;
    if (!canvas || !(marks.TabMark().Visible() || marks.DBSpace().Visible() || marks.Space().Visible())) return;
    const int w = ColWidth();
    const int limit = std::min(ARect.Right, X + MaxColumn * w);
    const TTabRule rule = TabRule();
    canvas->PushClip(ARect);
    int col = 0;
    for (std::size_t i = 0; i < LineStr.size();) {
        const int x = X + col * w;
        if (x > limit) break;
        const char c = LineStr[i];
        const std::size_t length = CharLengthAt(LineStr, i);
        if (length == 2) {
            if (IsFullWidthSpaceAt(LineStr, i) && marks.DBSpace().Visible() &&
                ARect.Left <= x && x <= limit - 2 * w)
                DrawDBSpaceMark(x, Y, Selected);
            col += 2;
        } else if (c == '\t') {
            if (marks.TabMark().Visible() && ARect.Left <= x && x <= limit - w) DrawTabMark(x, Y, Selected);
            col = rule.NextStop(col);
        } else {
            if (c == ' ' && marks.Space().Visible() && ARect.Left <= x && x <= limit - w) DrawSpaceMark(x, Y, Selected);
            ++col;
        }
        i += length;
    }
    canvas->PopClip();
}

// The pen of a tab's or a full-width space's mark, and the cell width less the character margin that
// sizes the shapes.
struct TQxEditor::TMarkPen {
    TEditorCanvas* Canvas;
    TColor Color;
    bool Dotted;
    int W;
};

TQxEditor::TMarkPen TQxEditor::MarkPen(const TCustomMark& Mark, int Selected)
{
    return {PaintCanvas(), MarkColor(Mark, Selected), Mark.MarkType() == smtDot, ColWidth() - Margin().Character()};
}

void TQxEditor::DrawTabMark(int X, int Y, int Selected)
{
    const TMarkPen pen = MarkPen(FCustomMarks->TabMark(), Selected);
    const int w = pen.W;
    const int l = X + 2, t = Y + 2, r = X + 2 * w - 2, b = Y + 2 * w - 2;
    if (!pen.Canvas || r <= l || b <= t) return;
    // The rectangle's outline, right and bottom edges inside as the platform's Rectangle draws them.
    PenLine(*pen.Canvas, l, t, r - 1, t, pen.Color, pen.Dotted);
    PenLine(*pen.Canvas, r - 1, t, r - 1, b - 1, pen.Color, pen.Dotted);
    PenLine(*pen.Canvas, r - 1, b - 1, l, b - 1, pen.Color, pen.Dotted);
    PenLine(*pen.Canvas, l, b - 1, l, t, pen.Color, pen.Dotted);
}

void TQxEditor::DrawDBSpaceMark(int X, int Y, int Selected)
{
    const TMarkPen pen = MarkPen(FCustomMarks->DBSpace(), Selected);
    if (!pen.Canvas) return;
    const int w = pen.W;
    const int t = Y + w + 2, b = Y + 2 * w - 3;
    PenLine(*pen.Canvas, X + w - 2, t, X + w - 2, b, pen.Color, pen.Dotted);
    PenLine(*pen.Canvas, X + 1, t, X + 1, b, pen.Color, pen.Dotted);
    PenLine(*pen.Canvas, X + 1, b, X + w - 1, b, pen.Color, pen.Dotted);
}

void TQxEditor::DrawSpaceMark(int X, int Y, int Selected)
{
    TEditorCanvas* canvas = PaintCanvas();
    if (!canvas) return;
    const TColor color = MarkColor(FCustomMarks->Space(), Selected);
    const int m = Y + (RowHeight() - Margin().Line()) / 2;
    const bool small = ColWidth() < 14;
    const int width = small ? 1 : 2, spread = small ? 1 : 5, length = small ? 3 : 5;
    PenLine(*canvas, X + 2, m - spread, X + 2 + length, m, color, false, width);
    PenLine(*canvas, X + 2, m + spread, X + 2 + length, m, color, false, width);
}

// ---------------------------------------------------------------------------------------------------
// Vertical lines

int TQxEditor::VerticalLineX(int Position) const
{
    const int x = TextAreaLeft() - TopCol() * ColWidth() + Position * ColWidth();
    return x < TextAreaLeft() ? -1 : x;
}

void TQxEditor::VerticalLineAt(int Position, int Y, TColor Color, bool Erase)
{
    if (!Viewport()) return;
    const int x = VerticalLineX(Position);
    if (x < 0) return;
    const int top = Y < 0 ? TextAreaTop() : Y;
    const int bottom = Y < 0 ? Viewport()->ClientHeight() : Y + 1;
    if (bottom <= top) return;
    if (Erase && !PaintCanvas()) {
        // What lies under the line is the paint pass's to draw.
        Viewport()->Invalidate({x, top, x + 1, bottom});
        return;
    }
    DrawOrInvalidate({x, top, x + 1, bottom}, [&](TEditorCanvas& Canvas) { Canvas.Line(x, top, x, bottom, Color); });
}

void TQxEditor::DrawVerticalLine(int Index, int Y)
{
    if (Index < 0 || Index >= FVerticalLines->Count()) return;
    const TVerticalLine& line = *FVerticalLines->Items(Index);
    if (line.Visible()) VerticalLineAt(line.Position(), Y, line.Color(), false);
}

void TQxEditor::HideVerticalLine(int Index, int Y)
{
    if (Index < 0 || Index >= FVerticalLines->Count()) return;
    const TVerticalLine& line = *FVerticalLines->Items(Index);
    if (line.Visible()) VerticalLineAt(line.Position(), Y, Color(), true);
}

void TQxEditor::DrawVerticalLines(int Y)
{
    for (int i = 0; i < FVerticalLines->Count(); ++i) DrawVerticalLine(i, Y);
}

void TQxEditor::HideVerticalLines(int Y)
{
    for (int i = 0; i < FVerticalLines->Count(); ++i) HideVerticalLine(i, Y);
}

// The paint pass ends with the wrap guide line, so the vertical lines drawn here lie over everything.
void TQxEditor::DoDrawWrapLine()
{
    DrawVerticalLines(-1);
    TEditor::DoDrawWrapLine();
}

void TQxEditor::DoHideWrapLine()
{
    HideVerticalLines(-1);
    TEditor::DoHideWrapLine();
}

// ---------------------------------------------------------------------------------------------------
// The caret-row underline

int TQxEditor::WrapUnderlineRight() const
{
    const int x = TextAreaLeft() + (SharedList()->WrapOption().WrapByte() - TopCol()) * ColWidth();
    if (x < TextAreaLeft() || !Viewport()) return -1;
    return std::min(x, Viewport()->ClientWidth());
}

void TQxEditor::WrappedUnderline(int ARow, bool Erase)
{
    const int y = UnderlineY(ARow);
    if (y == -1) return;
    if (!WordWrap()) {
        Erase ? TEditor::EraseUnderline(ARow) : TEditor::DrawUnderline(ARow);
    } else if (const int right = WrapUnderlineRight(); right > TextAreaLeft()) {
        const int left = TextAreaLeft();
        const TColor color = Erase ? Color() : Marks().Underline().Color();
        DrawOrInvalidate({left, y, right, y + 1}, [&](TEditorCanvas& Canvas) { Canvas.Line(left, y, right, y, color); });
    }
    // The lines crossed the underline's pixels: they are drawn again there.
    DrawVerticalLines(y);
}

void TQxEditor::DrawUnderline(int ARow) { WrappedUnderline(ARow, false); }
void TQxEditor::EraseUnderline(int ARow) { WrappedUnderline(ARow, true); }

} // namespace qx
