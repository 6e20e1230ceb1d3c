#include "mainwindow/EditorEvents.h"

#include "editor/EditorFountain.h"
#include "editor/QxEditor.h"
#include "mainwindow/VirtualKeys.h"

#include <algorithm>

namespace qx {

namespace {

TColor Or(TColor Value, TColor Default) { return Value == clNone ? Default : Value; }

bool HasSelection(TEditor& Editor) { return Editor.SelectionShown() && Editor.SelLength() > 0; }

} // namespace

void TEditorEvents::CaretMoved(TQxEditor& Editor)
{
    if (!Editor.CurLineHilighted || Editor.Row() == Editor.OldRowIndex) return;
    if (Editor.OldRowIndex >= 0) Editor.InvalidateRow(Editor.OldRowIndex);
    Editor.InvalidateRow(Editor.Row());
    Editor.OldRowIndex = Editor.Row();
}

void TEditorEvents::DrawLine(TQxEditor& Editor, const std::string& LineStr, int X, int Y, int Index,
                             const TRect& ARect)
{
    if (!Editor.CurLineHilighted || Index != Editor.Row() || HasSelection(Editor) || !Editor.PaintCanvas()) return;
    TFountainColor& colors = Editor.View().Colors().CurLine();
    TTextStyle& style = Editor.PaintStyle();
    const TTextStyle saved = style;
    style.Font = Editor.Font();
    style.Font.Color = Or(colors.Color(), Editor.Font().Color);
    style.Font.Style = colors.Style();
    style.Background = Or(colors.BkColor(), Editor.Color());
    // The whole row in the current line's look, the part past the text included.
    Editor.PaintCanvas()->FillRect(ARect, style.Background);
    Editor.DrawTextRun(ARect, X, etoClipped | etoOpaque, Editor.ExpandTabs(LineStr), Y);
    style = saved;
}

void TEditorEvents::KeyDown(TQxEditor& Editor, int& Key, TShiftState Shift)
{
    FTabKeyHandled = false;
    if (!Editor.TabKeyIndent || Key != VK_TAB || !HasSelection(Editor) || Editor.ReadOnly()) return;
    // With soft tabs the lines move by a tab's width of single spaces.
    const int steps = Editor.Caret().SoftTab() ? std::max(1, Editor.Caret().TabSpaceCount()) : 1;
    for (int i = 0; i < steps; ++i) {
        if (!Editor.Caret().SoftTab())
            (Shift & ssShift) ? Editor.TabUnIndent() : Editor.TabIndent();
        else
            (Shift & ssShift) ? Editor.SpaceUnIndent() : Editor.SpaceIndent();
    }
    Key = 0;
    FTabKeyHandled = true;
}

void TEditorEvents::KeyPress(TQxEditor& Editor, char& Key)
{
    if (Editor.TabKeyIndent && FTabKeyHandled) {
        Key = 0;
        FTabKeyHandled = false;
    }
}

void TEditorEvents::MouseDown(TQxEditor& Editor, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Box mode the user chose by command stays; otherwise the mode follows Alt.
    if (Editor.SelectionMode() != smBox || FBoxByAlt) {
        const bool alt = (Shift & ssAlt) != 0;
        FBoxByAlt = alt;
        const TEditorSelectionMode mode = alt ? smBox : smLine;
        if (Editor.SelectionMode() != mode) Editor.SetSelectionMode(mode);
    }
    if (Button != mbLeft || Editor.DragState() != 0 || !Editor.CanSelMove() || X < Editor.TextAreaLeft()) return;
    int row = 0, col = 0;
    Editor.PosToRowCol(X, Y, false, col, row);
    if (Editor.IsInSelection(row, col)) Editor.BeginSelectionDrag(Shift, X, Y);
}

void TEditorEvents::SelectionChange(TQxEditor& Editor, bool Selected)
{
    if (Selected || Editor.SelectionMode() != smBox) return;
    FBoxByAlt = false;
    Editor.SetSelectionMode(smLine);
}

int TEditorEvents::WindowWrapWidth(TQxEditor& Editor)
{
    const int w = Editor.ColWidth();
    const TEditorViewport* viewport = Editor.Viewport();
    if (w <= 0 || !viewport) return Editor.WrapOption().WrapByte();
    int columns = (viewport->ClientWidth() - Editor.TextAreaLeft() - w / 2) / w;
    if (Editor.Marks().WrapMark().Visible()) columns -= 2;
    return std::max(1, columns);
}

void TEditorEvents::Resize(TQxEditor& Editor)
{
    if (!Editor.WrapByWindow || Editor.ColWidth() <= 0) return;
    const int width = WindowWrapWidth(Editor);
    if (width != Editor.WrapOption().WrapByte()) Editor.WrapOption().SetWrapByte(width);
}

} // namespace qx
