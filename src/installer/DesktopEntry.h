#pragma once
// Shortcuts as freedesktop desktop entries: the stand-in for the shell links of the original platform.
// A shortcut names a program, its arguments and its working folder ("Path").

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct TDesktopEntry {
    std::string Name;
    std::filesystem::path Program;
    std::vector<std::string> Arguments;
    std::filesystem::path WorkingFolder;
    std::string Icon;  // an icon theme's icon name; none when empty
};

// The text of a ".desktop" file for `entry` (UTF-8, LF line ends).
std::string FormatDesktopEntry(const TDesktopEntry& entry);

// One argument of an Exec line: quoted when it holds a reserved character, with "%" doubled and the
// string escapes of the entry format applied.
std::string DesktopExecArgument(std::string_view argument);

// An arguments text as the original platform's command line reads it: blanks separate arguments,
// double quotes group blanks into one and are dropped.
std::vector<std::string> SplitArguments(std::string_view text);

} // namespace qx
