#pragma once
// Applying an editor environment (documents/EditorEnvironment.h) to a document editor: fonts and
// margins, colours and comment brackets, marks, caret and editing switches, scroll bars, highlighted
// words, wrapping, rulers and the line-number bar, the file lock and time stamp, backups and the input
// method, in that order. Every option object of the editor is held in one update bracket while the
// values land, so the editor repaints and re-lays its rows out once, whatever changed (a large document
// is wrapped once, not once for every wrap setting).

#include "documents/EditorEnvironment.h"
#include "documents/GlobalState.h"
#include "editor/EditorWrap.h"

#include <functional>
#include <string>

namespace qx {

class TQxEditor;

// What the apply reaches beyond the editor.
struct TEnvironmentApplyHost {
    // The second pane of a split tab: the first pane holds the tab's file lock.
    bool SecondPane = false;
    // The file the document holds, which the environment's lock or time stamp guards; empty for a
    // document that holds none (untitled, a grep result, a project item). Never the editor's FileName
    // as it stands: a Save As or a load applies the environment before that name changes.
    std::string DocumentFile;
    // The program state that keeps the last applied "ScrollBarsType", "Caret" and "WrapStrLevel".
    TGlobalState* State = nullptr;
    // The main window's free-cursor action, checked as the environment's FreeCaret.
    std::function<void(bool Checked)> CheckFreeCursor;
    // Opens (true) or closes the input method when its state differs; none where the platform cannot.
    std::function<void(bool Open)> SetImeOpen;
};

// The wrap settings of Environment: the line-break rules with their strings and the guide line, not the
// wrap column nor the word wrap itself (they depend on the window).
void ApplyWrapRules(const TEditorEnvironment& Environment, TEditorWrapOption& Wrap);
// The wrap that Editor's text gets once Environment is applied, the window's columns taken as they are
// now: the rules go into Option, which the result points to. A text read for the editor is laid out by
// them as it comes, so that applying the environment afterwards does not lay it out again.
TWrapRules EnvironmentWrapRules(const TEditorEnvironment& Environment, TQxEditor& Editor, TEditorWrapOption& Option);
// Applies Environment to Editor. FileName is the environment's file: with "Hilight" on and the file
// present, its word lists fill the editor's three reserve-word lists.
void ApplyEditorEnvironment(const TEditorEnvironment& Environment, const std::string& FileName, TQxEditor& Editor,
                            const TEnvironmentApplyHost& Host = {});
// Reads FileName (a missing or unreadable file gives every default) and applies it.
void ApplyEditorEnvironment(const std::string& FileName, TQxEditor& Editor, const TEnvironmentApplyHost& Host = {});

} // namespace qx
