// TEditor: searching the text. The rows are joined into chunks (CR LF after each row that ends its
// line), so that a match may cross a wrapped row's cut or, with soSkipLineEnds, a line end. A chunk owns
// about 64 KB of whole rows, where its matches must start, and carries at least 8 KB of the rows after
// them, where a match that starts in the owned rows may end; a chunk that begins on the continuation of
// a wrapped row carries the row before it too, so that a word boundary is judged on the whole line. The
// next chunk owns the rows after the owned ones: every row is owned once, so the search moves on by at
// least one row per chunk and never reports a match on the wrong side of where it started.

#include "editor/EditorControl.h"

#include "platform/Exception.h"

#include <algorithm>
#include <vector>

namespace qx {

const char* const TEditor::SearchTooLongText =
    "一行の文字数を超えたため、検索に失敗しました。\r\n折り返しを指定した状態で検索／置換を行ってください。";

namespace {

constexpr std::size_t OwnedBytes = 64 * 1024;
constexpr std::size_t LookaheadBytes = 8 * 1024;

// Characters a row takes in the joined text: its bytes, and CR LF when it ends its line.
std::size_t JoinedLength(const TEditorScreenStrings& Rows, int Row)
{
    return Rows.Get(Row).size() + (Rows.RowAttributes(Row) == raEnd ? 2 : 0);
}

struct TSearchChunk {
    std::string Text;
    std::vector<int> Rows;            // the rows in the chunk, in order
    std::vector<std::size_t> Starts;  // where each one's text begins
    std::size_t OwnedBegin = 0;       // the owned rows' first byte (after a context row)
    std::size_t OwnedEnd = 0;         // the byte after them (the lookahead begins)

