// TEditor: keys and typed characters. The host forwards every key (as a virtual-key code with the
// shift state its event carried) and every typed text here. Each change of text is one edit of the row store (one undo step); the caret is then put back
// by a character index, which the store's re-wrapping leaves valid.

#include "editor/EditorControl.h"

#include "editor/Fountain.h"
#include "editor/FountainParser.h"
#include "platform/LeadByte.h"
#include "platform/VirtualKeyCodes.h"

#include <algorithm>

namespace qx {

namespace {

// How far up the rows an indent is looked for: a keystroke never walks the whole text.
constexpr int IndentSearchRows = 4096;

bool IsCaretKey(int Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }

// A byte that may follow a lead byte.
bool IsTrailByte(unsigned char B) { return B >= 0x40 && B <= 0xFC && B != 0x7F; }

// The start of the character that ends at byte End of S.
std::size_t CharStartBefore(std::string_view S, std::size_t End)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < End;) {
        start = i;
        i += CharLengthAt(S, i);
    }
    return start;
}

// The end of the spaces and tabs that begin S.
std::size_t LeadingBlanks(std::string_view S)
{
    const std::size_t end = S.find_first_not_of(" \t");
    return end == std::string_view::npos ? S.size() : end;
}

std::string LineEndOf(int Attribute) { return Attribute == raEnd ? "\r\n" : ""; }

} // namespace

// ---------------------------------------------------------------------------------------------------
// Keys

bool TEditor::KeyDown(int Key, TShiftState Shift, bool Repeat)
{
    if (DragKey(Key, true)) return true;
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    FKeyRepeat = Repeat;
    if (Key == 0 || (Shift & ssAlt)) return false;
    if (Key == VK_DELETE) {
        DeleteKey();
        return true;
    }
    if (!IsCaretKey(Key)) return false;
    const bool shift = (Shift & ssShift) != 0;
    if (FSelectionState == 3) CleanSelection();
    if (shift && FSelectionState != 2)
        StartSelection();
    else if (!shift && FSelectionState == 2)
        CleanSelection();
    CaretKey(Key, (Shift & ssCtrl) != 0);
    if (shift) UpdateSelection();
    return true;
}

void TEditor::KeyUp(int Key, TShiftState Shift)
{
    if (DragKey(Key, false)) return;
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
    FKeyRepeat = false;
    if (FImePending) UpdateImeWindow();
}

void TEditor::CaretKey(int Key, bool Ctrl)
{
    const int count = FList->Count();
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: {
        const int speed = FKeyRepeat ? FSpeed->PageVerticalRangeAc() : FSpeed->PageVerticalRange();
        const int rows = std::max(1, (FVisibleRows - 1) / 2) * speed;
        ScrollRowsKeepCaret(Key == VK_PRIOR ? -rows : rows);
        break;
    }
    case VK_HOME:
        if (Ctrl) SetRow(0);
        SetCol(0);
        break;
    case VK_END:
        if (Ctrl) SetRow(count);
        SetCol(FRow < count ? RowDisplayWidth(FRow) : 0);
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        const int direction = Key == VK_LEFT ? -1 : 1;
        if (Ctrl) {
            int row = FRow, col = FCol;
            if (FindWordStart(row, col, direction)) SetRowCol(row, col);
        } else if (direction < 0) {
            if (FCol > 0) {
                SetCol(FCol - 1);
            } else if (FRow > 0 && (FCaret->NextLine() || RowAttribute(FRow - 1) == raWrapped)) {
                BeginCaretUpdate();
                SetRow(FRow - 1);
                SetCol(RowDisplayWidth(FRow));
                EndCaretUpdate();
            }
        } else {
            const int old = FCol;
            SetCol(FCol + 1);
            const int attribute = RowAttribute(FRow);
            if (FCol == old && attribute != raEof && (FCaret->NextLine() || attribute == raWrapped))
                SetRowCol(FRow + 1, 0);
        }
        break;
    }
    case VK_UP: {
        if (FRow <= 0) break;
        // A held key at the view's edge moves faster.
        const int step = FKeyRepeat && FRow == FTopRow ? static_cast<int>(FSpeed->CaretVerticalAc()) : 1;
        if (Ctrl) {
            SetTopRow(FTopRow - step);
            if (FRow > FTopRow + FVisibleRows - 1) SetRow(FRow - step);
        } else {
            SetRow(FRow - step);
        }
        break;
    }
    case VK_DOWN: {
        const int step = FKeyRepeat && FRow == FTopRow + FVisibleRows - 1 ? static_cast<int>(FSpeed->CaretVerticalAc()) : 1;
        if (Ctrl) {
            SetTopRow(FTopRow + step);
            if (FRow < FTopRow) SetRow(FRow + step);
        } else if (RowAttribute(FRow) != raEof) {
            SetRow(FRow + step);
        }
        break;
    }
    default: break;
    }
}

