#include "installer/Shortcuts.h"

#include "installer/DesktopEntry.h"
#include "installer/SetupPaths.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace qx {

namespace fs = std::filesystem;

namespace {

// Desktop entries are started as launchers: the desktop asks less about an executable one.
constexpr fs::perms kEntryPerms = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec;

constexpr TShortcutKind kKinds[] = {TShortcutKind::Programs, TShortcutKind::Desktop, TShortcutKind::Startup};

} // namespace

TShortcuts::TShortcuts(const TUserFolders& folders, TInstallFiles& files, const TSetupInfo& info,
                       fs::path installFolder, std::optional<fs::path> mainProgram)
    : FFolders(folders), FFiles(files), FInfo(info), FInstallFolder(std::move(installFolder)),
      FMainProgram(std::move(mainProgram))
{
}

bool TShortcuts::UsesGroup(TShortcutKind kind) const
{
    return kind == TShortcutKind::Programs && !FInfo.Groups.empty();
}

fs::path TShortcuts::EntryFile(const fs::path& folder, const std::string& name) const
{
    return folder / (name + ".desktop");
}

bool TShortcuts::Create(TShortcutKind kind)
{
    const fs::path& place = FFolders.ShortcutFolder(kind);
    // `folder` is relative to the place.
    const auto write = [&](const fs::path& folder, const TDesktopEntry& entry) {
        const fs::path file = EntryFile(folder, entry.Name);
        if (!FFiles.WriteFileBelow(place, file, FormatDesktopEntry(entry), kEntryPerms)) return false;
        FWritten.push_back(place / file);
        return true;
    };
    if (!UsesGroup(kind)) {
        if (!FMainProgram) return true;
        return write({}, TDesktopEntry{FInfo.Title, *FMainProgram, {}, FInstallFolder});
    }
    bool ok = true;
    for (const TGroupEntry& g : FInfo.Groups) {
        ok = write(FInfo.Title, TDesktopEntry{g.Name, FInstallFolder / g.Target, SplitArguments(g.Arguments),
                                              FInstallFolder}) && ok;
    }
    return ok;
}

bool TShortcuts::RemoveRecorded(const std::vector<fs::path>& recorded)
{
    const fs::path group = FFolders.Menu / FInfo.Title;
    bool ok = true;
    for (const fs::path& file : recorded) {
        const fs::path folder = PlainFolder(file.parent_path());
        const bool inPlace = folder == PlainFolder(group) ||
                             std::any_of(std::begin(kKinds), std::end(kKinds), [&](TShortcutKind kind) {
                                 return folder == PlainFolder(FFolders.ShortcutFolder(kind));
                             });
        if (inPlace && file.extension() == ".desktop") ok = FFiles.DeleteFile(file) && ok;
    }
    // The menu folder goes with the last of its entries; a folder still holding something stays.
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(group, ec)) && fs::is_empty(group, ec) && !ec)
        ok = FFiles.RemoveFolder(group) && ok;
    return ok;
}

} // namespace qx
