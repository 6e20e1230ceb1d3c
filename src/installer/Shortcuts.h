#pragma once
// The installation's shortcuts in the three places: the application menu (kind 0; a menu folder named
// Title holding one entry per [Group] entry, or one entry named Title), the desktop (kind 1) and the
// programs started at login (kind 2). Each shortcut is a desktop entry that starts its target in the
// install folder. The files written are remembered (the install records them), and removal takes only
// recorded files: a user's own entry of the same name stays.

#include "installer/InstallFiles.h"
#include "installer/SetupInfo.h"
#include "installer/UserFolders.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace qx {

class TShortcuts {
public:
    // `mainProgram` is entry 1's destination: the target of the shortcut named Title.
    TShortcuts(const TUserFolders& folders, TInstallFiles& files, const TSetupInfo& info,
               std::filesystem::path installFolder, std::optional<std::filesystem::path> mainProgram);

    bool Create(TShortcutKind kind);
    // The entry files Create wrote.
    const std::vector<std::filesystem::path>& Written() const { return FWritten; }

    // Deletes the recorded entry files that lie in a shortcut place (or in this product's menu folder),
    // then the menu folder when nothing else is left in it.
    bool RemoveRecorded(const std::vector<std::filesystem::path>& recorded);

private:
    bool UsesGroup(TShortcutKind kind) const;
    std::filesystem::path EntryFile(const std::filesystem::path& folder, const std::string& name) const;

    const TUserFolders& FFolders;
    TInstallFiles& FFiles;
    const TSetupInfo& FInfo;
    std::filesystem::path FInstallFolder;
    std::optional<std::filesystem::path> FMainProgram;
    std::vector<std::filesystem::path> FWritten;
};

} // namespace qx
