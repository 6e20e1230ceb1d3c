#include "editor/EditorStrings.h"

#include "editor/EditorScreenStrings.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/SystemError.h"

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

// The line ends of up to kChunkSize bytes as bits: bit I % 64 of Ends[I / 64] is set when byte I of the
// N bytes at P is CR or LF; likewise the tabs in Tabs, when given. Marking a stretch at once and then
// stepping from bit to bit costs less than a search from every line start.
void MarkLineEnds(const char* P, std::size_t N, std::uint64_t* Ends, std::uint64_t* Tabs)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // A word of each mask from 64 bytes at a time.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 64 <= N; i += 64) {
        std::uint64_t ends = 0, tabs = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P + i) + part);
            const auto bits = [&](__m128i Hits) {
                return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(Hits))) << (16 * part);
            };
            ends |= bits(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
            if (Tabs) tabs |= bits(_mm_cmpeq_epi8(v, tab));
        }
        Ends[i / 64] = ends;
        if (Tabs) Tabs[i / 64] = tabs;
    }
#endif
    if (i < N) {
        Ends[i / 64] = 0;
        if (Tabs) Tabs[i / 64] = 0;
    }
    for (; i < N; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        if (P[i] == '\r' || P[i] == '\n') Ends[i / 64] |= bit;
        if (Tabs && P[i] == '\t') Tabs[i / 64] |= bit;
    }
}

// Whether a byte From .. End - 1 is marked.
bool AnyMarked(const std::uint64_t* Mask, std::size_t From, std::size_t End)
{
    for (std::size_t i = From; i < End; i = (i / 64 + 1) * 64) {
        std::uint64_t bits = Mask[i / 64] >> (i % 64);
        if (End - i < 64) bits &= (std::uint64_t{1} << (End - i)) - 1;
        if (bits != 0) return true;
    }
    return false;
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
    TLoader loader(*this);
    loader.Append(Text);
    loader.Finish();
}

TEditorStrings::TLoader::TLoader(TEditorStrings& Lines) : TLoader(Lines, Lines.Rows().WrapRules()) {}

TEditorStrings::TLoader::TLoader(TEditorStrings& Lines, const TWrapRules& Rules)
    : FLines(Lines), FOption(std::make_unique<TEditorWrapOption>())
{
    const TEditorView* main = Lines.Rows().MainView();
    FOption->Assign(*Rules.Option);
    FOption->TakeRulesChanged();
    FRules = Rules;
    FRules.Option = FOption.get();
    FRules.Layout.WordWrap = Rules.Layout.WordWrap && !(main && main->Loading());
}

TEditorStrings::TLoader::~TLoader() = default;

void TEditorStrings::TLoader::AddLine(std::string_view Line, bool MayHaveTab)
{
    // A line shorter than the wrap column is one row, whatever the rules, unless a tab widens it.
    if (!MayHaveTab && Line.size() < static_cast<std::size_t>(std::max(1, FRules.Layout.WrapByte))) {
        FTarget->AppendLaidOutRow(Line, 0);
        return;
    }
    WrapLine(Line, FRules, [&](std::size_t offset, std::size_t length, int attribute) {
        FTarget->AppendLaidOutRow(Line.substr(offset, length), attribute);
    });
}

void TEditorStrings::TLoader::Append(std::string_view Piece)
{
    if (Piece.empty()) return;
    std::size_t start = 0;  // where the current line starts in the piece
    if (FAfterCR && Piece[0] == '\n') start = 1;  // the LF of a CR LF split between two pieces
    FAfterCR = false;
    // With word wrap the tabs are marked too: a line without one needs no cut when it is short.
    const bool wrap = FRules.Layout.WordWrap;
    FMask.resize(kChunkSize / 64);
    if (wrap) FTabs.resize(kChunkSize / 64);
    // The line ends are marked a chunk at a time; a line may run on over several chunks.
    for (std::size_t chunk = 0; chunk < Piece.size(); chunk += kChunkSize) {
        const std::size_t n = std::min(kChunkSize, Piece.size() - chunk);
        MarkLineEnds(Piece.data() + chunk, n, FMask.data(), wrap ? FTabs.data() : nullptr);
        for (std::size_t from = start > chunk ? start - chunk : 0;;) {
            std::size_t i = NextLineEnd(FMask.data(), from, n);
            if (i == n) break;
            i += chunk;
            const std::string_view line = Piece.substr(start, i - start);
            if (FPending.empty()) {
                // The tabs of a line that began in an earlier chunk are not marked any more.
                AddLine(line, !wrap || start < chunk || AnyMarked(FTabs.data(), start - chunk, i - chunk));
            } else {
                FPending.append(line);
                AddLine(FPending, true);
                FPending.clear();
            }
            if (Piece[i] == '\r') {
                if (i + 1 < Piece.size() && Piece[i + 1] == '\n') ++i;
                else if (i + 1 == Piece.size()) FAfterCR = true;
            }
            start = i + 1;
            from = start - chunk;
            if (from >= n) break;
        }
    }
    FPending.append(Piece.substr(std::min(start, Piece.size())));
}