void TEditor::DeleteKey()
{
    if (FReadOnly) return;
    if (FSelectionState == 2) {
        DeleteSelection();
        return;
    }
    if (FSelectionState == 3) CleanSelection();
    const int count = FList->Count();
    if (FRow >= count) return;
    const std::string_view row = FList->Get(FRow);
    const int attribute = FList->RowAttributes(FRow);
    const std::int64_t rowIndex = FList->CharIndexOfRow(FRow);
    const int width = DisplayWidth(row);
    if (FCol >= width) {
        // At the row's end: the row is joined with the next, a free caret's gap filled with spaces.
        if (attribute == raEof) return;
        std::string text(row);
        const bool next = FRow + 1 < count;
        const std::string_view following = next ? FList->Get(FRow + 1) : std::string_view();
        if (attribute == raWrapped) {
            text.append(following.substr(CharLengthAt(following, 0)));
        } else {
            text.append(static_cast<std::size_t>(FCol - width), ' ');
            text.append(following);
        }
        const std::int64_t caret = rowIndex + static_cast<std::int64_t>(attribute == raWrapped ? row.size() : text.size() - following.size());
        if (next) text += LineEndOf(FList->RowAttributes(FRow + 1));
        EditRows(FRow, next ? 2 : 1, text, caret);
        return;
    }
    const std::string columns = RowColumns(FRow);
    int at = ColToByte(FRow, FCol);
    std::size_t length = CharLengthAt(row, static_cast<std::size_t>(at));
    if (FCol < static_cast<int>(columns.size()) && columns[static_cast<std::size_t>(FCol)] == '3') {
        // On a tab's filler cells: the tab itself goes.
        at -= 1;
        length = 1;
    }
    std::string text(row.substr(0, static_cast<std::size_t>(at)));
    text.append(row.substr(static_cast<std::size_t>(at) + length));
    text += LineEndOf(attribute);
    EditRows(FRow, 1, text, rowIndex + at);
}

// ---------------------------------------------------------------------------------------------------
// Characters

void TEditor::KeyPress(const std::string& Chars, TShiftState Shift)
{
    // While the left button is down or the selection is dragged, characters are swallowed.
    if (FLeftPressed || FDragState != 0) return;
    const std::string text = FPendingLead + Chars;
    FPendingLead.clear();
    std::string run;  // printable characters, inserted together
    const auto flush = [&] {
        InsertTypedText(run);
        run.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsDBCSLeadByte(c)) {
            // A lead byte goes in only with its trail; one that ends the text waits for it.
            if (i + 1 >= text.size()) {
                FPendingLead.assign(1, text[i]);
                break;
            }
            if (IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
                char key = text[i];
                if (OnKeyPress) OnKeyPress(this, key);
                if (key != 0) run.append(text, i, 2);
                i += 2;
            } else {
                ++i;
            }
            continue;
        }
        char key = text[i++];
        if (OnKeyPress) OnKeyPress(this, key);
        const auto k = static_cast<unsigned char>(key);
        if ((k >= 0x20 && k <= 0x7E) || (k >= 0xA0 && !IsDBCSLeadByte(k))) {
            run += key;
            continue;
        }
        flush();
        if (k == '\b') TypeBackspace();
        if (k == '\t') TypeTab(Shift);
        if (k == '\r') TypeReturn((Shift & ssShift) != 0);
    }
    flush();
}

void TEditor::InsertTypedText(const std::string& S)
{
    if (S.empty() || FReadOnly) return;
    TLimitedInput typed(*this);
    if (FSelectionState == 3) CleanSelection();
    if (FSelectionState == 2)
        ReplaceSelected(S);
    else if (FOverWrite)
        OverwriteTypedText(S);
    else
        ReplaceSelection(S);
}

void TEditor::OverwriteTypedText(const std::string& S)
{
    const int count = FList->Count();
    if (FRow >= count || FCol >= RowDisplayWidth(FRow)) {
        // Nothing to cover: padded and inserted.
        ReplaceSelection(S);
        return;
    }
    const std::string_view row = FList->Get(FRow);
    const std::size_t at = static_cast<std::size_t>(ColToByte(FRow, FCol));
    std::string text(row.substr(0, at));
    text += S;
    // The characters S covers, byte for byte, on into the line's wrapped rows.
    std::string rest(row.substr(at));
    int last = FRow;
    std::size_t i = 0, cover = S.size();
    while (cover > 0) {
        if (i >= rest.size()) {
            if (FList->RowAttributes(last) != raWrapped) break;
            rest += FList->Get(++last);
            continue;
        }
        const std::size_t length = CharLengthAt(rest, i);
        i += length;
        if (length > cover) {
            // The cover ends on a double-byte character's first half: its second half becomes a space.
            text += ' ';
            break;
        }
        cover -= length;
    }
    text.append(rest, i);
    text += LineEndOf(FList->RowAttributes(last));
    RefusePastLastColumn(text, at + S.size());
    EditRows(FRow, last - FRow + 1, text, FList->CharIndexOfRow(FRow) + static_cast<std::int64_t>(at + S.size()));
}

