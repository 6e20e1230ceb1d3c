#include "dialogs/ProjectFile.h"

#include "documents/FileHistory.h"
#include "platform/FileBytes.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qx {

namespace {

constexpr std::string_view CrLf = "\r\n";
const TProjectItemKeys& Keys = ProjectItemKeys;

std::string_view TypeName(TProjectNodeType type)
{
    switch (type) {
    case TProjectNodeType::ntBox: return Keys.Box;
    case TProjectNodeType::ntFolder: return Keys.Folder;
    case TProjectNodeType::ntLink: return Keys.Link;
    case TProjectNodeType::ntImport: return Keys.Import;
    case TProjectNodeType::ntTrash: return Keys.Trash;
    }
    return Keys.Box;
}

void PutLine(std::string& out, std::string_view key, std::string_view value = {})
{
    out += key;
    out += value;
    out += CrLf;
}

// A value that must stay on its line: CR and LF become blanks.
void PutValueLine(std::string& out, std::string_view key, std::string_view value)
{
    const std::size_t from = out.size() + key.size();
    PutLine(out, key, value);
    std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(from), out.end() - 2,
                    [](char c) { return c == '\r' || c == '\n'; }, ' ');
}

// One line of a text: [Start, End) without its line end; Next is where the following line starts.
struct TLine {
    std::size_t Start, End, Next;
    bool IsEmpty() const { return Start == End; }
};

// Splits at CR LF, CR or LF with exact byte offsets.
class TLineReader {
public:
    explicit TLineReader(std::string_view bytes) : FBytes(bytes) {}
    bool AtEnd() const { return FPos >= FBytes.size(); }
    std::size_t Position() const { return FPos; }
    TLine Next()
    {
        TLine line{FPos, FPos, FPos};
        std::size_t i = FPos;
        while (i < FBytes.size() && FBytes[i] != '\r' && FBytes[i] != '\n') ++i;
        line.End = i;
        if (i < FBytes.size()) i += (FBytes[i] == '\r' && i + 1 < FBytes.size() && FBytes[i + 1] == '\n') ? 2 : 1;
        line.Next = FPos = i;
        return line;
    }
    std::string_view Text(const TLine& line) const { return FBytes.substr(line.Start, line.End - line.Start); }

private:
    std::string_view FBytes;
    std::size_t FPos = 0;
};

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

