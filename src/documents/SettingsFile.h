#pragma once
// The common ground of every settings file the program writes: the six-line comment header, the
// [Application] section, opening without ever failing start-up, one safe write of header and content,
// and key readers/writers that spell values the settings way (strings quoted, booleans "1"/"0").

#include "platform/Color.h"
#include "platform/FontStyle.h"
#include "platform/Exception.h"
#include "platform/IniFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// First lines of the headers (UTF-8; SettingsFileHeader converts them).
inline constexpr std::string_view kMainSettingsTitle = "// QxEditor for Windows 共通設定ファイル";
inline constexpr std::string_view kToolBarSettingsTitle = "// QxEditor for Windows ユーザーツールバー設定ファイル";
inline constexpr std::string_view kShortCutSettingsTitle = "// QxEditor for Windows ショートカットキー設定ファイル";

// The six header lines in CP932: the title, "//", two warning lines, a rule and an empty line.
TStringList SettingsFileHeader(std::string_view title);

// Opens a settings file. A missing file gives an empty object; a file that exists but cannot be read
// gives nothing, and the caller keeps its defaults and must not write (that would lose the file).
std::optional<TMemIniFile> OpenSettingsFile(const std::string& path);

// Where a settings file refused for its size (platform/SettingsBytes.h) is told: the window shows the
// text (the read error naming the file) through its prompter. Settings are read again and again (the
// history at every open), so each file is told once a run; setting the report starts the count afresh.
// Other read errors stay quiet: the settings then keep their defaults, as they always have.
void SetSettingsRefusalReport(std::function<void(const std::string& text)> report);
// Called by the readers with what they caught.
void ReportSettingsRefusal(const Exception& error);

// Writes the header (none when `title` is empty) and the content in one safe write, unless the file
// holds those very bytes already. Settings are never worth stopping the program for: a failure (an
// unwritable program folder) returns false and the old file stays as it was.
bool WriteSettingsFile(TMemIniFile& ini, std::string_view title);

// The same rule for a settings file that is no ini file ("Favorite"): writes `bytes` safely unless the
// file exists but cannot be read; false when it was not written.
bool WriteSettingsBytes(const std::string& path, const std::string& bytes);

// [Application] Title (always unquoted) and Version (unquoted or quoted).
void WriteApplicationSection(TMemIniFile& ini, bool quotedVersion);

// Readers and writers for one section, used through one key list per section so that a key is read and
// written under the same name and spelling. A key read with `saved` false is one this writer leaves to
// somebody else (the options dialog) or to the user.
class TKeyReader {
public:
    TKeyReader(const TMemIniFile& ini, std::string_view section) : FIni(ini), FSection(section) {}
    // Each takes the value's default in `value` and replaces it by the file's value when there is one.
    void Bool(std::string_view key, bool& value, bool saved = true);
    void Int(std::string_view key, int& value, bool saved = true);
    void Str(std::string_view key, std::string& value, bool saved = true);
    void Color(std::string_view key, TColor& value, bool saved = true);
    void Style(std::string_view key, TFontStyles& value, bool saved = true);

private:
    const TMemIniFile& FIni;
    std::string FSection;
};

class TKeyWriter {
public:
    TKeyWriter(TMemIniFile& ini, std::string_view section) : FIni(ini), FSection(section) {}
    void Bool(std::string_view key, const bool& value, bool saved = true);
    void Int(std::string_view key, const int& value, bool saved = true);
    void Str(std::string_view key, const std::string& value, bool saved = true);
    void Color(std::string_view key, const TColor& value, bool saved = true);
    void Style(std::string_view key, const TFontStyles& value, bool saved = true);

private:
    TMemIniFile& FIni;
    std::string FSection;
};

inline constexpr bool kNotSaved = false;

} // namespace qx