void TEditor::TypeTab(TShiftState Shift)
{
    if ((Shift & (ssShift | ssCtrl)) || FReadOnly || !FWantTabs) return;
    const int tab = std::max(1, FCaret->TabSpaceCount());
    int step = tab - FCol % tab;
    const int wrap = FList->WrapOption().WrapByte();
    if (FList->WordWrap() && wrap > 0) step = std::min(step, wrap - FCol % wrap);
    if (FOverWrite)
        SetCol(FCol + step);
    else
        InsertTypedText(FCaret->SoftTab() ? std::string(static_cast<std::size_t>(step), ' ') : std::string("\t"));
}

std::string TEditor::ReturnIndent() const
{
    const int count = FList->Count();
    if (!FCaret->AutoIndent() || FRow >= count) return {};
    const auto indentOf = [&](int Row) {
        const std::string_view row = FList->Get(Row);
        return DisplayWidth(row.substr(0, LeadingBlanks(row)));
    };
    const int first = FList->LineStartRow(FRow);
    int indent = indentOf(first);
    if (FRow == first && FCol < indent) indent = FCol;
    if (FCaret->PrevSpaceIndent() && FList->Get(first).empty()) {
        // The nearest line above that has an indent.
        for (int r = first - 1; r >= std::max(0, first - IndentSearchRows); --r) {
            if (r > 0 && FList->RowAttributes(r - 1) == raWrapped) continue;
            if (const int width = indentOf(r); width > 0) {
                indent = width;
                break;
            }
        }
    }
    if (indent <= 0) return {};
    const int tab = std::max(1, FCaret->TabSpaceCount());
    if (!FCaret->TabIndent()) return std::string(static_cast<std::size_t>(indent), ' ');
    return std::string(static_cast<std::size_t>(indent / tab), '\t') + std::string(static_cast<std::size_t>(indent % tab), ' ');
}

void TEditor::TypeReturn(bool Shift)
{
    if (FReadOnly) return;
    if (FSelectionState == 2) {
        if (Shift) return;
        DeleteSelection();
    }
    if (FSelectionState == 3) CleanSelection();
    const int count = FList->Count();
    if (FRow >= count) {
        // Past the last row: a line end is appended.
        EditRows(count, 0, "\r\n", TextLength() + 2);
        return;
    }
    if (FOverWrite) {
        SetRowCol(FRow + 1, 0);
        return;
    }
    const std::string indent = ReturnIndent();
    if (Shift) {
        // A new line above the caret's line.
        const int first = FList->LineStartRow(FRow);
        EditRows(first, 0, indent + "\r\n", FList->CharIndexOfRow(first) + static_cast<std::int64_t>(indent.size()));
        return;
    }
    const std::string_view row = FList->Get(FRow);
    const std::size_t at = static_cast<std::size_t>(ColToByte(FRow, FCol));
    std::string text(row.substr(0, at));
    text += "\r\n";
    text += indent;
    text.append(row.substr(at));
    text += LineEndOf(FList->RowAttributes(FRow));
    EditRows(FRow, 1, text, FList->CharIndexOfRow(FRow) + static_cast<std::int64_t>(at + 2 + indent.size()));
}

