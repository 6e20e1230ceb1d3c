// TEditor: block editing. Replacing the selection or inserting at the caret, and inserting a text as
// a rectangle. Each operation builds the new text of a run of rows and hands it to the row store in
// one edit, so it is one undo step; the caret is placed by a character offset from the first row the
// store may re-wrap, so it lands after the inserted text even when the line wraps anew.

#include "editor/EditorControl.h"

#include "platform/Exception.h"
#include "platform/LeadByte.h"

#include <algorithm>
#include <vector>

namespace qx {

const char* const TEditor::InputTooLongText =
    "一行の文字数を超えるため、入力できません。\r\n折り返しを指定した状態で入力してください。";

namespace {

// The lines of S: CR, LF and CR LF end a line; a final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view S)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '\r' && S[i] != '\n') continue;
        lines.push_back(S.substr(start, i - start));
        if (S[i] == '\r' && i + 1 < S.size() && S[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < S.size()) lines.push_back(S.substr(start));
    return lines;
}

} // namespace

void TEditor::RefusePastLastColumn(std::string_view Text, std::size_t Caret, bool Always) const
{
    // Past the last column the caret would stay behind what was put in, and the next character typed
    // would go in before the one typed last.
    if ((!FLimitInput && !Always) || FList->WordWrap()) return;
    Caret = std::min(Caret, Text.size());
    const std::size_t lineEnd = Caret == 0 ? std::string_view::npos : Text.find_last_of("\r\n", Caret - 1);
    const std::size_t start = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    const std::string_view line = Text.substr(start, Caret - start);
    const int width = DisplayWidth(line);
    if (width <= MaxColumn) return;
    if (width == MaxColumn + 1) {
        // One column more is the place after a double-byte character drawn across the last column.
        std::size_t last = 0;
        for (std::size_t i = 0; i < line.size(); i += CharLengthAt(line, i)) last = i;
        if (line.size() - last == 2) return;
    }
    if (FViewport) FViewport->Beep();
    throw Exception(InputTooLongText);
}

void TEditor::ReplaceSelection(const std::string& S)
{
    if (FReadOnly) return;
    if (S.empty()) {
        if (FSelectionState == 2)
            DeleteSelection();
        else
            CleanSelection();
        return;
    }
    if (FSelectionState == 2) {
        ReplaceSelected(S);
        return;
    }
    const int count = FList->Count();
    const int row = FRow;
    const std::string_view old = row < count ? FList->Get(row) : std::string_view();
    const int at = ColToByte(row, FCol);
    // A free caret past the row's end: the row is padded up to it first.
    const int pad = std::max(0, FCol - DisplayWidth(old));
    std::string text;
    text.reserve(old.size() + static_cast<std::size_t>(pad) + S.size() + 2);
    text.append(old.substr(0, static_cast<std::size_t>(at)));
    text.append(static_cast<std::size_t>(pad), ' ');
    text += S;
    text.append(old.substr(static_cast<std::size_t>(at)));
    if (row < count && FList->RowAttributes(row) == raEnd) text += "\r\n";
    RefusePastLastColumn(text, static_cast<std::size_t>(at + pad) + S.size());

    const int anchor = row < count ? std::max(FList->LineStartRow(row), row - 1) : std::max(0, row - 1);
    const std::int64_t offset = FList->CharIndexOfRow(row) - FList->CharIndexOfRow(anchor) + at + pad +
                                static_cast<std::int64_t>(S.size());
    BeginEdit();
    CleanSelection();
    FList->UpdateText(row, row < count ? 1 : 0, text);
    CaretToOffset(anchor, offset);
    EndEdit();
}

void TEditor::ConvertAllLines(const std::function<std::string(std::string_view)>& Convert)
{
    if (FReadOnly || FList->Count() == 0) return;
    BeginEdit();
    CleanSelection();
    FList->ConvertLines(Convert);
    CaretToOffset(0, FList->TextLength());
    EndEdit();
}

void TEditor::InsertBlock(const std::string& S)
{
    if (FReadOnly) return;
    const std::vector<std::string_view> lines = SplitLines(S);
    if (lines.empty()) {
        if (FSelectionState == 2) DeleteSelection();
        return;
    }
    const int count = FList->Count();
    const bool box = FSelectionState == 2 && FSelectionMode == smBox;
    const int startRow = box ? FSelection.StartRow : FRow;
    const int col = box ? FSelection.StartCol : FCol;
    const int boxEnd = box ? std::min(FSelection.EndRow, count - 1) : -1;
    const int blockEnd = startRow + static_cast<int>(lines.size()) - 1;
    const int runEnd = std::max(blockEnd, boxEnd);
    // The text ends as it did: with a line end after its last row, or without one.
    const bool endsWithLineEnd = count > 0 && FList->RowAttributes(count - 1) == raEnd;

    std::string text;
    int lastCol = col;
    std::string caretLine;  // the last row of the block up to the block's right edge
    for (int r = startRow; r <= runEnd; ++r) {
        std::string row;
        if (r < count) {
            const std::string_view old = FList->Get(r);
            int from = 0, to = 0;
            if (box && r <= boxEnd) BoxBytes(r, FSelection.StartCol, FSelection.EndCol, from, to);
            row.assign(old.substr(0, static_cast<std::size_t>(from)));
            row.append(old.substr(static_cast<std::size_t>(to)));
        }
        if (r <= blockEnd) {
            // The block's column as a byte of this row: a column inside a tab or a double-byte
            // character goes back to that character's start; a row that ends before it is padded.
            const std::string columns = TextColumns(row);
            const int start = CellStart(columns, col);
            const int at = ColumnToByte(columns, static_cast<int>(row.size()), start);
            const int pad = std::max(0, col - DisplayWidth(row));
            const std::string_view line = lines[static_cast<std::size_t>(r - startRow)];
            row.insert(static_cast<std::size_t>(at), std::string(static_cast<std::size_t>(pad), ' ').append(line));
            if (r == blockEnd) {
                lastCol = start + static_cast<int>(line.size());
                caretLine = row.substr(0, static_cast<std::size_t>(at + pad) + line.size());
            }
        }
        text += row;
        const bool more = r < runEnd;
        const int attribute = r < count ? FList->RowAttributes(r) : raEof;
        if (attribute == raEnd || (attribute == raEof && (more || (r >= count && endsWithLineEnd)))) text += "\r\n";
    }

    RefusePastLastColumn(caretLine, caretLine.size(), true);
    BeginEdit();
    CleanSelection();
    FList->UpdateText(startRow, std::max(0, std::min(runEnd, count - 1) - startRow + 1), text);
    SetRowCol(blockEnd, lastCol);
    EndEdit();
}

} // namespace qx

