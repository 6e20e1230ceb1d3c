#include "mainwindow/commands/TextCommands.h"

#include "documents/DocumentCodes.h"
#include "editor/EditorControl.h"
#include "editor/RowAttributes.h"
#include "mainwindow/commands/TextConvert.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <vector>

namespace qx {

namespace {

// Replaces rows FirstRow..LastRow by Text in one edit of the row store; the caret goes back to its
// place, within the text.
void ReplaceRows(TEditor& Editor, int FirstRow, int LastRow, std::string_view Text)
{
    const int row = Editor.Row(), col = Editor.Col();
    Editor.BeginEdit();
    Editor.CleanSelection();
    Editor.List().UpdateText(FirstRow, LastRow - FirstRow + 1, Text);
    Editor.EndEdit();
    Editor.SetRowCol(std::clamp(row, 0, std::max(0, Editor.RowCount() - 1)), col);
}

} // namespace

void SelectedLines(TEditor& Editor, int& First, int& Last)
{
    if (Editor.RowCount() == 0) {
        First = 0, Last = -1;
        return;
    }
    if (!Editor.SelectionShown()) {
        First = Last = Editor.RowToLine(std::min(Editor.Row(), Editor.RowCount() - 1));
        return;
    }
    const TSelectionBounds& s = Editor.Selection();
    First = Editor.RowToLine(std::min(s.StartRow, Editor.RowCount() - 1));
    Last = Editor.RowToLine(std::min(s.EndRow, Editor.RowCount() - 1));
    // Ending at a row's start just after a line end: that row's line is not selected.
    if (s.EndRow > s.StartRow && s.EndCol == 0 && Editor.RowAttribute(s.EndRow - 1) == raEnd) --Last;
}

void EditLines(TEditor& Editor, int First, int Last, const std::function<std::string(std::string_view)>& Edit)
{
    if (Editor.ReadOnly() || Editor.RowCount() == 0) return;
    const int lastLine = Editor.RowToLine(Editor.RowCount() - 1);
    First = std::max(First, 0);
    Last = std::min(Last, lastLine);
    if (First > Last) return;
    TEditorScreenStrings& rows = Editor.List();
    const int firstRow = Editor.LineToRow(First);
    const int lastRow = rows.LineEndRow(Editor.LineToRow(Last));
    std::string text, line;
    for (int r = firstRow; r <= lastRow; ++r) {
        line += rows.Get(r);
        const int attr = Editor.RowAttribute(r);
        if (attr == raWrapped && r < lastRow) continue;
        text += Edit(line);
        if (attr == raEnd) text += "\r\n";
        line.clear();
    }
    ReplaceRows(Editor, firstRow, lastRow, text);
}

void QuoteSelectedLines(TEditor& Editor, std::string_view Mark)
{
    int first = 0, last = 0;
    SelectedLines(Editor, first, last);
    const std::string mark(Mark);
    EditLines(Editor, first, last, [&](std::string_view Line) { return mark + std::string(Line); });
}

void AppendMarkToSelectedLines(TEditor& Editor, std::string_view Mark)
{
    int first = 0, last = 0;
    SelectedLines(Editor, first, last);
    const std::string mark(Mark);
    EditLines(Editor, first, last, [&](std::string_view Line) { return std::string(Line) + mark; });
}

void InsertLineNumbers(TEditor& Editor, bool AutoWidth, int Digits, long long StartNumber, int LastLine,
                       int FirstLine, int Step)
{
    const int digits = LineNumberDigits(AutoWidth, Digits, Editor.Lines().Count(), Step);
    long long number = StartNumber;
    EditLines(Editor, FirstLine - 1, LastLine - 1, [&](std::string_view Line) {
        std::string out = FormatLineNumber(number, digits) + " ";
        out += Line;
        number += Step;
        return out;
    });
}

void DuplicateCurrentLine(TEditor& Editor)
{
    if (Editor.ReadOnly() || Editor.RowCount() == 0) return;
    const std::int64_t offset = Editor.SelStart();
    const int line = Editor.RowToLine(std::min(Editor.Row(), Editor.RowCount() - 1));
    EditLines(Editor, line, line, [](std::string_view Line) { return std::string(Line) + "\r\n" + std::string(Line); });
    Editor.SetSelStart(offset);
}

void AddLineBreaksAtWraps(TEditor& Editor)
{
    if (Editor.ReadOnly() || !Editor.WordWrap() || Editor.RowCount() == 0) return;
    TEditorScreenStrings& rows = Editor.List();
    const int count = Editor.RowCount();
    std::string text;
    for (int r = 0; r < count; ++r) {
        text += rows.Get(r);
        if (Editor.RowAttribute(r) != raEof) text += "\r\n";
    }
    ReplaceRows(Editor, 0, count - 1, text);
}

void ConvertSelection(TEditor& Editor, const std::function<std::string(std::string_view)>& Convert, bool ByLine)
{
    if (Editor.ReadOnly() || !Editor.SelectionShown()) return;
    // All of the text by a conversion that keeps to its lines: line by line, so that a long text is
    // neither copied out nor copied for undo.
    if (ByLine && Editor.SelectionMode() != smBox && Editor.SelStart() == 0 && Editor.SelLength() == Editor.TextLength()) {
        Editor.ConvertAllLines(Convert);
        return;
    }
    const std::string result = Convert(Editor.SelText());
    if (Editor.SelectionMode() == smBox)
        Editor.InsertBlock(result);
    else
        Editor.ReplaceSelection(result);
}

std::string HtmlPage(const std::vector<std::string>& Lines, std::string_view Title, bool Pre)
{
    std::string page = "<HTML>\r\n<HEAD><TITLE>" + HtmlEscape(Title) + "</TITLE></HEAD>\r\n<BODY>\r\n";
    if (Pre) page += "<PRE>\r\n";
    page += Utf8ToCp932("<!-- ここから本文です -->\r\n");
    for (const std::string& line : Lines) {
        page += HtmlEscape(line);
        if (!Pre) page += "<BR>";
        page += "\r\n";
    }
    page += Utf8ToCp932(Pre ? "\r\n<!-- ここまで -->\r\n</PRE>\r\n</BODY>\r\n</HTML>"
                            : "\r\n<!-- ここまで -->\r\n</BODY>\r\n</HTML>\r\n");
    return page;
}

bool ExportHtml(TEditor& Editor, TPrompter& Prompter, const std::string& FileName, std::string_view Title, bool Pre,
                int CodeChoice, int LineChoice, const TFileWriter& Writer)
{
    std::vector<std::string> lines;
    const int count = Editor.Lines().Count();
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) lines.push_back(Editor.Lines().Get(i));
    // The document's text form: lines separated by LF.
    std::string text = HtmlPage(lines, Title, Pre);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return WriteTextFile(Prompter, FileName, text, CharTypeOfChoice(CodeChoice, 2), RtrnTypeOfChoice(LineChoice, 2),
                         Writer);
}

} // namespace qx
