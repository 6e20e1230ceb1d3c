#include "installer/SetupInfFile.h"

#include "installer/SetupPaths.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/LeadByte.h"


namespace qx {

namespace fs = std::filesystem;

namespace {

std::string_view TrimSpaces(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The position of the first `c` that is not the trail byte of a double-byte character.
std::size_t FindByte(std::string_view s, char c)
{
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) {
        if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

} // namespace

TSetupInfFile::TSetupInfFile(std::string_view bytes)
{
    Section* current = nullptr;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        // Profile strings are C strings: nothing after a NUL byte (never a trail byte) is read.
        line = TrimSpaces(line.substr(0, line.find('\0')));
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            std::string_view name = line.substr(1);
            name = TrimSpaces(name.substr(0, FindByte(name, ']')));
            FSectionIndex.Add(name, static_cast<int>(FSections.size()));
            FSections.push_back(Section{std::string(name), {}, {}});
            current = &FSections.back();
            continue;
        }
        if (!current) continue;
        const std::size_t eq = line.find('=');  // '=' is never a trail byte
        std::string_view key = TrimSpaces(line.substr(0, eq));
        std::string_view value = eq == std::string_view::npos ? std::string_view() : TrimSpaces(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        current->Keys.Add(key, static_cast<int>(current->Values.size()));
        current->Values.emplace_back(std::string(key), std::string(value));
    }
}

std::optional<TSetupInfFile> TSetupInfFile::Load(const fs::path& file)
{
    std::string bytes;
    try {
        if (!ReadFileBytes(file.string(), bytes)) return std::nullopt;
    } catch (const Exception&) {
        return std::nullopt;  // unreadable, or no regular file (a pipe would block)
    }
    return TSetupInfFile(bytes);
}

std::optional<std::string> TSetupInfFile::ReadRaw(std::string_view section, std::string_view key) const
{
    const int s = FSectionIndex.Find(section);  // the first section of a name is the only one read
    if (s < 0) return std::nullopt;
    const Section& found = FSections[static_cast<std::size_t>(s)];
    const int k = found.Keys.Find(key);
    if (k < 0) return std::nullopt;
    return found.Values[static_cast<std::size_t>(k)].second;
}

std::string TSetupInfFile::ReadString(std::string_view section, std::string_view key, std::size_t maxBytes) const
{
    const auto raw = ReadRaw(section, key);
    return raw ? Cp932ToUtf8(CutCp932(*raw, maxBytes)) : std::string();
}

std::string_view CutCp932(std::string_view sjis, std::size_t maxBytes)
{
    std::size_t i = 0;
    while (i < sjis.size() && i + CharLengthAt(sjis, i) <= maxBytes) i += CharLengthAt(sjis, i);
    return sjis.substr(0, i);
}

std::optional<fs::path> FindInfFile(const fs::path& folder, std::string_view stem)
{
    return FindFileAnyCase(folder, std::string(stem) + ".INF");
}

} // namespace qx
