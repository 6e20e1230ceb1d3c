#pragma once
// What the main window does when something happens in a document's editor: the current-line highlight,
// indenting a selection with the Tab key, the box mode that follows the Alt key at a mouse press, box
// mode ending with the selection, links that a click selects or opens, dragging the selection within
// a pane and to the other pane of a split window, and the wrap width that follows the window. One
// object per window; its flags are the window's, whichever pane the event comes from.

#include "platform/ShiftState.h"
#include "editor/EditorControl.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qx {

class TLauncher;
class TPrompter;
class TQxEditor;
struct TRect;

// Where links go: web and mail addresses to the desktop's programs (started in the program's folder),
// files into a tab of the window.
struct TLinkTargets {
    TLauncher* Launcher = nullptr;
    TPrompter* Prompter = nullptr;
    std::filesystem::path ProgramFolder;
    std::function<void(const std::string& FileName)> OpenFile;
};

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
    // The selection appeared or went: the caret row is repainted for the current-line highlight; when
    // it went, box mode ends.
    void SelectionChange(TQxEditor& Editor, bool Selected);
    // The mouse moved: with no button held, the hand shows over a link that a click or a double click
    // opens; elsewhere the editor's own cursor.
    void MouseMove(TQxEditor& Editor, TShiftState Shift, int X, int Y);

    // A click and a double click at At (client pixels). On a web address, mail address or file link the
    // editor's mode for that kind decides (ModeURL, ModeMailAddr, ModeFilename): 1 a click selects it,
    // 2 a click opens it, 3 a double click selects it, 4 a double click opens it, 5 a click selects it
    // and a double click opens it, 0 nothing; elsewhere nothing happens.
    void LinkClick(TQxEditor& Editor, TPoint At);
    void LinkDblClick(TQxEditor& Editor, TPoint At);
    TLinkTargets Links;
    // The file a file link names: "file://" or "file:" taken off, double quotes dropped, a relative
    // name made absolute against Folder.
    static std::string LinkFileName(std::string_view Link, const std::filesystem::path& Folder);

    // Dragging the selection between the views of one text (the panes of a split window). Target is
    // the view under the mouse, (X, Y) a point of its client area: Source itself, another view of its
    // text, or null. DragOver answers true when another view shows the drop point (Source's caret then
    // stays); DragDrop, when it dropped: moved to the drop point (copied with Ctrl) as one undo step
    // and selected there, or, dropped inside the dragged selection, only the selection ended. Without
    // a target the source does its own.
    bool DragOver(TQxEditor& Source, TQxEditor* Target, int X, int Y);
    bool DragDrop(TQxEditor& Source, TQxEditor* Target, TShiftState Shift);
    // The drag is over: another view's drop point goes.
    void EndDrag();
    // An editor is going: the events keep no hold on it.
    void Forget(const TEditor* Editor);
    // The editor's window changed size: with the wrap following the window, its width is computed again.
    void Resize(TQxEditor& Editor);

    // The wrap width that fills the editor's window: the columns of the text area less half a column,
    // less two more for the wrap mark when it is shown.
    static int WindowWrapWidth(TQxEditor& Editor);

private:
    void Link(TQxEditor& Editor, TPoint At, bool Double);
    void OpenLink(TQxEditor& Editor, int Kind, const std::string& Token);

    bool FTabKeyHandled = false;
    bool FPrevHasSelection = false;
    // The view that shows the drop point of a drag from another, and the one that shows the hand.
    TQxEditor* FDropTarget = nullptr;
    TEditor* FHandShown = nullptr;
    // Box mode was turned on by the Alt key at a press (not by the box-mode command).
    bool FBoxByAlt = false;
};

} // namespace qx
