#pragma once
// What a text's row store and its logical-line face need from an editor that shows the text: the caret,
// the scroll position, focus, the selection, repainting, and the options that decide how a row lays out.
// The editing control implements it; tests implement it with a fake. Two views of one text (a split
// window) are two implementations over one row store.

#include "editor/EditorWrap.h"

#include <cstdint>

namespace qx {

class TFountain;
class TEditorScreenStrings;

// How the line-number bar numbers its rows.
enum class TLeftbarNumbers { None, Rows, Lines };

class TEditorView {
public:
    virtual ~TEditorView() = default;

    // The row store of the text this view shows.
    virtual TEditorScreenStrings& ScreenStrings() = 0;

    // Caret and scroll position, in rows and display columns.
    virtual int Row() const = 0;
    virtual int Col() const = 0;
    // Moves the caret as the control's Row setter does (clamped to the text, column re-fitted).
    virtual void SetRow(int Row) = 0;
    virtual void SetRowCol(int Row, int Col) = 0;
    // Puts the caret at a character offset counted from the start of FromRow (a line end counts 2).
    virtual void CaretToOffset(int FromRow, std::int64_t Offset) = 0;
    virtual int TopRow() const = 0;
    virtual void SetTopRow(int Row) = 0;
    // Whole rows that fit the text area.
    virtual int VisibleRows() const = 0;
    // Rows that fit the height of the screen: the lexer runs at most twice that far ahead.
    virtual int ScreenRows() const { return VisibleRows(); }
    virtual bool Focused() const = 0;

    // The state of the control.
    virtual bool Loading() const { return false; }
    virtual bool Destroying() const { return false; }

    // Ends a shown selection or search hit.
    virtual void CleanSelection() = 0;
    // Brackets around one editing operation (the caret is placed once, at the end).
    virtual void BeginEdit() {}
    virtual void EndEdit() {}
    // The logical-line face starts (True) or ends (False) a batch of changes: painting waits.
    virtual void SetLinesUpdating(bool Updating) { (void)Updating; }
    // The store has lexer states left to compute: the view calls its LexAhead when idle, until it
    // answers that nothing is left.
    virtual void LexLater() {}

    // The row store changed (once per update batch); the control repaints from its UpdateRange.
    virtual void TextChanged(TEditorScreenStrings& Rows) = 0;
    // Row Row must be painted again (its lexer state changed).
    virtual void InvalidateRow(int Row) = 0;
    // Recompute the scroll ranges and repaint everything.
    virtual void RefreshView() = 0;

    // Repainting after an edit (the screen updater's work).
    virtual void InvalidateRows(int Row1, int Row2) = 0;
    virtual void InvalidateTextArea() = 0;
    // Moves the pictures of the rows from FromRow on by Rows rows (negative: up).
    virtual void ScrollTextRows(int FromRow, int Rows) = 0;
    virtual void ScrollImagebarRows(int FromRow, int Rows) = 0;
    virtual bool ImagebarVisible() const { return false; }
    virtual TLeftbarNumbers LeftbarNumbers() const { return TLeftbarNumbers::None; }
    virtual void InvalidateLeftbarRows(int Row1, int Row2) = 0;

    // Options that decide the layout of a row and the lexing of the text.
    virtual TDelimiters Delimiters() const { return DefaultDelimiters(); }
    virtual int TabSpaceCount() const { return 8; }
    virtual bool InitBracketsFull() const { return false; }
    // The fountain whose lexer colours the text; null: the text is not lexed.
    virtual TFountain* ActiveFountain() const { return nullptr; }
};

} // namespace qx
