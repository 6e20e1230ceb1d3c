// The Edit menu's commands: undo and redo, the clipboard, deleting, the selections, indenting and the
// caret-row commands, on the focused pane (paste and the insertions also ask the current editor).

#include "mainwindow/commands/MainCommands.h"

#include "editor/EditorControl.h"
#include "editor/QxEditor.h"
#include "editor/RowAttributes.h"
#include "platform/VirtualKeys.h"

#include <algorithm>
#include <utility>

namespace qx {

namespace {

// The selection from the caret to a place (the caret goes there).
void SelectFromCaretTo(TEditor& Editor, int Row, int Col)
{
    if (Editor.RowCount() == 0) return;
    Editor.StartSelection();
    Editor.SetRowCol(Row, Col);
    Editor.ShowSelection();
}

// The end of the text: the last row's end, or the empty row after it when the text ends with a line
// end (the caret may stand there, as the control's own Ctrl+End puts it).
void EndOfText(TEditor& Editor, int& Row, int& Col)
{
    const int count = Editor.RowCount();
    if (count > 0 && Editor.RowAttribute(count - 1) == raEof) {
        Row = count - 1;
        Col = Editor.RowDisplayWidth(Row);
    } else {
        Row = count;
        Col = 0;
    }
}

} // namespace

void BindEditCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    // The rules that follow the focused editor and the edit mode.
    const auto editable = [&Host] { return Host.FocusedEditor() != nullptr && Host.Editable(); };
    const auto selected = [&Host] { return (Host.FocusedEditor() && Host.FocusedEditor()->HasSelection()); };
    const auto editableSelected = [editable, selected] { return editable() && selected(); };
    const auto pasteable = [&Host, editable] { return editable() && Host.ClipboardHasText(); };
    // Runs Body on the focused editor, when there is one.
    const auto focused = [&Host](auto Body) {
        return [&Host, Body] {
            if (TEditor* editor = Host.FocusedEditor()) Body(*editor);
        };
    };

    Commands.Bind("ActionUndo", focused([](TEditor& e) { e.Undo(); }),
                  [&Host] { return Host.FocusedEditor() && Host.FocusedEditor()->CanUndo(); });
    Commands.Bind("ActionRedo", focused([](TEditor& e) { e.Redo(); }),
                  [&Host] { return Host.FocusedEditor() && Host.FocusedEditor()->CanRedo(); });

    const auto cut = [&Host] {
        TEditor* editor = Host.FocusedEditor();
        if (!editor) return;
        Host.PrepareClipboardHistory();
        editor->CutToClipboard();
    };
    const auto copy = [&Host] {
        TEditor* editor = Host.FocusedEditor();
        if (!editor) return;
        Host.PrepareClipboardHistory();
        editor->CopyToClipboard();
    };
    // Pastes into the focused pane; without "PasteCurPos" the caret goes back to the selection's start.
    const auto paste = [&Host] {
        TEditor* current = Host.CurrentEditor();
        TEditor* editor = Host.FocusedEditor();
        if (!current || !editor || current->ReadOnly()) return;
        const auto* qx = dynamic_cast<const TQxEditor*>(current);
        const bool keepCaret = qx && qx->PasteCurPos == 0;
        const std::int64_t start = editor->SelStart();
        editor->PasteFromClipboard();
        if (keepCaret) editor->SetSelStart(start);
    };
    for (const char* action : {"ActionCut", "ActionCutKeySub"}) Commands.Bind(action, cut, editableSelected);
    for (const char* action : {"ActionCopy", "ActionCopyKeySub"}) Commands.Bind(action, copy, selected);
    for (const char* action : {"ActionPaste", "ActionPasteKeySub"}) Commands.Bind(action, paste, pasteable);
    Commands.Bind("ActionDelete", focused([](TEditor& e) { e.DeleteSelection(); }), editableSelected);
    Commands.Bind("ActionAllSelect", focused([](TEditor& e) { e.SelectAll(); }),
                  [&Host] { return Host.FocusedEditor() != nullptr; });
    Commands.Bind(
        "ActionBoxSelectMode",
        focused([](TEditor& e) { e.SetSelectionMode(e.SelectionMode() == smBox ? smLine : smBox); }),
        [&Host] { return Host.FocusedEditor() != nullptr; },
        [&Host] { return Host.FocusedEditor() && Host.FocusedEditor()->SelectionMode() == smBox; });

