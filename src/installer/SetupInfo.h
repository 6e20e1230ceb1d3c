#pragma once
// What a setup information file says: the product's title and folder, whether it is a resident program,
// the file to open after installing, the file entries, the shortcut entries and the keys to delete on
// uninstall. Entries are checked when read: a path that would leave its folder is refused.

#include "installer/SetupInfFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The message for a missing or incomplete information file.
inline constexpr const char* kBrokenSetupInfo = "設定ファイルが壊れているか、または見つかりません。";

// The folder a file entry's destination is relative to.
enum class TEntryFolder { Install, Windows, System };

struct TFileEntry {
    std::string Text;                             // the entry as written (decoded)
    std::optional<std::filesystem::path> Source;  // relative to the setup folder; none: delete Dest
    TEntryFolder Folder = TEntryFolder::Install;
    std::filesystem::path Dest;                   // relative to Folder
};

struct TGroupEntry {
    std::string Name;                   // the shortcut's name
    std::filesystem::path Target;       // relative to the install folder
    std::string Arguments;              // as written; empty when there are none
};

// A file entry: "name", "source,dest", "source,W!name" (Windows folder), "source,X!name" (System folder,
// any other letter), ",dest" (deleted when installing). Nothing when a path is missing or leaves its folder.
std::optional<TFileEntry> ParseFileEntry(std::string_view text);
// A shortcut entry: "name,target" or "name,target,arguments". Nothing without a comma, or when the name
// is not a plain file name or the target leaves the install folder.
std::optional<TGroupEntry> ParseGroupEntry(std::string_view text);

struct TSetupInfo {
    static constexpr std::size_t kMaxName = 99;  // Title and Folder, in CP932 bytes

    std::string Title;
    std::string Folder;  // as written: also the name of the uninstall key
    bool TSR = false;
    std::string Open;
    std::vector<TFileEntry> Files;     // entries 1 .. N
    std::vector<TGroupEntry> Groups;
    std::vector<std::string> Regs;

    // Reads every value; on a refused value, `problem` receives the message and nothing is returned.
    static std::optional<TSetupInfo> Read(const TSetupInfFile& inf, std::string& problem);

    // The install folder relative to its parent (Folder with "\" as separator and its leading "\" dropped).
    std::filesystem::path FolderPath() const;
    // True when Folder begins with "\": the folder sits in the home folder, not among the programs.
    bool FolderFromRoot() const;
};

} // namespace qx