    void Append(const TEditorScreenStrings& R, int Row)
    {
        Rows.push_back(Row);
        Starts.push_back(Text.size());
        Text += R.Get(Row);
        if (R.RowAttributes(Row) == raEnd) Text += "\r\n";
    }
    // The chunk offset of byte Byte of Row (a row of the chunk).
    std::size_t Offset(int Row, std::size_t Byte) const
    {
        const auto it = std::lower_bound(Rows.begin(), Rows.end(), Row);
        return Starts[static_cast<std::size_t>(it - Rows.begin())] + Byte;
    }
    // The row and byte of a chunk offset.
    void Locate(std::size_t Offset, int& Row, std::size_t& Byte) const
    {
        const std::size_t i = static_cast<std::size_t>(std::upper_bound(Starts.begin(), Starts.end(), Offset) - Starts.begin()) - 1;
        Row = Rows[i];
        Byte = Offset - Starts[i];
    }
};

// A chunk owning rows First..Last (Last included), with the row before First as context when First
// continues a wrapped line, and the lookahead rows after Last.
TSearchChunk BuildChunk(const TEditorScreenStrings& R, int First, int Last)
{
    TSearchChunk chunk;
    if (First > 0 && R.RowAttributes(First - 1) == raWrapped) chunk.Append(R, First - 1);
    chunk.OwnedBegin = chunk.Text.size();
    for (int row = First; row <= Last; ++row) chunk.Append(R, row);
    chunk.OwnedEnd = chunk.Text.size();
    for (int row = Last + 1; row < R.Count() && chunk.Text.size() - chunk.OwnedEnd < LookaheadBytes; ++row)
        chunk.Append(R, row);
    return chunk;
}

// The last row of a chunk that owns rows from First on; the first of one that owns rows up to Last.
int OwnedLastFrom(const TEditorScreenStrings& R, int First)
{
    std::size_t bytes = JoinedLength(R, First);
    int last = First;
    while (last + 1 < R.Count() && bytes < OwnedBytes) bytes += JoinedLength(R, ++last);
    return last;
}
int OwnedFirstTo(const TEditorScreenStrings& R, int Last)
{
    std::size_t bytes = JoinedLength(R, Last);
    int first = Last;
    while (first > 0 && bytes < OwnedBytes) bytes += JoinedLength(R, --first);
    return first;
}

// Where a match of the chunk lies in the rows: its first byte, and the byte after its last one (counted
// in the row of the last one).
TTextSpan SpanOf(const TSearchChunk& Chunk, const TSearchPosition& Match)
{
    TTextSpan span;
    Chunk.Locate(static_cast<std::size_t>(Match.Pos), span.StartRow, span.StartByte);
    Chunk.Locate(static_cast<std::size_t>(Match.Pos + Match.Len - 1), span.EndRow, span.EndByte);
    ++span.EndByte;
    return span;
}

} // namespace

int TEditor::ReplaceAll(std::string_view Pattern, std::string_view Replacement, TEditorSearchOptions Options)
{
    const TEditorScreenStrings& rows = *FList;
    const int count = rows.Count();
    if (FReadOnly || Pattern.empty() || count == 0) return 0;
    const bool forward = (Options & soForward) != 0;
    const std::int64_t from = forward ? SelStart() + SelLength() : SelStart();
    if (from < 0 || from > rows.TextLength()) return 0;
    const int fromRow = std::min(rows.RowOfCharIndex(from), count - 1);
    const std::size_t fromByte = static_cast<std::size_t>(from - rows.CharIndexOfRow(fromRow));

    // The matches are found in chunks of whole lines (so that a chunk's start is a word boundary), each
    // with the rows after it to complete a match that runs on.
    TTextSearcher searcher(Pattern, Options);
    std::vector<TTextSpan> spans;
    std::int64_t matched = 0;  // the bytes of every match
    TSearchPosition match;
    const auto add = [&](const TSearchChunk& Chunk) {
        spans.push_back(SpanOf(Chunk, match));
        matched += match.Len;
    };
    if (forward) {
        int row = fromRow;
        std::size_t byte = fromByte;
        while (row < count) {
            const int first = rows.LineStartRow(row);
            const int last = rows.LineEndRow(OwnedLastFrom(rows, first));  // rounded to whole lines
            const TSearchChunk chunk = BuildChunk(rows, first, last);
            std::size_t at = chunk.Offset(row, byte);
            const std::size_t to = last + 1 == count ? chunk.Text.size() : chunk.OwnedEnd;
            while (at < to && searcher.FindIn(chunk.Text, at, to, match) && match.Len > 0) {
                add(chunk);
                at = static_cast<std::size_t>(match.Pos + match.Len);
            }
            // The next chunk begins where the last match ended, when that is past the owned lines.
            if (at <= chunk.OwnedEnd) {
                row = last + 1;
                byte = 0;
            } else if (at >= chunk.Text.size()) {
                row = chunk.Rows.back() + 1;
                byte = 0;
            } else {
                chunk.Locate(at, row, byte);
            }
        }
    } else {
        // Each match ends before the one found after it, Limit being that one's start.
        std::int64_t limit = from;
        for (int last = fromRow; last >= 0;) {
            const int first = rows.LineStartRow(OwnedFirstTo(rows, last));
            const TSearchChunk chunk = BuildChunk(rows, first, rows.LineEndRow(last));
            const std::int64_t base = rows.CharIndexOfRow(first);
            const std::size_t found = spans.size();
            std::ptrdiff_t end = static_cast<std::ptrdiff_t>(std::min<std::int64_t>(limit - base, static_cast<std::int64_t>(chunk.Text.size())));
            std::ptrdiff_t start = std::min(searcher.BackwardStart(chunk.Text, end), static_cast<std::ptrdiff_t>(chunk.OwnedEnd) - 1);
            while (start >= 0 && searcher.FindIn(chunk.Text, 0, static_cast<std::size_t>(start) + 1, match)) {
                if (match.Pos + match.Len <= end) {
                    add(chunk);
                    end = match.Pos;
                    start = searcher.BackwardStart(chunk.Text, end);
                } else {
                    start = match.Pos - 1;
                }
            }
            if (spans.size() > found) limit = base + end;
            last = first - 1;
        }
        std::reverse(spans.begin(), spans.end());
    }
    if (spans.empty()) return 0;

    // Where the caret goes: after the last replacement, or before the first.
    const TTextSpan& lastSpan = spans.back();
    std::int64_t caret = rows.CharIndexOfRow(spans.front().StartRow) + static_cast<std::int64_t>(spans.front().StartByte);
    if (forward)
        caret = rows.CharIndexOfRow(lastSpan.EndRow) + static_cast<std::int64_t>(lastSpan.EndByte) - matched +
                static_cast<std::int64_t>(spans.size() * Replacement.size());
    BeginEdit();
    CleanSelection();
    FList->ReplaceSpans(spans, Replacement);
    SetSelStart(caret);
    EndEdit();
    // The caret in view, as a search brings each hit into view (the dialog may hold the focus).
    EmScrollCaret();
    return static_cast<int>(spans.size());
}

bool TEditor::Search(std::string_view Pattern, TEditorSearchOptions Options)
{
    const TEditorScreenStrings& rows = *FList;
    const int count = rows.Count();
    if (Pattern.empty() || count == 0) return false;
    TTextSearcher searcher(Pattern, Options);
    const bool forward = (Options & soForward) != 0;

    // Where the search starts: after (before) a shown selection or hit, else at the caret; a place
    // beyond the last row is the end of the text.
    // The selection's byte record: its first byte, and the last selected byte (the start less one when
    // it is empty).
    const TSelectionBounds& selected = FByteSelection;
    const bool shown = SelectionShown();
    int row = !shown ? FRow : forward ? selected.EndRow : selected.StartRow;
    std::size_t byte;
    if (row >= count) {
        if (forward) return false;
        row = count - 1;
        byte = JoinedLength(rows, row);
    } else {
        const int at = !shown ? ColToByte(row, FCol) : forward ? selected.EndCol + 1 : selected.StartCol;
        byte = std::min(rows.Get(row).size(), static_cast<std::size_t>(std::max(0, at)));
    }

    TSearchPosition match;
    bool found = false;
    TSearchChunk chunk;
    if (forward) {
        for (int first = row; !found && first < count;) {
            const int last = OwnedLastFrom(rows, first);
            chunk = BuildChunk(rows, first, last);
            const std::size_t from = first == row ? chunk.Offset(row, byte) : chunk.OwnedBegin;
            const std::size_t to = last + 1 == count ? chunk.Text.size() : chunk.OwnedEnd;
            found = searcher.FindIn(chunk.Text, from, to, match);
            first = last + 1;
        }
    } else {
        for (int last = row; !found && last >= 0;) {
            const int first = OwnedFirstTo(rows, last);
            chunk = BuildChunk(rows, first, last);
            // From the start, a match must fit before it; before an earlier chunk's rows, any start will do.
            const std::ptrdiff_t start = last == row
                                             ? searcher.BackwardStart(chunk.Text, static_cast<std::ptrdiff_t>(chunk.Offset(row, byte)))
                                             : static_cast<std::ptrdiff_t>(chunk.OwnedEnd) - 1;
            found = start >= static_cast<std::ptrdiff_t>(chunk.OwnedBegin) &&
                    searcher.FindIn(chunk.Text, chunk.OwnedBegin, static_cast<std::size_t>(start) + 1, match);
            last = first - 1;
        }
    }
    if (!found) return false;

    int hitRow;
    std::size_t hitByte;
    chunk.Locate(static_cast<std::size_t>(match.Pos), hitRow, hitByte);
    CleanSelection();
    // A match ending past the last column could not be shown on an unwrapped row.
    if (!FList->WordWrap() && DisplayWidth(rows.Get(hitRow).substr(0, std::min(hitByte, rows.Get(hitRow).size()))) + match.Len > MaxColumn)
        throw Exception(SearchTooLongText);
    // The caret goes to the match's start and the hit is shown from there as the hit style says; the
    // anchor stays at the start, so a Shift move after a selected hit extends it from there.
    CaretToOffset(hitRow, static_cast<std::int64_t>(hitByte));
    ShowHit(static_cast<int>(match.Len));
    // Also when the find dialog has the focus: the match is brought into view both ways.
    EmScrollCaret();
    return true;
}

} // namespace qx