template <typename T>
bool ParseNumber(std::string_view s, T& value)
{
    s = Trimmed(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// A refused file: the reason, and no record.
struct TRefused {
    TProjectFileStatus Status;
};

// The header and version lines; throws TRefused.
void ReadHeader(TLineReader& reader)
{
    if (reader.AtEnd() || reader.Text(reader.Next()) != ProjectFileHeader[0]) throw TRefused{TProjectFileStatus::WrongFormat};
    const std::string_view version = reader.AtEnd() ? std::string_view() : reader.Text(reader.Next());
    if (!StartsWith(version, ProjectVersionPrefix)) throw TRefused{TProjectFileStatus::WrongFormat};
    double number = 0, oldest = 0;
    // "nan" and "inf" read as floating-point values but are no version: such a file is of another format.
    if (!ParseNumber(version.substr(ProjectVersionPrefix.size()), number) || !std::isfinite(number) ||
        !ParseNumber(ProjectVersion35, oldest))
        throw TRefused{TProjectFileStatus::WrongFormat};
    if (number < oldest) throw TRefused{TProjectFileStatus::OldVersion};
}

int ReadInt(std::string_view s)
{
    int value = 0;
    if (!ParseNumber(s, value)) throw TRefused{TProjectFileStatus::WrongFormat};
    return value;
}

// The body after a "begin/*" line, up to the line "*/end" (or the end of the file) taken raw.
std::string ReadBody(TLineReader& reader, std::string_view bytes)
{
    const std::size_t start = reader.Position();
    while (!reader.AtEnd()) {
        const TLine line = reader.Next();
        if (reader.Text(line) == Keys.TextEnd) return std::string(bytes.substr(start, line.Start - start));
    }
    return std::string(bytes.substr(start));
}

// One block after its "/* ProjectItem */" line, up to its "*/end" (or the end of the file).
TProjectRecListItem ReadBlock(TLineReader& reader, std::string_view bytes)
{
    TProjectRecListItem record;
    while (!reader.AtEnd()) {
        const std::string_view line = reader.Text(reader.Next());
        if (line == Keys.TextEnd) break;
        if (line.empty() || StartsWith(line, ProjectCommentPrefix)) continue;
        auto rest = [&](std::string_view key) { return line.substr(key.size()); };
        if (StartsWith(line, Keys.Type)) {
            for (TProjectNodeType t : {TProjectNodeType::ntBox, TProjectNodeType::ntFolder, TProjectNodeType::ntLink,
                                       TProjectNodeType::ntImport, TProjectNodeType::ntTrash})
                if (rest(Keys.Type) == TypeName(t)) record.NodeType = t;
        } else if (StartsWith(line, Keys.Level)) {
            record.Level = ReadInt(rest(Keys.Level));
        } else if (StartsWith(line, Keys.Name)) {
            record.Name = rest(Keys.Name);
        } else if (StartsWith(line, Keys.Comment)) {
            record.Comment = rest(Keys.Comment);
        } else if (StartsWith(line, Keys.Ext)) {
            record.Ext = rest(Keys.Ext);
        } else if (StartsWith(line, Keys.Lock)) {
            record.Lock = ReadInt(rest(Keys.Lock));
        } else if (StartsWith(line, Keys.TextBegin)) {
            record.Text = ReadBody(reader, bytes);
            break;  // the "*/end" of the body closes the block
        }
    }
    return record;
}

} // namespace

std::string WriteProjectBytes(const TProjectRecordList& records, const TProjectProgress& progress)
{
    std::string out;
    std::size_t textBytes = 0;
    for (const TProjectRecListItem& r : records.Records()) textBytes += r.Name.size() + r.Comment.size() + r.Ext.size() + r.Text.size();
    out.reserve(textBytes + static_cast<std::size_t>(records.Count()) * 96 + 64);
    PutLine(out, ProjectFileHeader[0]);
    PutLine(out, ProjectFileHeader[1]);
    PutLine(out, {});
    const int count = records.Count();
    if (progress) progress(0, count);
    for (int i = 0; i < count; ++i) {
        const TProjectRecListItem& r = records.Items(i);
        PutLine(out, Keys.ItemHeader);
        PutLine(out, Keys.Type, TypeName(r.NodeType));
        PutLine(out, Keys.Level, std::to_string(r.Level));
        PutValueLine(out, Keys.Name, r.Name);
        PutLine(out, Keys.Lock, std::to_string(r.Lock));
        PutValueLine(out, Keys.Comment, r.Comment);
        PutValueLine(out, Keys.Ext, r.Ext);
        PutLine(out, Keys.TextBegin);
        out += r.Text;
        if (!r.Text.empty() && r.Text.back() != '\r' && r.Text.back() != '\n') out += CrLf;
        PutLine(out, Keys.TextEnd);
        PutLine(out, {});
        if (progress) progress(i + 1, count);
    }
    if (progress) progress(0, count);
    return out;
}

TProjectFileStatus ReadProjectBytes(std::string_view bytes, TProjectRecordList& records, const TProjectProgress& progress)
{
    records.Clear();
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (progress) progress(0, size);
    TProjectFileStatus status = TProjectFileStatus::Loaded;
    try {
        TLineReader reader(bytes);
        ReadHeader(reader);
        int previousLevel = -1;
        while (!reader.AtEnd()) {
            if (reader.Text(reader.Next()) != Keys.ItemHeader) continue;
            TProjectRecListItem record = ReadBlock(reader, bytes);
            record.Level = std::clamp(record.Level, 0, previousLevel + 1);
            if (record.Level >= MaxProjectDepth) throw TRefused{TProjectFileStatus::TooDeep};
            previousLevel = record.Level;
            record.ItemId = records.Count();
            records.Add(std::move(record));
            if (progress) progress(static_cast<std::int64_t>(reader.Position()), size);
        }
        if (progress) progress(size, size);
    } catch (const TRefused& refused) {
        records.Clear();
        status = refused.Status;
    }
    if (progress) progress(0, size);
    return status;
}

bool TextHoldsEndLine(std::string_view text)
{
    TLineReader reader(text);
    while (!reader.AtEnd())
        if (reader.Text(reader.Next()) == Keys.TextEnd) return true;
    return false;
}

std::vector<int> UnsavableProjectItems(const TProjectRecordList& records)
{
    std::vector<int> items;
    for (int i = 0; i < records.Count(); ++i)
        if (TextHoldsEndLine(records.Texts(i))) items.push_back(i);
    return items;
}

void SaveProjectFile(TGlobalState& state, const std::string& fileName, const TProjectProgress& progress)
{
    WriteFileBytesSafely(fileName, WriteProjectBytes(state.ProjectItemList, progress));
    state.ProjectFileName = fileName;
    state.Settings.Project.LastProjectFile = fileName;
    state.ProjectCanContinue = true;
    state.ProjectModified = !UnsavableProjectItems(state.ProjectItemList).empty();
    AddProjectHistory(state, fileName);
}

TProjectFileStatus LoadProjectFile(TGlobalState& state, const std::string& fileName, const TProjectProgress& progress)
{
    std::string bytes;
    if (!ReadFileBytes(fileName, bytes)) throw EFOpenError(fileName + ": no such file");
    TProjectRecordList records;
    const TProjectFileStatus status = ReadProjectBytes(bytes, records, progress);
    state.ProjectItemList = std::move(records);
    state.ProjectModified = false;
    return status;
}

} // namespace qx
