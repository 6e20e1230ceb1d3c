#pragma once
// The text commands on a document's editor: marks before or after the selected lines, line numbers, a
// duplicated line, line breaks at the wrap points, the selection converted, and the HTML export. Each
// change of several lines is one edit of the row store: one undo step, and every row keeps its marks
// (bookmarks included) as long as the rows stay.

#include "documents/DocumentFiles.h"

#include <functional>
#include <string>
#include <string_view>

namespace qx {

class TEditor;
class TPrompter;

// The logical lines (0-based) the selection covers, or the caret's line without one; a selection that
// ends at the start of a row after a line end leaves that row's line out.
void SelectedLines(TEditor& Editor, int& First, int& Last);

// Replaces lines First..Last (0-based) by Edit(line) in one edit; the caret stays where it was.
void EditLines(TEditor& Editor, int First, int Last, const std::function<std::string(std::string_view)>& Edit);

// Mark (Shift-JIS) before / after every selected line.
void QuoteSelectedLines(TEditor& Editor, std::string_view Mark);
void AppendMarkToSelectedLines(TEditor& Editor, std::string_view Mark);

// Numbers the lines FirstLine..LastLine (1-based, clamped to the text) with StartNumber, +Step each, the
// number's digits as LineNumberDigits says (AutoWidth: from the editor's line count), then a blank.
void InsertLineNumbers(TEditor& Editor, bool AutoWidth, int Digits, long long StartNumber, int LastLine,
                       int FirstLine, int Step);

// The caret's line once more below it; the caret keeps its offset.
void DuplicateCurrentLine(TEditor& Editor);

// With word wrap on, every displayed row becomes a line of its own.
void AddLineBreaksAtWraps(TEditor& Editor);

// The selected text through Convert: inserted as a block in box-selection mode, else in place of the
// selection. Nothing without a selection or on a read-only editor. ByLine: Convert keeps to lines (it
// maps each line on its own and never makes or takes a line end), so a selection of the whole text is
// converted line by line (TEditor::ConvertAllLines).
void ConvertSelection(TEditor& Editor, const std::function<std::string(std::string_view)>& Convert,
                      bool ByLine = false);

// The HTML page of Lines (Shift-JIS) with Title (Shift-JIS, escaped) and the PRE switch: CR LF line ends.
std::string HtmlPage(const std::vector<std::string>& Lines, std::string_view Title, bool Pre);
// Writes the current editor's text as an HTML page to FileName in the code and line end of the choices
// (1 keeps Shift-JIS and CR LF); false when nothing was written (the prompter told why).
bool ExportHtml(TEditor& Editor, TPrompter& Prompter, const std::string& FileName, std::string_view Title, bool Pre,
                int CodeChoice, int LineChoice, const TFileWriter& Writer = SafeFileWriter());

} // namespace qx
