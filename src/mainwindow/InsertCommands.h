#pragma once
// The insertion dialogs' values applied to a document's editor: the date and time at the caret, the line
// numbers through the text commands.

#include "dialogs/InsertForms.h"

#include <string>

namespace qx {

class TEditor;

// Puts Text (Shift-JIS) in place of the editor's selection, or at the caret, as one edit; when
// InsertCurPos is 0 the caret goes back to where the text begins. Nothing on a read-only editor.
void InsertTextAtCaret(TEditor& Editor, const std::string& Text, int InsertCurPos);

// The range of the "指定行に挿入" fields: 1 to the editor's line count (at least 1).
int LineNumberFieldMax(TEditor& Editor);
// Runs the line numbering of the text commands with the dialog's values (the whole text, or the given
// lines clamped to the text).
void InsertLineNumbersFromDialog(TEditor& Editor, const TLineNumberOptions& Options);

} // namespace qx