void TEditorStrings::TLoader::Restart()
{
    FBuilt.Clear();
    FPending.clear();
    FAfterCR = false;
}

bool TEditorStrings::TLoader::SameLayout(const TWrapRules& Rules) const
{
    if (!Rules.Layout.WordWrap && !FRules.Layout.WordWrap) return true;
    FOption->Assign(*Rules.Option);
    return !FOption->TakeRulesChanged() && Rules.Layout.WordWrap == FRules.Layout.WordWrap &&
           Rules.Layout.WrapByte == FRules.Layout.WrapByte && Rules.Layout.TabSpaceCount == FRules.Layout.TabSpaceCount &&
           Rules.Layout.Delimiters == FRules.Layout.Delimiters;
}

bool TEditorStrings::TLoader::FinishLines()
{
    if (FPending.empty()) return true;
    AddLine(FPending, true);
    FPending.clear();
    return false;
}

void TEditorStrings::TLoader::Finish()
{
    // A text that does not end with a line end ends with its last row.
    const bool endsWithLineEnd = FinishLines();
    TEditorScreenStrings& rows = FLines.Rows();
    FLines.BeginUpdate();
    try {
        rows.TakeRows(FBuilt);
        if (!endsWithLineEnd) rows.SetRowAttributes(rows.Count() - 1, raEof);
        const TEditorView* main = rows.MainView();
        TWrapRules rules = rows.WrapRules();
        rules.Layout.WordWrap = rows.WordWrap() && !(main && main->Loading());
        if (!SameLayout(rules)) {
            if (rows.WordWrap()) rows.ReWrapAll();
            else rows.UnwrapAll();
        }
        rows.InitRowStates();
    } catch (...) {
        FLines.EndUpdate();
        throw;
    }
    FLines.EndUpdate();
}

void TEditorStrings::AppendLines(std::string_view Text)
{
    if (Text.empty()) return;
    TEditorScreenStrings& rows = Rows();
    TLoader loader(*this);
    // The rows of a last line without a line end give way, to be laid out again with what follows.
    int first = rows.Count();
    while (first > 0 && rows.RowAttributes(first - 1) != raEnd) --first;
    std::string open;
    for (int row = first; row < rows.Count(); ++row) open += rows.Get(row);
    TEditorScreenStrings::TRowAppender appender(rows, first);
    loader.FTarget = &rows;
    loader.Append(open);
    loader.Append(Text);
    if (!loader.FinishLines()) rows.SetRowAttributes(rows.Count() - 1, raEof);
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
    // Read and laid out beside the text shown, which a file that cannot be read leaves alone. Only a
    // regular file will do: one without a writer would block the open.
    const int fd = OpenRegularFile(FileName);
    if (fd < 0) throw EFOpenError(FileOpenErrorText(FileName, errno));
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        throw EFOpenError(FileOpenErrorText(FileName, error));
    }
    std::setvbuf(file.get(), nullptr, _IONBF, 0);  // the chunks are large: no copy through a stream buffer
    TLoader loader(*this);
    const auto buffer = std::make_unique_for_overwrite<char[]>(kChunkSize);
    for (;;) {
        errno = 0; // a failed read sets it (when the library tells why)
        const std::size_t n = std::fread(buffer.get(), 1, kChunkSize, file.get());
        if (n == 0) break;
        // Ctrl-Z ends the text.
        const char* eof = static_cast<const char*>(std::memchr(buffer.get(), '\x1A', n));
        loader.Append(std::string_view(buffer.get(), eof ? static_cast<std::size_t>(eof - buffer.get()) : n));
        if (eof) break;
    }
    if (std::ferror(file.get()))
        throw EInOutError(FileReadErrorText(FileName, errno != 0 ? errno : EIO));
    loader.Finish();
}

} // namespace qx