namespace qx {

namespace {

bool IsFullWidthSpace(std::string_view S, std::size_t I) { return I + 1 < S.size() && S[I] == '\x81' && S[I + 1] == '\x40'; }

} // namespace

void TEditor::SpaceIndent() { IndentSelection(false, 1); }
void TEditor::SpaceUnIndent() { IndentSelection(false, -1); }
void TEditor::TabIndent() { IndentSelection(true, 1); }
void TEditor::TabUnIndent() { IndentSelection(true, -1); }

void TEditor::IndentSelection(bool Tab, int Step)
{
    if (FReadOnly || FSelectionState != 2) return;
    const int count = FList->Count();
    const bool box = FSelectionMode == smBox;
    const TSelectionBounds sel = FSelection;
    const int first = sel.StartRow;
    // A normal selection that ends in column 0 leaves its end row out.
    int last = std::min(count - 1, !box && sel.EndRow > sel.StartRow && sel.EndCol == 0 ? sel.EndRow - 1 : sel.EndRow);
    if (first > last) return;
    const bool wrap = FList->WordWrap();
    const int wrapByte = FList->WrapOption().WrapByte();
    const int tab = FCaret->TabSpaceCount();

    std::vector<int> delta(static_cast<std::size_t>(last - first + 1), 0);
    std::string text;
    bool changed = false;
    for (int r = first; r <= last; ++r) {
        const std::string_view row = FList->Get(r);
        std::string out(row);
        // A wrapped row and the row that continues it keep their text.
        const bool whole = !wrap || (FList->RowAttributes(r) != raWrapped && (r == 0 || FList->RowAttributes(r - 1) != raWrapped));
        // Where the change happens: the row's start, or the box's column moved back to its character.
        std::size_t at = 0;
        if (box) {
            const std::string columns = RowColumns(r);
            at = static_cast<std::size_t>(ColumnToByte(columns, static_cast<int>(row.size()), CellStart(columns, sel.StartCol)));
        }
        if (whole && (at < row.size() || (!box && Step > 0))) {
            const std::string_view head = row.substr(0, at);
            const int headWidth = DisplayWidth(head);
            // The blanks at the place and their width.
            std::size_t end = at;
            while (end < row.size() && (row[end] == ' ' || row[end] == '\t' || IsFullWidthSpace(row, end)))
                end += IsFullWidthSpace(row, end) ? 2 : 1;
            const int blanks = DisplayWidth(row.substr(0, end)) - headWidth;
            const std::string_view rest = row.substr(end);
            std::string lead;
            bool apply = false;
            if (!Tab) {
                apply = Step > 0 || end > at;
                lead.assign(static_cast<std::size_t>(std::max(0, blanks + Step)), ' ');
                lead += rest;
            } else if (Step > 0) {
                apply = !wrap || static_cast<int>(row.size()) + tab < wrapByte;
                lead = "\t" + std::string(row.substr(at));
            } else {
                apply = at < row.size() && row[at] == '\t';
                lead = std::string(row.substr(at + 1));
            }
            std::string candidate = std::string(head) + lead;
            if (apply && wrap && Step > 0 && !Tab && DisplayWidth(candidate) >= wrapByte) apply = false;
            if (apply) {
                const std::size_t keep = candidate.size() - rest.size();
                const std::size_t oldKeep = row.size() - rest.size();
                delta[static_cast<std::size_t>(r - first)] = DisplayWidth(std::string_view(candidate).substr(0, keep)) -
                                                             DisplayWidth(row.substr(0, oldKeep));
                changed = changed || candidate != row;
                out = std::move(candidate);
            }
        }
        text += out;
        if (FList->RowAttributes(r) == raEnd) text += "\r\n";
    }
    if (!changed) return;

    const auto moved = [&](int Row, int Col) {
        return Row >= first && Row <= last ? std::max(0, Col + delta[static_cast<std::size_t>(Row - first)]) : Col;
    };
    const int anchorRow = FAnchorRow, anchorCol = moved(FAnchorRow, FAnchorCol);
    const int caretRow = FRow, caretCol = moved(FRow, FCol);
    BeginEdit();
    CleanSelection();
    FList->UpdateText(first, last - first + 1, text);
    // The same text stays selected; a one-row selection that became empty ends.
    if (anchorRow != caretRow || anchorCol != caretCol) {
        SetRowCol(anchorRow, anchorCol);
        StartSelection();
        SetRowCol(caretRow, caretCol);
        ShowSelection();
    } else {
        SetRowCol(caretRow, caretCol);
    }
    EndEdit();
}

} // namespace qx
