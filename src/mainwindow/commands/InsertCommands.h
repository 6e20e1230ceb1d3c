#pragma once
// The line-number dialog's values applied to a document's editor through the text commands.

#include "dialogs/InsertForms.h"

namespace qx {

class TEditor;

// The range of the "指定行に挿入" fields: 1 to the editor's line count (at least 1).
int LineNumberFieldMax(TEditor& Editor);
// Runs the line numbering of the text commands with the dialog's values (the whole text, or the given
// lines clamped to the text).
void InsertLineNumbersFromDialog(TEditor& Editor, const TLineNumberOptions& Options);

} // namespace qx
