#pragma once
// The installation's shortcuts in the three places: the application menu (kind 0; a menu folder named
// Title holding one entry per [Group] entry, or one entry named Title), the desktop (kind 1) and the
// programs started at login (kind 2). Each shortcut is a desktop entry that starts its target in the
// install folder, with the target's icon: the install folder's "icons" folder is laid out as an icon
// theme ("icons/hicolor/48x48/apps/QxEditor.png"), and the files named after the target (PNG or SVG) go
// into the user's icon themes under the same path. The files written are remembered (the install records
// them), and removal takes only recorded files: a user's own entry of the same name stays.

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
    // The entry files and the icon files Create wrote.
    const std::vector<std::filesystem::path>& Written() const { return FWritten; }
    const std::vector<std::filesystem::path>& WrittenIcons() const { return FIcons; }

    // Deletes the recorded entry files that lie in a shortcut place (or in this product's menu folder),
    // then the menu folder when nothing else is left in it.
    bool RemoveRecorded(const std::vector<std::filesystem::path>& recorded);
    // Deletes the recorded icon files that lie in the user's icon themes.
    bool RemoveRecordedIcons(const std::vector<std::filesystem::path>& recorded);

private:
    bool UsesGroup(TShortcutKind kind) const;
    std::filesystem::path EntryFile(const std::filesystem::path& folder, const std::string& name) const;
    // Installs the icon of a target in the install folder; its name, or "" when it has none.
    std::string InstallIcon(const std::filesystem::path& target, bool& ok);

    const TUserFolders& FFolders;
    TInstallFiles& FFiles;
    const TSetupInfo& FInfo;
    std::filesystem::path FInstallFolder;
    std::optional<std::filesystem::path> FMainProgram;
    std::vector<std::filesystem::path> FWritten;
    std::vector<std::filesystem::path> FIcons;
};

} // namespace qx
