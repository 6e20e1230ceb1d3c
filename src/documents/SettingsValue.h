#pragma once
// Changing one value of a settings file in place: the line of the key is rewritten and every other byte
// of the file stays as it was (comments, blank lines, spelling, order). Used where a dialog keeps one
// setting of "QxEditor.ini" of its own between the main writes.

#include <string>
#include <string_view>

namespace qx {

// Sets `key` of `section` to `value` (written as it is: the caller quotes strings). The first line of
// the key in the section (names matched as the ini reader matches them) is rewritten with the file's
// own spelling of the key and its line end; a missing key goes after the section's last line, a missing
// section to the end of the file. A missing file becomes a settings file with the header of `title`.
// A value with a line end is not stored: the key's line is removed (see platform/OneLine.h).
// Returns false, writing nothing, when the file cannot be read or written.
bool WriteSettingsValue(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value, std::string_view title);

} // namespace qx