    // A box selection grown by one column or row from the keyboard: box mode, then Shift and the arrow, as
    // the control takes them (no key is pressed on the desktop, so none can stay pressed).
    for (const auto& [action, key] : {std::pair{"ActionKeyBoxSelectRight", VK_RIGHT}, std::pair{"ActionKeyBoxSelectLeft", VK_LEFT},
                                      std::pair{"ActionKeyBoxSelectUp", VK_UP}, std::pair{"ActionKeyBoxSelectDown", VK_DOWN}})
        Commands.Bind(action, focused([key](TEditor& e) {
                          if (e.SelectionMode() != smBox) e.SetSelectionMode(smBox);
                          e.KeyDown(key, ssShift);
                          e.KeyUp(key, ssShift);
                      }),
                      [&Host] { return Host.FocusedEditor() != nullptr; });

    Commands.Bind("ActionStartToLine", focused([](TEditor& e) { SelectFromCaretTo(e, 0, 0); }));
    Commands.Bind("ActionStartToLine2", focused([](TEditor& e) { SelectFromCaretTo(e, e.Row(), 0); }));
    Commands.Bind("ActionLineToEnd", focused([](TEditor& e) {
        int row = 0, col = 0;
        EndOfText(e, row, col);
        SelectFromCaretTo(e, row, col);
    }));
    Commands.Bind("ActionLineToEnd2", focused([](TEditor& e) {
        if (e.Row() < e.RowCount()) SelectFromCaretTo(e, e.Row(), e.RowDisplayWidth(e.Row()));
    }));
    Commands.Bind("ActionSelectWord", focused([](TEditor& e) { e.SelectWordAtCaret(); }),
                  [&Host] { return Host.FocusedEditor() != nullptr; });
    Commands.Bind("ActionSelectNowLine", focused([](TEditor& e) { e.SelectRow(e.Row()); }));

    Commands.Bind("ActionTabIndent", focused([](TEditor& e) { e.TabIndent(); }), editableSelected);
    Commands.Bind("ActionTabUnindent", focused([](TEditor& e) { e.TabUnIndent(); }), editableSelected);
    Commands.Bind("ActionSpaceIndent", focused([](TEditor& e) { e.SpaceIndent(); }), editableSelected);
    Commands.Bind("ActionSpaceUnindent", focused([](TEditor& e) { e.SpaceUnIndent(); }), editableSelected);

    // Jumps to the text's ends, ending a selection as the control's own Ctrl+Home and Ctrl+End do; at
    // the end the caret row stands half a window from the top.
    Commands.Bind("ActionTopJump", focused([](TEditor& e) { e.SetSelStart(0); }));
    Commands.Bind("ActionBottomJump", focused([](TEditor& e) {
        int row = 0, col = 0;
        EndOfText(e, row, col);
        e.CleanSelection();
        e.SetRowCol(row, col);
        e.SetTopRow(std::clamp(row - e.VisibleRows() / 2, 0, std::max(0, e.MaxTopRow())));
    }));
    // The caret one row or column in the current editor, within the text and the columns.
    const auto current = [&Host](auto Body) {
        return [&Host, Body] {
            if (TEditor* editor = Host.CurrentEditor()) Body(*editor);
        };
    };
    Commands.Bind("ActionCaretUp", current([](TEditor& e) { e.SetRow(std::max(0, e.Row() - 1)); }));
    Commands.Bind("ActionCaretDown",
                  current([](TEditor& e) { e.SetRow(std::clamp(e.Row() + 1, 0, std::max(0, e.RowCount() - 1))); }));
    Commands.Bind("ActionCaretRight", current([](TEditor& e) { e.SetCol(std::min(MaxColumn, e.Col() + 1)); }));
    Commands.Bind("ActionCaretLeft", current([](TEditor& e) { e.SetCol(std::max(0, e.Col() - 1)); }));

    // The caret's row goes, with its line end when it ends its line.
    Commands.Bind("ActionDeleteCurLine", focused([](TEditor& e) {
                      if (e.ReadOnly() || e.Row() >= e.RowCount()) return;
                      const int row = e.Row();
                      e.BeginEdit();
                      e.CleanSelection();
                      e.List().UpdateText(row, 1, {});
                      e.EndEdit();
                      e.SetRowCol(std::clamp(row, 0, std::max(0, e.RowCount() - 1)), 0);
                  }),
                  editable);
}

} // namespace qx
