#include "editor/EditorStrings.h"

#include "editor/EditorScreenStrings.h"
#include "platform/Exception.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace qx {

namespace {

constexpr std::size_t kChunkSize = 8192;

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
    char chunk[kChunkSize];
    std::string pending;  // the start of a line that a chunk boundary cut
    bool afterCR = false;
    bool ended = false;
    while (!ended) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, File);
        if (n == 0) break;
        std::size_t i = 0;
        if (afterCR && chunk[0] == '\n') i = 1;  // the LF of a CR LF split between two chunks
        afterCR = false;
        std::size_t start = i;
        for (; i < n; ++i) {
            const auto b = static_cast<unsigned char>(chunk[i]);
            if (b > 0x1A || (b != '\r' && b != '\n' && b != 0x1A)) continue;
            if (b == 0x1A) {
                ended = true;
                break;
            }
            if (pending.empty()) {
                Line(std::string_view(chunk + start, i - start));
            } else {
                pending.append(chunk + start, i - start);
                Line(std::string_view(pending));
                pending.clear();
            }
            if (b == '\r') {
                if (i + 1 < n && chunk[i + 1] == '\n')
                    ++i;
                else if (i + 1 == n)
                    afterCR = true;
            }
            start = i + 1;
        }
        pending.append(chunk + start, i - start);
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
    BeginUpdate();
    try {
        TEditorScreenStrings& rows = Rows();
        rows.Clear();
        {
            TEditorScreenStrings::TRowAppender appender(rows);
            ForEachLine(Text, [&](std::string_view line) { appender.Add(line); });
        }
        if (!Text.empty() && !EndsWithLineEnd(Text)) rows.SetRowAttributes(rows.Count() - 1, raEof);
        TextReplaced();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TEditorStrings::TextReplaced()
{
    TEditorScreenStrings& rows = Rows();
    if (rows.WordWrap()) rows.ReWrapAll();
    rows.InitRowStates();
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
    // Opened and counted before anything changes: a file that cannot be read leaves the text alone.
    FilePtr file(std::fopen(FileName.c_str(), "rb"));
    if (!file) throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
    int lines = 0;
    ScanLines(file.get(), FileName, [&lines](std::string_view) { ++lines; });

    BeginUpdate();
    try {
        TEditorScreenStrings& rows = Rows();
        rows.Clear();
        rows.SetCapacity(lines);
        bool endsWithLineEnd;
        {
            TEditorScreenStrings::TRowAppender appender(rows);
            endsWithLineEnd = ScanLines(file.get(), FileName, [&](std::string_view line) { appender.Add(line); });
        }
        if (!endsWithLineEnd) rows.SetRowAttributes(rows.Count() - 1, raEof);
        file.reset();
        TextReplaced();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace qx
