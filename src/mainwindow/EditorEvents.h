#pragma once
// What the main window does when something happens in a document's editor: the current-line highlight,
// indenting a selection with the Tab key, the box mode that follows the Alt key at a mouse press, box
// mode ending with the selection, and the wrap width that follows the window. One object per window;
// its flags are the window's, whichever pane the event comes from.

#include "platform/ShiftState.h"
#include "editor/EditorControl.h"

#include <string>

namespace qx {

class TQxEditor;
struct TRect;

class TEditorEvents {
public:
    // The caret moved: with the current-line highlight on, the old and the new caret row are repainted.
    void CaretMoved(TQxEditor& Editor);
    // A row was painted: the caret row, when nothing is selected, is drawn again in the current line's
    // colours and style.
    void DrawLine(TQxEditor& Editor, const std::string& LineStr, int X, int Y, int Index, const TRect& ARect);
    // Tab (Shift+Tab) with a selection indents (unindents) its lines when "TabKeyIndent" is on; the key is
    // consumed (Key = 0) and so is the character it would type.
    void KeyDown(TQxEditor& Editor, int& Key, TShiftState Shift);
    void KeyPress(TQxEditor& Editor, char& Key);
    // A mouse press: the box mode follows the Alt key, unless the user chose box mode by command; a left
    // press inside a movable selection, right of the left margin, starts dragging it.
    void MouseDown(TQxEditor& Editor, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The selection appeared or went; when it went, box mode ends.
    void SelectionChange(TQxEditor& Editor, bool Selected);
    // The editor's window changed size: with the wrap following the window, its width is computed again.
    void Resize(TQxEditor& Editor);

    // The wrap width that fills the editor's window: the columns of the text area less half a column,
    // less two more for the wrap mark when it is shown.
    static int WindowWrapWidth(TQxEditor& Editor);

private:
    bool FTabKeyHandled = false;
    // Box mode was turned on by the Alt key at a press (not by the box-mode command).
    bool FBoxByAlt = false;
};

} // namespace qx
