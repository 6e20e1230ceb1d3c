#include "installer/SetupPaths.h"

#include <algorithm>
#include <vector>

namespace qx {

namespace fs = std::filesystem;

fs::path PlainFolder(const fs::path& p)
{
    fs::path n = p.lexically_normal();
    if (n.has_filename() || n == n.root_path()) return n;
    return n.parent_path();
}

bool IsWithin(const fs::path& p, const fs::path& folder)
{
    const fs::path a = PlainFolder(folder), b = PlainFolder(p);
    auto i = a.begin();
    auto j = b.begin();
    for (; i != a.end(); ++i, ++j) {
        if (j == b.end() || *i != *j) return false;
    }
    return true;
}

std::optional<fs::path> ContainedPath(std::string_view text)
{
    std::string s(text);
    std::replace(s.begin(), s.end(), '\\', '/');
    if (s.empty() || s[0] == '/') return std::nullopt;
    fs::path n = PlainFolder(fs::path(s));
    if (n.empty() || n == ".") return std::nullopt;
    if (*n.begin() == "..") return std::nullopt;  // a normal path keeps ".." only at its start
    return n;
}

bool SameAsciiText(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<fs::path> FindFileAnyCase(const fs::path& folder, std::string_view name)
{
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec)) return folder / name;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (SameAsciiText(it->path().filename().string(), name) && fs::is_regular_file(it->path(), ec))
            found.push_back(it->path());
    }
    if (found.empty()) return std::nullopt;
    return *std::min_element(found.begin(), found.end());
}

bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

bool HasLinkBelow(const fs::path& base, const fs::path& rel)
{
    fs::path p = base;
    const fs::path folders = rel.parent_path();
    for (const fs::path& part : folders) {
        p /= part;
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(p, ec))) return true;
    }
    return false;
}

} // namespace qx
