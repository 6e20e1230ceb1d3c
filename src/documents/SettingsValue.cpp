#include "documents/SettingsValue.h"

#include "documents/SettingsFile.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/IniFile.h"
#include "platform/OneLine.h"
#include "platform/SettingsBytes.h"

#include <optional>
#include <vector>

namespace qx {

namespace {

struct Line {
    std::string_view Text;  // without its line end
    std::string_view End;   // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<Line> SplitLines(std::string_view bytes)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({bytes.substr(start), {}});
            break;
        }
        const std::size_t endLength = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({bytes.substr(start, end - start), bytes.substr(end, endLength)});
        start = end + endLength;
    }
    return lines;
}

// The name of a section line ("[name]" with blanks around), or nothing.
bool SectionName(std::string_view text, std::string_view& name)
{
    const std::string_view line = TrimBlanks(text);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    name = TrimBlanks(line.substr(1, line.size() - 2));
    return true;
}

} // namespace

bool WriteSettingsValue(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value, std::string_view title)
{
    std::string bytes;
    try {
        if (!ReadSettingsFileBytes(path, bytes)) {
            TMemIniFile ini(path);
            ini.WriteString(section, key, value);
            return WriteSettingsFile(ini, title);
        }
    } catch (const Exception& e) {
        ReportSettingsRefusal(e);
        return false;  // an unreadable file is never written over
    }

    const std::vector<Line> lines = SplitLines(bytes);
    // The file's own line end for lines this adds.
    const std::string_view newline = lines.empty() || lines.front().End.empty() ? "\r\n" : lines.front().End;
    // The key's line, and the last line that is not blank in the section's first appearance (a section
    // named twice is one section to the reader).
    std::optional<std::size_t> keyLine, lastOfSection;
    bool inSection = false, inFirst = false;
    for (std::size_t i = 0; i < lines.size() && !keyLine; ++i) {
        std::string_view name;
        if (SectionName(lines[i].Text, name)) {
            inSection = SameText(name, section);
            inFirst = inSection && !lastOfSection;
            if (inFirst) lastOfSection = i;
            continue;
        }
        const std::string_view text = TrimBlanks(lines[i].Text);
        if (!inSection || text.empty()) continue;
        if (inFirst) lastOfSection = i;
        const std::size_t eq = text.find('=');
        if (text.front() != ';' && eq != std::string_view::npos && SameText(TrimBlanks(text.substr(0, eq)), key))
            keyLine = i;
    }

    const auto keyText = [&](std::string_view spelling) {
        return std::string(spelling) + "=" + std::string(value);
    };
    // A value with a line end is not stored, and the key's older value goes (as TMemIniFile does).
    const bool stored = IsOneLine(value);
    std::string out;
    if (keyLine) {
        const std::string_view text = TrimBlanks(lines[*keyLine].Text);
        const std::string_view spelling = TrimBlanks(text.substr(0, text.find('=')));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == *keyLine && !stored) continue;
            out += i == *keyLine ? keyText(spelling) : std::string(lines[i].Text);
            out += lines[i].End;
        }
    } else if (!stored) {
        return true;
    } else {
        out = bytes;
        // A last line without its end must not run into what is added.
        if (!lines.empty() && lines.back().End.empty()) out += newline;
        if (!lastOfSection) {
            out += "[" + std::string(section) + "]" + std::string(newline) + keyText(key) + std::string(newline) +
                   std::string(newline);
        } else {
            std::size_t offset = 0;
            for (std::size_t i = 0; i <= *lastOfSection; ++i) offset += lines[i].Text.size() + lines[i].End.size();
            if (lines[*lastOfSection].End.empty()) offset = out.size();
            out.insert(offset, keyText(key) + std::string(newline));
        }
    }
    return WriteSettingsBytes(path, out);
}

} // namespace qx
