#include "installer/SetupInfo.h"

#include "installer/SetupPaths.h"

namespace qx {

namespace fs = std::filesystem;

namespace {

std::string Refused(std::string_view section, std::string_view key, std::string_view value)
{
    return "[" + std::string(section) + "] " + std::string(key) + "=" + std::string(value) +
           "\n設定ファイルのこの値は使えません。";
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

std::optional<TFileEntry> ParseFileEntry(std::string_view text)
{
    TFileEntry entry;
    entry.Text = text;
    const std::size_t comma = text.find(',');  // decoded text: a comma is never part of a character
    std::string_view source = text.substr(0, comma);
    std::string_view dest = comma == std::string_view::npos ? source : text.substr(comma + 1);
    if (!source.empty()) {
        entry.Source = ContainedPath(source);
        if (!entry.Source) return std::nullopt;
    }
    if (dest.size() >= 2 && dest[1] == '!' && IsAsciiLetter(dest[0])) {
        entry.Folder = (dest[0] == 'W' || dest[0] == 'w') ? TEntryFolder::Windows : TEntryFolder::System;
        dest.remove_prefix(2);
    }
    const auto destPath = ContainedPath(dest);
    if (!destPath) return std::nullopt;
    entry.Dest = *destPath;
    return entry;
}

std::optional<TGroupEntry> ParseGroupEntry(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    TGroupEntry entry;
    entry.Name = text.substr(0, comma);
    std::string_view rest = text.substr(comma + 1);
    const std::size_t second = rest.find(',');
    if (second != std::string_view::npos) entry.Arguments = rest.substr(second + 1);
    const auto target = ContainedPath(rest.substr(0, second));
    if (!IsPlainName(entry.Name) || !target) return std::nullopt;
    entry.Target = *target;
    return entry;
}

std::optional<TSetupInfo> TSetupInfo::Read(const TSetupInfFile& inf, std::string& problem)
{
    TSetupInfo info;
    info.Title = inf.ReadString("Install", "Title", kMaxName);
    info.Folder = inf.ReadString("Install", "Folder", kMaxName);
    if (info.Title.empty() || info.Folder.empty()) {
        problem = kBrokenSetupInfo;
        return std::nullopt;
    }
    if (!IsPlainName(info.Title)) {
        problem = Refused("Install", "Title", info.Title);
        return std::nullopt;
    }
    if (!ContainedPath(info.FolderFromRoot() ? info.Folder.substr(1) : info.Folder)) {
        problem = Refused("Install", "Folder", info.Folder);
        return std::nullopt;
    }
    info.TSR = inf.ReadString("Install", "TSR") == "1";
    info.Open = inf.ReadString("Install", "Open");

    for (int i = 1;; ++i) {
        const std::string key = std::to_string(i);
        const std::string text = inf.ReadString("Install", key);
        if (text.empty()) break;
        auto entry = ParseFileEntry(text);
        if (!entry) {
            problem = Refused("Install", key, text);
            return std::nullopt;
        }
        info.Files.push_back(std::move(*entry));
    }
    for (int i = 1;; ++i) {
        const std::string key = std::to_string(i);
        const std::string text = inf.ReadString("Group", key);
        if (text.find(',') == std::string::npos) break;
        auto entry = ParseGroupEntry(text);
        if (!entry) {
            problem = Refused("Group", key, text);
            return std::nullopt;
        }
        info.Groups.push_back(std::move(*entry));
    }
    for (int i = 1;; ++i) {
        std::string text = inf.ReadString("Reg", std::to_string(i));
        if (text.empty()) break;
        info.Regs.push_back(std::move(text));
    }
    return info;
}

bool TSetupInfo::FolderFromRoot() const
{
    return !Folder.empty() && (Folder[0] == '\\' || Folder[0] == '/');
}

fs::path TSetupInfo::FolderPath() const
{
    return ContainedPath(FolderFromRoot() ? Folder.substr(1) : Folder).value_or(fs::path());
}

} // namespace qx
