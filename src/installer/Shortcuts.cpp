#include "installer/Shortcuts.h"

#include "installer/DesktopEntry.h"

#include <vector>

namespace qx {

namespace fs = std::filesystem;

namespace {

// Desktop entries are started as launchers: the desktop asks less about an executable one.
constexpr fs::perms kEntryPerms = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec;

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
        return FFiles.WriteFileBelow(place, EntryFile(folder, entry.Name), FormatDesktopEntry(entry), kEntryPerms);
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

bool TShortcuts::Remove(TShortcutKind kind)
{
    const fs::path& place = FFolders.ShortcutFolder(kind);
    if (!UsesGroup(kind)) return FFiles.DeleteFile(EntryFile(place, FInfo.Title));

    const fs::path group = place / FInfo.Title;
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(group, ec))) return FFiles.DeleteFile(group);
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(group, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
    bool ok = !ec;
    for (const fs::path& entry : entries) {
        if (!fs::is_directory(fs::symlink_status(entry, ec))) ok = FFiles.DeleteFile(entry) && ok;
    }
    return FFiles.RemoveFolder(group) && ok;
}

} // namespace qx
