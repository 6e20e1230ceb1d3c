#pragma once
// "QxEditor.sck", the user's shortcut keys: after the comment header, [Application] (Title, Version) and
// one section per command section, each key the command's name and each value its shortcut text in
// double quotes ("" = no key). A key the file lacks means the command's default. A new file lists the
// sections in order and the keys in the key dialog's tree order; sections and keys the program does not
// know are kept when the file is written again. The key dialog loads and saves other files of the same
// form.

#include "platform/IniFile.h"
#include "platform/ShortCut.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline constexpr std::string_view ShortCutFileName = "QxEditor.sck";

// The key dialog's texts: one per tree node, in tree order. A section or group node holds "Nil".
using TKeyTexts = std::vector<std::string>;
inline constexpr std::string_view GroupKeyText = "Nil";

// A row's shortcut text from a key file: the value without its enclosing quotes, or the row's default
// when the key is absent (also when `ini` is null: no file).
std::string ReadCommandKeyText(const TMemIniFile* ini, int row);

// Every row's shortcut value as the file gives it (a text that does not read gives no key). A missing
// or unreadable file gives the defaults.
std::vector<TShortCut> ReadShortCuts(const std::string& path);

// The key texts of a file (the defaults for a missing one). Raises EFOpenError when the file exists but
// cannot be read or is no key file (it holds no command's key in that command's section); `texts` is
// then left as it was.
void LoadKeySetFile(const std::string& path, TKeyTexts& texts);

// The key texts with every command at its default.
TKeyTexts DefaultKeyTexts();

// Writes the command nodes' texts into the file with the header and [Application], through the safe
// write. Raises EFOpenError when the file exists but cannot be read (it is then left alone, never
// overwritten) and EInOutError when the write fails (the old file stays whole).
void SaveKeySetFile(const std::string& path, const TKeyTexts& texts);

} // namespace qx
