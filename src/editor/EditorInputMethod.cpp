// TEditor: the input method. The host forwards every composition here: its committed text goes into
// the text once, as one undo step; its preedit text is only drawn over the text at the caret (the
// text and the undo list stay as they are) until the composition ends. The input method also reads
// the text around the caret, to convert again what is already written.

#include "editor/EditorControl.h"

#include <algorithm>

namespace qx {

namespace {

// The rows of the caret's logical line the input method sees on each side of the caret row: enough
// for its context, without a cost in the size of a long line.
constexpr int ImeContextRows = 4;

} // namespace

void TEditor::InputMethod(const std::string& Commit, const std::string& Preedit, int PreeditCursor,
                          int ReplaceFrom, int ReplaceLength)
{
    if (FReadOnly) return;
    const bool wasComposing = !FPreedit.empty();
    if (wasComposing && FViewport) FViewport->Invalidate(PreeditRect());
    FPreedit.clear();
    if (!Commit.empty() || ReplaceLength > 0) {
        // The caret shows again also when the commit is refused.
        struct TCaretUpdate {
            TEditor& Editor;
            ~TCaretUpdate() { Editor.EndCaretUpdate(); }
        };
        BeginCaretUpdate();
        TCaretUpdate update{*this};
        if (ReplaceLength > 0 && FList->Count() > 0) {
            // The stretch the input method converts again replaces the selection.
            const std::int64_t caret = FRow < FList->Count() ? FList->CharIndexOfRow(FRow) + ColToByte(FRow, FCol)
                                                             : TextLength();
            SetSelStart(std::clamp<std::int64_t>(caret + ReplaceFrom, 0, TextLength()));
            SetSelLength(ReplaceLength);
        }
        // Committed text goes in as typed text (over what follows in overwrite mode); an empty
        // commit deletes the stretch.
        if (Commit.empty())
            ReplaceSelection(Commit);
        else
            InsertTypedText(Commit);
    }
    FPreedit = Preedit;
    FPreeditCursor = std::clamp(PreeditCursor < 0 ? static_cast<int>(Preedit.size()) : PreeditCursor, 0,
                                static_cast<int>(Preedit.size()));
    const bool composing = !FPreedit.empty();
    // The caret hides while the composition shows its own.
    if (composing && !wasComposing) BeginCaretUpdate();
    if (!composing && wasComposing) EndCaretUpdate();
    if (composing && FViewport) FViewport->Invalidate(PreeditRect());
}

TRect TEditor::PreeditRect() const
{
    int x = 0, y = 0;
    x = TextAreaLeft() + (FCol - FTopCol) * FColWidth;
    y = TextAreaTop() + (FRow - FTopRow) * RowHeight();
    // The cursor's line may stand just after the last character.
    return {x, y, x + (DisplayWidth(FPreedit) + 1) * FColWidth, y + RowHeight()};
}

void TEditor::PaintPreedit(TEditorCanvas& Canvas)
{
    if (FPreedit.empty()) return;
    const TRect r = PreeditRect();
    TTextStyle style;
    style.Font = FFont;
    style.Background = FColor;
    style.CellWidth = FColWidth;
    const int width = DisplayWidth(FPreedit) * FColWidth;
    const TRect text{r.Left, r.Top, r.Left + width, r.Bottom};
    Canvas.FillRect(text, FColor);
    Canvas.TextRun(text, r.Left, r.Top, etoOpaque | etoClipped, FPreedit, style);
    const int underline = r.Top + FFontHeight - 1;
    Canvas.Line(r.Left, underline, r.Left + width, underline, FFont.Color);
    const int cursor = r.Left + DisplayWidth(std::string_view(FPreedit).substr(0, static_cast<std::size_t>(FPreeditCursor))) * FColWidth;
    Canvas.FillRect({cursor, r.Top, cursor + 2, r.Top + FFontHeight}, FFont.Color);
}

void TEditor::ImeRows(int& First, int& Last) const
{
    const int count = FList->Count();
    if (FRow >= count) {
        First = count;
        Last = count - 1;
        return;
    }
    // Bounded walks: a line wrapped over a million rows costs no more than a short one.
    First = FRow;
    while (First > 0 && FRow - First < ImeContextRows && FList->RowAttributes(First - 1) == raWrapped) --First;
    Last = FRow;
    while (Last < count - 1 && Last - FRow < ImeContextRows && FList->RowAttributes(Last) == raWrapped) ++Last;
}

TEditor::TImeSurrounding TEditor::ImeSurrounding() const
{
    TImeSurrounding around;
    int first = 0, last = -1;
    ImeRows(first, last);
    const auto offsetOf = [&](int ARow, int AByte) {
        if (ARow < first) return 0;
        if (ARow > last) return static_cast<int>(around.Text.size());
        std::size_t offset = 0;
        for (int r = first; r < ARow; ++r) offset += FList->Get(r).size();
        return static_cast<int>(offset) + AByte;
    };
    for (int r = first; r <= last; ++r) around.Text += FList->Get(r);
    around.Cursor = FRow <= last ? offsetOf(FRow, ColToByte(FRow, FCol)) : 0;
    around.Anchor = around.Cursor;
    if (SelectionShown()) {
        // The selection's end that is not the caret.
        const TSelectionBounds& b = FByteSelection;
        const bool caretAtStart = b.StartRow == FRow && b.StartCol == ColToByte(FRow, FCol);
        around.Anchor = caretAtStart ? offsetOf(b.EndRow, b.EndCol + 1) : offsetOf(b.StartRow, b.StartCol);
        around.Anchor = std::clamp(around.Anchor, 0, static_cast<int>(around.Text.size()));
    }
    return around;
}

} // namespace qx
