#include "editor/EditorStrings.h"

#include "editor/EditorScreenStrings.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qx {

namespace {

// Large chunks read straight from the file into one buffer (the stream is unbuffered): each byte is
// copied once out of the kernel, and once more into the rows.
constexpr std::size_t kChunkSize = std::size_t{256} << 10;

// The line ends of a chunk as bits: bit I % 64 of Mask[I / 64] is set when byte I of the N bytes at P
// (N at most kChunkSize) is CR or LF. Returns the offset of the first Ctrl-Z, or N. Marking the chunk
// at once and then stepping from bit to bit costs less than a search from every line start.
std::size_t MarkLineEnds(const char* P, std::size_t N, std::uint64_t* Mask)
{
    std::fill(Mask, Mask + (N + 63) / 64, 0);
    std::size_t stop = N;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i eof = _mm_set1_epi8('\x1A');
    for (; i + 16 <= N; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P + i));
        const unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        Mask[i / 64] |= static_cast<std::uint64_t>(hits) << (i % 64);
        const unsigned eofs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, eof)));
        if (eofs != 0 && stop == N) stop = i + static_cast<std::size_t>(__builtin_ctz(eofs));
    }
#endif
    for (; i < N; ++i) {
        if (P[i] == '\r' || P[i] == '\n') Mask[i / 64] |= std::uint64_t{1} << (i % 64);
        if (P[i] == '\x1A' && stop == N) stop = i;
    }
    return stop;
}

