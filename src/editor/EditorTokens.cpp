// TEditor: the token under a point. A token is lexed on its logical line (the wrapped rows joined),
// so a URL or a word that a wrap cuts in two is found, and selected, whole. Only a window of the line
// around the point is lexed, so that a point on a line of megabytes (a hover, a click) costs what one
// on a short line does: a token longer than the window is cut at the window's edge.

#include "editor/EditorControl.h"

#include "editor/Fountain.h"
#include "editor/FountainParser.h"
#include "editor/TokenParser.h"
#include "platform/LeadByte.h"

namespace qx {

namespace {

// The bytes of the line lexed on each side of the point: far more than any link or word.
constexpr std::int64_t TokenWindowBytes = 4096;

} // namespace

bool TEditor::PointToPos(TPoint Point, int& ARow, int& AByte) const
{
    ARow = AByte = -1;
    const int count = FList->Count();
    if (count == 0 || FColWidth == 0 || Point.X < TextAreaLeft() || Point.Y < TextAreaTop()) return false;
    int col = 0, row = 0;
    PosToRowCol(Point.X, Point.Y, true, col, row);
    if (row < 0 || row > count) return false;
    const std::string columns = RowColumns(row);
    const int size = static_cast<int>(columns.size());
    if (col < size && columns[static_cast<std::size_t>(col)] == '5') --col;
    while (col > 0 && col < size && columns[static_cast<std::size_t>(col)] == '3') --col;
    ARow = row;
    AByte = ColumnToByte(columns, row < count ? static_cast<int>(FList->Get(row).size()) : 0, col);
    return true;
}

bool TEditor::FindToken(TPoint Point, bool UseFountain, bool KeepState, TTokenSpan& Span)
{
    int row = 0, byte = 0;
    if (!PointToPos(Point, row, byte) || row >= FList->Count()) return false;
    // Back: whole rows of the line, up to the first that starts a window's width before the point.
    // A row starts on a character boundary, and the paint starts its lexer there too. The point lies
    // within the columns shown, so in a row that is not wrapped its start is near enough.
    int first = row;
    std::int64_t offset = byte;
    while (first > 0 && offset < TokenWindowBytes && FList->RowAttributes(first - 1) == raWrapped)
        offset += static_cast<std::int64_t>(FList->Get(--first).size());
    std::string line;
    for (int r = first; r < row; ++r) line += FList->Get(r);
    // Ahead: whole characters up to a window's width after the point (the point is a character's start).
    const std::size_t limit = static_cast<std::size_t>(offset + TokenWindowBytes);
    for (int r = row; r < FList->Count() && line.size() < limit; ++r) {
        const std::string_view text = FList->Get(r);
        std::size_t take = text.size();
        if (line.size() + take > limit) {
            take = r == row ? static_cast<std::size_t>(byte) : 0;
            while (take < text.size() && line.size() + take < limit) take += CharLengthAt(text, take);
        }
        line += text.substr(0, take);
        if (FList->RowAttributes(r) != raWrapped) break;
    }
    // Mid-line the lexer goes on in the state the row list keeps for the row, as the paint does.
    const bool midLine = first > 0 && FList->RowAttributes(first - 1) == raWrapped;
    TRowAttributeData state;
    if (UseFountain && (KeepState || midLine)) state = FList->RowAttributeData(first);
    const std::unique_ptr<TFountainParser> parser =
        UseFountain ? ActiveFountain()->CreateParser() : std::make_unique<TTokenParser>();
    parser->StartRow(line, state);
    while (parser->Next() != toEof) {
        const std::int64_t start = parser->SourcePos();
        if (start > offset) break;
        if (offset >= start + parser->TokenLength()) continue;
        Span.LineRow = first;
        Span.Start = start;
        Span.Length = parser->TokenLength();
        Span.Kind = parser->ReserveWordToken();
        Span.Text = std::string(parser->TokenString());
        return true;
    }
    return false;
}

bool TEditor::TokenAt(TPoint Point, bool UseFountain, std::string& Token, bool KeepState, int& Kind)
{
    TTokenSpan span;
    const bool found = FindToken(Point, UseFountain, KeepState, span);
    Token = found ? span.Text : std::string();
    Kind = found ? span.Kind : 0;
    return found;
}

bool TEditor::SelectTokenAt(TPoint Point, bool UseFountain, bool KeepState)
{
    TTokenSpan span;
    if (!FindToken(Point, UseFountain, KeepState, span)) return false;
    // Anchored at the token's end, so the caret stands at its start.
    BeginCaretUpdate();
    CleanSelection();
    if (FSelectionMode == smBox) SetSelectionMode(smLine);
    CaretToOffset(span.LineRow, span.Start + span.Length);
    StartSelection();
    CaretToOffset(span.LineRow, span.Start);
    UpdateSelection();
    EndCaretUpdate();
    return true;
}

bool TEditor::SelectWordAtCaret()
{
    return SelectWordAtPos({TextAreaLeft() + (FCol - FTopCol) * FColWidth, TextAreaTop() + (FRow - FTopRow) * RowHeight()});
}

int TEditor::TokenKindAt(TPoint Point)
{
    std::string token;
    int kind = 0;
    TokenAt(Point, true, token, false, kind);
    return kind;
}

std::string TEditor::TokenStringAt(TPoint Point)
{
    std::string token;
    int kind = 0;
    TokenAt(Point, true, token, false, kind);
    return token;
}

} // namespace qx
