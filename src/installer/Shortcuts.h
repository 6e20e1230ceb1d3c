#pragma once
// The installation's shortcuts in the three places: the application menu (kind 0; a menu folder named
// Title holding one entry per [Group] entry, or one entry named Title), the desktop (kind 1) and the
// programs started at login (kind 2). Each shortcut is a desktop entry that starts its target in the
// install folder.

#include "installer/InstallFiles.h"
#include "installer/SetupInfo.h"
#include "installer/UserFolders.h"

#include <filesystem>
#include <optional>

namespace qx {

class TShortcuts {
public:
    // `mainProgram` is entry 1's destination: the target of the shortcut named Title.
    TShortcuts(const TUserFolders& folders, TInstallFiles& files, const TSetupInfo& info,
               std::filesystem::path installFolder, std::optional<std::filesystem::path> mainProgram);

    bool Create(TShortcutKind kind);
    bool Remove(TShortcutKind kind);

private:
    bool UsesGroup(TShortcutKind kind) const;
    std::filesystem::path EntryFile(const std::filesystem::path& folder, const std::string& name) const;

    const TUserFolders& FFolders;
    TInstallFiles& FFiles;
    const TSetupInfo& FInfo;
    std::filesystem::path FInstallFolder;
    std::optional<std::filesystem::path> FMainProgram;
};

} // namespace qx