// The first marked byte at or after From and before End, or End.
std::size_t NextLineEnd(const std::uint64_t* Mask, std::size_t From, std::size_t End)
{
    if (From >= End) return End;
    std::size_t word = From / 64;
    std::uint64_t bits = Mask[word] & (~std::uint64_t{0} << (From % 64));
    while (bits == 0) {
        if (++word * 64 >= End) return End;
        bits = Mask[word];
    }
    return std::min(End, word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads the file from its start in chunks and calls Line(Text) for each line. CR, LF and CR LF end a
// line, also when a chunk boundary falls between CR and LF; the byte 0x1A ends the text. Returns True
// when the text ends with a line end (or is empty).
template <class LineProc>
bool ScanLines(std::FILE* File, const std::string& FileName, LineProc&& Line)
{
    std::rewind(File);
    const auto buffer = std::make_unique_for_overwrite<char[]>(kChunkSize);
    const auto mask = std::make_unique_for_overwrite<std::uint64_t[]>(kChunkSize / 64);
    char* const chunk = buffer.get();
    std::uint64_t* const ends = mask.get();
    std::string pending;  // the start of a line that a chunk boundary cut
    bool afterCR = false;
    bool ended = false;
    while (!ended) {
        const std::size_t n = std::fread(chunk, 1, kChunkSize, File);
        if (n == 0) break;
        std::size_t start = 0;
        if (afterCR && chunk[0] == '\n') start = 1;  // the LF of a CR LF split between two chunks
        afterCR = false;
        // Ctrl-Z ends the text: the chunk counts only up to it.
        const std::size_t end = MarkLineEnds(chunk, n, ends);
        ended = end < n;
        for (;;) {
            std::size_t i = NextLineEnd(ends, start, end);
            if (i == end) break;
            if (pending.empty()) {
                Line(std::string_view(chunk + start, i - start));
            } else {
                pending.append(chunk + start, i - start);
                Line(std::string_view(pending));
                pending.clear();
            }
            if (chunk[i] == '\r') {
                if (i + 1 < end && chunk[i + 1] == '\n')
                    ++i;
                else if (i + 1 == n)
                    afterCR = true;
            }
            start = i + 1;
        }
        pending.append(chunk + start, end - start);
    }
    if (std::ferror(File)) throw EInOutError("Read error in file \"" + FileName + "\"");
    if (pending.empty()) return true;
    Line(std::string_view(pending));
    return false;
}

} // namespace

void TEditorStrings::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TEditorStrings::Count() const
{
    const TEditorScreenStrings& rows = Rows();
    return rows.WordWrap() ? rows.LineCount() : rows.Count();
}

std::string TEditorStrings::Get(int Index) const
{
    CheckIndex(Index);
    const TEditorScreenStrings& rows = Rows();
    if (!rows.WordWrap()) return std::string(rows.Get(Index));
    std::string text = rows.GetRowsText(rows.LineToRow(Index), -1).Text;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

template <class EditProc>
void TEditorStrings::Edit(EditProc&& Body)
{
    Editor.CleanSelection();
    Editor.BeginEdit();
    try {
        Body(Rows());
    } catch (...) {
        Editor.EndEdit();
        throw;
    }
    Editor.EndEdit();
}

void TEditorStrings::Put(int Index, std::string_view S)
{
    CheckIndex(Index);
    Edit([&](TEditorScreenStrings& rows) {
        const int row = rows.LineToRow(Index);
        const int end = rows.LineEndRow(row);
        std::string text(S);
        if (rows.RowAttributes(end) == raEnd) text += "\r\n";
        rows.UpdateText(row, end - row + 1, text);
        Editor.CaretToOffset(row, static_cast<std::int64_t>(text.size()));
    });
}

void TEditorStrings::Insert(int Index, std::string_view S)
{
    if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    const int row = Rows().LineToRow(Index);
    if (row >= Rows().Count()) {
        Add(S);
        return;
    }
    Edit([&](TEditorScreenStrings& rows) {
        rows.UpdateText(row, 0, std::string(S) + "\r\n");
        Editor.CaretToOffset(row, static_cast<std::int64_t>(S.size()) + 2);
    });
}

int TEditorStrings::Add(std::string_view S)
{
    const int before = Count();
    Edit([&](TEditorScreenStrings& rows) {
        const int last = rows.Count() - 1;
        if (last >= 0 && rows.RowAttributes(last) != raEnd) {
            // The text does not end with a line end: give it one first.
            const std::string text = std::string(rows.Get(last)) + "\r\n" + std::string(S);
            rows.UpdateText(last, 1, text);
            Editor.CaretToOffset(last, static_cast<std::int64_t>(text.size()));
        } else {
            rows.UpdateText(last + 1, 0, std::string(S) + "\r\n");
            Editor.CaretToOffset(last + 1, static_cast<std::int64_t>(S.size()) + 2);
        }
    });
    return before;
}

void TEditorStrings::Delete(int Index)
{
    CheckIndex(Index);
    Edit([&](TEditorScreenStrings& rows) {
        const int row = rows.LineToRow(Index);
        rows.UpdateText(row, rows.LineEndRow(row) - row + 1, {});
        Editor.SetRowCol(row, 0);
    });
}

void TEditorStrings::Clear() { Rows().Clear(); }

std::string TEditorStrings::Text() const
{
    const TEditorScreenStrings& rows = Rows();
    std::string text;
    text.reserve(static_cast<std::size_t>(rows.TextLength()) + 2);
    for (int row = 0; row < rows.Count(); ++row) {
        text += rows.Get(row);
        if (rows.RowAttributes(row) != raWrapped || row == rows.Count() - 1) text += "\r\n";
    }
    return text;
}

void TEditorStrings::SetText(std::string_view Text)
{
    ReplaceText([Text](const auto& Line) {
        ForEachLine(Text, Line);
        return Text.empty() || EndsWithLineEnd(Text);
    });
}

// Scan(Line) hands every line of the new text to Line and answers whether the text ends with a line
// end. It runs twice: first to count the lines (before anything changes), then to fill the rows. With word
// wrap the lines are wrapped as they come, as a re-wrap of the whole text would leave them; while the
// main view is loading they stay unwrapped, to be wrapped once it has loaded.
template <class ScanProc>
void TEditorStrings::ReplaceText(ScanProc&& Scan)
{
    TEditorScreenStrings& rows = Rows();
    const TEditorView* main = rows.MainView();
    TWrapRules rules = rows.WrapRules();
    rules.Layout.WordWrap = rows.WordWrap() && !(main && main->Loading());
    // The line count: the room to make for the rows (wrapping adds the rest as it comes).
    std::size_t count = 0;
    Scan([&](std::string_view) { ++count; });

    BeginUpdate();
    try {
        rows.Clear();
        rows.SetCapacity(static_cast<int>(count));
        bool endsWithLineEnd;
        {
            TEditorScreenStrings::TRowAppender appender(rows);
            endsWithLineEnd = Scan([&](std::string_view line) {
                WrapLine(line, rules, [&](std::size_t offset, std::size_t length, int attribute) {
                    appender.Add(line.substr(offset, length), attribute);
                });
            });
        }
        if (!endsWithLineEnd) rows.SetRowAttributes(rows.Count() - 1, raEof);
        rows.InitRowStates();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TEditorStrings::Assign(const TStringList& Source)
{
    SetText(Source.Text());
    Editor.SetRowCol(Rows().Count(), 0);
}

void TEditorStrings::AssignTo(TStringList& Target) const
{
    Target.BeginUpdate();
    Target.Clear();
    for (int i = 0; i < Count(); ++i) Target.Add(Get(i));
    Target.EndUpdate();
}

void TEditorStrings::BeginUpdate()
{
    if (FUpdateCount++ > 0) return;
    Rows().BeginUpdate();
    Editor.SetLinesUpdating(true);
}

void TEditorStrings::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0) return;
    Rows().EndUpdate();
    Editor.SetLinesUpdating(false);
    for (TEditorView* view : Rows().Views()) view->RefreshView();
}

void TEditorStrings::LoadFromFile(const std::string& FileName)
{
    // Opened and read through before anything changes: a file that cannot be read leaves the text alone.
    // The text is read twice, so only a regular file will do (a pipe would come out empty the second
    // time, and one without a writer would block the open).
    const int fd = OpenRegularFile(FileName);
    if (fd < 0) throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(error));
    }
    std::setvbuf(file.get(), nullptr, _IONBF, 0);  // the chunks are large: no copy through a stream buffer
    ReplaceText([&](const auto& Line) { return ScanLines(file.get(), FileName, Line); });
}

} // namespace qx
