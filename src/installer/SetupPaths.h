#pragma once
// Path rules of the installer. Paths in the setup information file are written with backslashes and
// are relative to a folder they must stay inside; these helpers turn them into paths and refuse the
// ones that would leave their folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// A folder path lexically normalised and without a trailing separator ("/a/b/" -> "/a/b").
std::filesystem::path PlainFolder(const std::filesystem::path& p);

// True when `p` is `folder` or lies below it (lexically).
bool IsWithin(const std::filesystem::path& p, const std::filesystem::path& folder);

// A relative path written with "\" or "/" as a normalised relative path; nothing when it is empty,
// absolute, names only its folder, or climbs out of it with "..".
std::optional<std::filesystem::path> ContainedPath(std::string_view text);

// Compares UTF-8 texts (file names, key paths) folding only ASCII letters.
bool SameAsciiText(std::string_view a, std::string_view b);

// The regular file `name` in `folder` when it exists, else the first (in name order) whose name matches
// it without regard to ASCII case; nothing when none does.
std::optional<std::filesystem::path> FindFileAnyCase(const std::filesystem::path& folder, std::string_view name);

// A single file name: not empty, no separator, not "." or "..".
bool IsPlainName(std::string_view name);

// True when a folder between `base` and `base / rel`'s last part is a symbolic link: a path through it
// could reach outside `base`.
bool HasLinkBelow(const std::filesystem::path& base, const std::filesystem::path& rel);

} // namespace qx
