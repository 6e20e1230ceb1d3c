#pragma once
// The size rule of every reader of settings files and the lists kept beside them (ini files, histories,
// tips, favourites, phrase and command lists). Such a file is read whole and split into lines, which
// costs many times its size; the largest real ones hold a few dozen kilobytes. A file above
// MaxSettingsFileBytes (a hundred times that and more) is no settings file of this program's: it is
// refused whole before anything of it is read, so the settings in use stay as they are, and like any
// file that cannot be read it is never written over.

#include "platform/Exception.h"

#include <cstddef>
#include <string>

namespace qx {

inline constexpr std::size_t MaxSettingsFileBytes = std::size_t{4} << 20;

// A settings file refused for its size; the message names the file and gives the reason.
class ESettingsFileTooLarge : public EFOpenError {
public:
    explicit ESettingsFileTooLarge(std::string fileName);
    const std::string& FileName() const { return FFileName; }
    // The reason alone, for a message that names the file itself.
    static std::string Reason();

private:
    std::string FFileName;
};

// Reads the whole file as ReadFileBytes does (false when it does not exist; EFOpenError when it cannot
// be read); raises ESettingsFileTooLarge for a file larger than MaxSettingsFileBytes.
bool ReadSettingsFileBytes(const std::string& path, std::string& bytes);

// How many settings files were read since the program started (every reader of settings reads through
// ReadSettingsFileBytes): what is kept in memory is read once, and no keystroke, repaint or state
// update reads a file.
long SettingsFileReads();

} // namespace qx
