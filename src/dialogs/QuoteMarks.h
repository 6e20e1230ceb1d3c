#pragma once
// The quote-mark editor's logic: before a quoting command runs, the user may change the marks it uses
// (InyouString1..5 of the [Option] settings, Shift-JIS). The command's mode picks the caption and which
// marks are shown: one mark, or a head and a tail mark for enclosing.

#include "documents/Settings.h"

#include <string>
#include <vector>

namespace qx {

// The quoting commands, by the number their callers pass.
enum class TQuoteMarkMode {
    InyouCut = 0, InyouCopy = 1, InyouPaste = 2, Enclose = 3, LineHead = 4, LineTail = 5
};

struct TQuoteMarkForm {
    const char* Caption;                             // UTF-8
    std::vector<std::string TOptionSettings::*> Marks;  // one mark, or head and tail
};

// The form of a mode 0..5; any other number raises EListError.
const TQuoteMarkForm& QuoteMarkForm(int Mode);

// One showing of the editor over the settings: the edits start from the settings' marks; Accept
// stores the edited marks (an empty one too) at once, Cancel leaves them.
class TQuoteMarkEditor {
public:
    TQuoteMarkEditor(int Mode, TOptionSettings& Settings);

    const char* Caption() const { return FForm.Caption; }
    // True for the enclosing mode's two edits (head, tail).
    bool TwoMarks() const { return FForm.Marks.size() == 2; }
    // The edits' texts, Shift-JIS.
    std::vector<std::string> Edits;

    void Accept();
    bool Result() const { return FResult; }

private:
    const TQuoteMarkForm& FForm;
    TOptionSettings& FSettings;
    bool FResult = false;
};

} // namespace qx
