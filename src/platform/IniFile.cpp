#include "platform/IniFile.h"

#include "platform/FileBytes.h"
#include "platform/OneLine.h"
#include "platform/SettingsBytes.h"

#include <cstdint>
#include <utility>

namespace qx {

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

std::string_view IniLineName(std::string_view line)
{
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

std::string_view IniLineValue(std::string_view line)
{
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

bool TryStrToInt(std::string_view text, int& value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return false;
    std::uint64_t n = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        n = n * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (n > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal fills the 32 bits as they are.
        const auto bits = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(n)
                                                              : static_cast<std::uint32_t>(n));
        value = static_cast<int>(static_cast<std::int32_t>(bits));
        return true;
    }
    if (negative ? n > 0x80000000ull : n > 0x7FFFFFFFull) return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(n)) : static_cast<int>(n);
    return true;
}

TMemIniFile::TMemIniFile(std::string fileName) : FFileName(std::move(fileName))
{
    std::string bytes;
    if (ReadSettingsFileBytes(FFileName, bytes)) {
        TStringList lines;
        lines.SetText(bytes);
        SetStrings(lines);
    }
}

void TMemIniFile::Section::AddLine(std::string line)
{
    if (line.find('=') != std::string::npos) Keys.Add(IniLineName(line), static_cast<int>(Lines.size()));
    Lines.push_back(std::move(line));
}

void TMemIniFile::Section::IndexKeys()
{
    Keys.Clear();
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (Lines[i].find('=') != std::string::npos) Keys.Add(IniLineName(Lines[i]), static_cast<int>(i));
}

const TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const
{
    const int i = FSectionIndex.Find(name);
    return i < 0 ? nullptr : &FSections[static_cast<std::size_t>(i)];
}

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

TMemIniFile::Section& TMemIniFile::SectionFor(std::string_view name)
{
    if (Section* s = FindSection(name)) return *s;
    FSectionIndex.Add(name, static_cast<int>(FSections.size()));
    FSections.push_back(Section{std::string(name), {}, {}});
    return FSections.back();
}

int TMemIniFile::IndexOfName(const Section& section, std::string_view ident)
{
    return section.Keys.Find(ident);
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view defaultValue) const
{
    if (const Section* s = FindSection(section)) {
        const int i = IndexOfName(*s, ident);
        if (i >= 0) return std::string(IniLineValue(s->Lines[i]));
    }
    return std::string(defaultValue);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    if (!IsOneLine(value)) {
        DeleteKey(section, ident);  // not stored, nor an older value left under the key
        return;
    }
    Section& s = SectionFor(section);
    std::string line = std::string(ident) + "=" + std::string(value);
    const int i = IndexOfName(s, ident);
    if (i >= 0) s.Lines[i] = std::move(line);  // the same name: the index stays right
    else s.AddLine(std::move(line));
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int defaultValue) const
{
    const std::string text = ReadString(section, ident, "");
    int value;
    return TryStrToInt(text, value) ? value : defaultValue;
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view ident, int value)
{
    WriteString(section, ident, std::to_string(value));
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const
{
    const Section* s = FindSection(section);
    return s && IndexOfName(*s, ident) >= 0;
}

void TMemIniFile::ReadSection(std::string_view section, TStringList& keys) const
{
    keys.BeginUpdate();
    keys.Clear();
    if (const Section* s = FindSection(section))
        for (const std::string& line : s->Lines)
            if (line.find('=') != std::string::npos) keys.Add(std::string(IniLineName(line)));
    keys.EndUpdate();
}

void TMemIniFile::ReadSections(TStringList& sections) const
{
    sections.BeginUpdate();
    sections.Clear();
    for (const Section& s : FSections) sections.Add(s.Name);
    sections.EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStringList& lines) const
{
    lines.BeginUpdate();
    lines.Clear();
    if (const Section* s = FindSection(section))
        for (const std::string& line : s->Lines) lines.Add(line);
    lines.EndUpdate();
}

void TMemIniFile::AddSection(std::string_view section)
{
    SectionFor(section);
}

void TMemIniFile::EraseSection(std::string_view section)
{
    const int i = FSectionIndex.Find(section);
    if (i < 0) return;
    FSections.erase(FSections.begin() + i);
    FSectionIndex.Clear();
    for (std::size_t k = 0; k < FSections.size(); ++k) FSectionIndex.Add(FSections[k].Name, static_cast<int>(k));
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    if (Section* s = FindSection(section)) {
        const int i = IndexOfName(*s, ident);
        if (i >= 0) {
            s->Lines.erase(s->Lines.begin() + i);
            s->IndexKeys();  // the lines after it moved, and a later line of the same name now counts
        }
    }
}

void TMemIniFile::Clear()
{
    FSections.clear();
    FSectionIndex.Clear();
}

void TMemIniFile::GetStrings(TStringList& lines) const
{
    lines.BeginUpdate();
    lines.Clear();
    for (const Section& s : FSections) {
        lines.Add("[" + s.Name + "]");
        for (const std::string& line : s.Lines) lines.Add(line);
        lines.Add("");
    }
    lines.EndUpdate();
}

void TMemIniFile::SetStrings(const TStringList& lines)
{
    Clear();
    Section* current = nullptr;
    for (const std::string& raw : lines.Items()) {
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            // A section named twice is one section: later lines join the first.
            current = &SectionFor(TrimBlanks(line.substr(1, line.size() - 2)));
        } else if (current) {
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos)
                current->AddLine(std::string(line));
            else
                current->AddLine(std::string(TrimBlanks(line.substr(0, eq))) + "=" +
                                 std::string(TrimBlanks(line.substr(eq + 1))));
        }
    }
}

std::string TMemIniFile::FileBytes() const
{
    TStringList lines;
    GetStrings(lines);
    std::string bytes;
    for (const std::string& line : FHeader) bytes += line + "\r\n";
    return bytes + lines.Text();
}

void TMemIniFile::UpdateFile() const
{
    WriteFileBytesSafely(FFileName, FileBytes());
}

} // namespace qx