void TEditor::TypeBackspace()
{
    if (FReadOnly) return;
    if (FSelectionState == 2) {
        DeleteSelection();
        return;
    }
    const int count = FList->Count();
    if (count == 0) return;
    if (FSelectionState == 3) CleanSelection();
    const bool exists = FRow < count;
    const std::string_view row = exists ? FList->Get(FRow) : std::string_view();
    const std::string lineEnd = exists ? LineEndOf(FList->RowAttributes(FRow)) : std::string();

    if (FCol == 0) {
        // Joined with the row above: its line end goes, or, from a wrapped row, its last character.
        if (FRow == 0) return;
        const int prev = FRow - 1;
        const std::string_view above = FList->Get(prev);
        const std::size_t keep = FList->RowAttributes(prev) == raEnd ? above.size() : CharStartBefore(above, above.size());
        std::string text(above.substr(0, keep));
        text.append(row);
        text += lineEnd;
        EditRows(prev, exists ? 2 : 1, text, FList->CharIndexOfRow(prev) + static_cast<std::int64_t>(keep));
        return;
    }
    const int width = DisplayWidth(row);
    if (FCol > width) {
        // A free caret right of the text only moves.
        SetCol(FCol - 1);
        return;
    }
    const std::int64_t rowIndex = FList->CharIndexOfRow(FRow);
    const std::size_t blanks = LeadingBlanks(row);
    if (FCaret->BackSpaceUnIndent() && (blanks == row.size() || FCol == DisplayWidth(row.substr(0, blanks)))) {
        // Back to the indent of the nearest row above that is indented less than the caret.
        int target = 0;
        for (int r = FRow - 1; r >= std::max(0, FRow - IndentSearchRows); --r) {
            const std::string_view above = FList->Get(r);
            const int indent = DisplayWidth(above.substr(0, LeadingBlanks(above)));
            if (indent < FCol) {
                target = indent;
                break;
            }
        }
        if (width <= target) {
            SetCol(target);
            return;
        }
        // The cells from the target to the caret go; a tab cut by either edge leaves its other cells
        // as spaces.
        const std::string columns = RowColumns(FRow);
        std::string text;
        std::int64_t caret = -1;
        int col = 0;
        for (std::size_t i = 0; i < row.size();) {
            const std::size_t length = CharLengthAt(row, i);
            int cells = static_cast<int>(length);
            if (row[i] == '\t')
                while (col + cells < static_cast<int>(columns.size()) && columns[static_cast<std::size_t>(col + cells)] == '3') ++cells;
            const int from = col, to = col + cells;
            if (to <= target || from >= FCol) {
                if (from >= target && caret < 0) caret = static_cast<std::int64_t>(text.size());
                text.append(row.substr(i, length));
            } else {
                text.append(static_cast<std::size_t>(std::max(0, target - from)), ' ');
                if (caret < 0) caret = static_cast<std::int64_t>(text.size());
                text.append(static_cast<std::size_t>(std::max(0, to - FCol)), ' ');
            }
            col = to;
            i += length;
        }
        if (caret < 0) caret = static_cast<std::int64_t>(text.size());
        text += lineEnd;
        EditRows(FRow, 1, text, rowIndex + caret);
        return;
    }
    // The character left of the caret: a double-byte character whole, a tab whose cells the caret
    // stands in or after, or one byte.
    const std::size_t at = static_cast<std::size_t>(ColToByte(FRow, FCol));
    if (at == 0) return;
    const std::size_t start = CharStartBefore(row, at);
    std::string text(row.substr(0, start));
    text.append(row.substr(at));
    text += lineEnd;
    EditRows(FRow, 1, text, rowIndex + static_cast<std::int64_t>(start));
}

void TEditor::EditRows(int ARow, int Count, std::string_view Text, std::int64_t Caret)
{
    BeginEdit();
    CleanSelection();
    FList->UpdateText(ARow, Count, Text);
    CaretToOffset(0, Caret);
    EndEdit();
}

// ---------------------------------------------------------------------------------------------------
// Words

bool TEditor::FindWordStart(int& ARow, int& ACol, int Direction)
{
    const int count = FList->Count();
    if (ARow < 0 || ARow >= count) return false;
    const std::string_view row = FList->Get(ARow);
    const int width = DisplayWidth(row);
    int row2 = ARow, col = ACol;
    if (Direction < 0 && ACol <= 0) {
        if (ARow == 0) return false;
        row2 = ARow - 1;
        col = RowDisplayWidth(row2);
    } else if (Direction > 0 && ACol >= width) {
        if (FList->RowAttributes(ARow) == raEof) return false;
        row2 = ARow + 1;
        col = 0;
    } else {
        // The word starts of the row: tokens other than single-byte symbols (blanks among them).
        std::unique_ptr<TFountainParser> parser = ActiveFountain()->CreateParser();
        parser->StartRow(row, FList->RowAttributeData(ARow));
        col = Direction < 0 ? 0 : width;
        for (int kind = parser->Next(); kind != toEof; kind = parser->Next()) {
            if (kind == toSymbol) continue;
            const int start = DisplayWidth(row.substr(0, static_cast<std::size_t>(parser->SourcePos())));
            if (Direction < 0 && start < ACol) col = start;
            if (Direction > 0 && start > ACol) {
                col = start;
                break;
            }
        }
    }
    if (row2 == ARow && col == ACol) return false;
    ARow = row2;
    ACol = col;
    return true;
}

} // namespace qx
