#pragma once
// The line-number dialog's values applied to a document's editor through the text commands.

#include "dialogs/InsertForms.h"

namespace qx {

class TEditor;

// Runs the line numbering of the text commands with the dialog's values (the whole text, or the given
// lines clamped to the text).
void InsertLineNumbersFromDialog(TEditor& Editor, const TLineNumberOptions& Options);

} // namespace qx
