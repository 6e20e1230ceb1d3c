#pragma once
// The small phrase and command lists the tools keep beside the settings (the phrase lists, the
// external commands, the signatures): plain Shift-JIS text, one item a line, every line ended by CR LF.
// Saving goes through the safe write, so a failed save leaves the old list whole.

#include "platform/StringList.h"

#include <string>

namespace qx {

// Replaces `lines` by the file's lines (CR, LF and CR LF end a line; a final line end adds no empty
// line). Returns false and leaves `lines` empty when the file does not exist; raises EFOpenError when it
// exists but cannot be read or is larger than a settings file may be (platform/SettingsBytes.h).
bool LoadTextList(const std::string& path, TStringList& lines);

// Replaces the file by `lines`, each followed by CR LF; raises EInOutError on failure.
void SaveTextList(const std::string& path, const TStringList& lines);

} // namespace qx
