#include "documents/ShellShortcut.h"

#include "platform/FileBytes.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace qx {

namespace {

namespace fs = std::filesystem;

// A desktop entry is a few hundred bytes; anything much larger is no entry worth reading whole.
constexpr std::uintmax_t MaxEntrySize = 1 << 20;
// As many links as the kernel follows in one path before it calls it a loop.
constexpr int MaxLinkHops = 40;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A string value of the entry format: "\s", "\n", "\t", "\r" and "\\" stand for their characters.
std::string Unescape(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += '\\', out += value[i]; break;
        }
    }
    return out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "%HH" becomes its byte; a "%" that starts no escape stays as it is. Nothing when a NUL would come out.
std::optional<std::string> PercentDecode(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int high = s[i] == '%' && i + 2 < s.size() ? HexValue(s[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(s[i + 2]) : -1;
        if (low < 0) {
            out += s[i];
            continue;
        }
        if (high == 0 && low == 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// The length of the URL's scheme ("file" of "file:///x"), 0 when it has none.
std::size_t SchemeLength(std::string_view url)
{
    if (url.empty() || !((url[0] >= 'a' && url[0] <= 'z') || (url[0] >= 'A' && url[0] <= 'Z'))) return 0;
    for (std::size_t i = 1; i < url.size(); ++i) {
        const char c = url[i];
        if (c == ':') return i;
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
                             c == '-' || c == '.';
        if (!allowed) return 0;
    }
    return 0;
}

// The keys of a desktop entry's main group that a link needs.
struct TEntryKeys {
    std::string Type, Url, Path, Comment, Name;
};

// The "[Desktop Entry]" group, which must be the first group; nothing when the text has none.
std::optional<TEntryKeys> ReadEntry(std::string_view text)
{
    TEntryKeys keys;
    bool inEntry = false;
    bool seenGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            if (seenGroup && inEntry) break;
            inEntry = !seenGroup && line == "[Desktop Entry]";
            if (!inEntry) return std::nullopt;
            seenGroup = true;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inEntry || eq == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string value = Unescape(Trim(line.substr(eq + 1)));
        // The first of a duplicated key counts.
        for (auto [name, field] : {std::pair{"Type", &keys.Type}, {"URL", &keys.Url}, {"Path", &keys.Path},
                                   {"Comment", &keys.Comment}, {"Name", &keys.Name}})
            if (key == name && field->empty()) *field = value;
    }
    if (!seenGroup) return std::nullopt;
    return keys;
}

std::optional<TShellShortcut> ResolveDesktopEntry(const fs::path& file)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > MaxEntrySize) return std::nullopt;
    std::string bytes;
    try {
        if (!ReadFileBytes(file.string(), bytes)) return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    const std::optional<TEntryKeys> keys = ReadEntry(bytes);
    if (!keys || keys->Type != "Link" || keys->Url.empty()) return std::nullopt;
    const fs::path folder = fs::absolute(file, ec).parent_path();
    if (ec) return std::nullopt;
    const std::optional<std::string> path = LocalPathOfUrl(keys->Url, folder.string());
    if (!path) return std::nullopt;
    // Named the way a symbolic link to the same file is, so that both find one tab.
    fs::path target = fs::weakly_canonical(*path, ec);
    if (ec) target = *path;
    return TShellShortcut{target.string(), keys->Path, keys->Comment.empty() ? keys->Name : keys->Comment};
}

} // namespace

std::optional<std::string> LocalPathOfUrl(const std::string& Url, const std::string& Base)
{
    std::string_view rest = Url;
    const std::size_t scheme = SchemeLength(rest);
    if (scheme > 0) {
        if (!SameAscii(rest.substr(0, scheme), "file")) return std::nullopt;
        rest.remove_prefix(scheme + 1);
    }
    // An authority: only this machine's (none, or "localhost"); a reference without a scheme names none.
    if (rest.substr(0, 2) == "//") {
        if (scheme == 0) return std::nullopt;
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !SameAscii(host, "localhost")) return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (scheme > 0 && rest.substr(0, 1) != "/") return std::nullopt;
    rest = rest.substr(0, rest.find_first_of("?#"));
    std::optional<std::string> path = PercentDecode(rest);
    if (!path || path->empty()) return std::nullopt;
    fs::path result(*path);
    if (result.is_relative()) result = fs::path(Base) / result;
    return result.lexically_normal().string();
}

std::optional<TShellShortcut> ResolveShortcut(const std::string& FileName)
{
    if (FileName.empty()) return std::nullopt;
    const fs::path file(FileName);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file, ec);
    if (ec) return std::nullopt;
    if (fs::is_symlink(status)) {
        // The file the chain of links ends at (a loop is no shortcut); a missing one is named all the same.
        fs::path target = fs::absolute(file, ec);
        for (int hops = 0; !ec && fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
            if (hops == MaxLinkHops) return std::nullopt;
            const fs::path next = fs::read_symlink(target, ec);
            target = next.is_absolute() ? next : target.parent_path() / next;
        }
        if (ec && ec != std::errc::no_such_file_or_directory) return std::nullopt;
        target = fs::weakly_canonical(target, ec);
        if (ec) return std::nullopt;
        return TShellShortcut{target.string(), {}, {}};
    }
    if (!fs::is_regular_file(status) || !SameAscii(file.extension().string(), ".desktop")) return std::nullopt;
    return ResolveDesktopEntry(file);
}

std::string ShortcutTarget(const std::string& FileName)
{
    const std::optional<TShellShortcut> shortcut = ResolveShortcut(FileName);
    return shortcut && !shortcut->Path.empty() ? shortcut->Path : FileName;
}

} // namespace qx
