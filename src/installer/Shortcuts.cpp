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

std::string TShortcuts::InstallIcon(const fs::path& target, bool& ok)
{
    const fs::path theme = FInstallFolder / "icons";
    const std::string name = target.filename().string();
    std::error_code ec;
    if (!IsWithin(target, FInstallFolder) || !fs::is_directory(fs::symlink_status(theme, ec))) return {};
    bool found = false;
    for (fs::recursive_directory_iterator it(theme, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        const std::string ext = file.extension().string();
        if (file.stem().string() != name || (ext != ".png" && ext != ".svg") || !it->is_regular_file(ec)) continue;
        found = true;
        const fs::path rel = file.lexically_relative(theme);
        const fs::path dest = FFolders.Icons / rel;
        if (std::find(FIcons.begin(), FIcons.end(), dest) != FIcons.end()) continue;
        if (FFiles.CopyEntryFileBelow(file, FFolders.Icons, rel))
            FIcons.push_back(dest);
        else
            ok = false;
    }
    return found ? name : std::string();
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
    bool ok = true;
    if (!UsesGroup(kind)) {
        if (!FMainProgram) return true;
        const std::string icon = InstallIcon(*FMainProgram, ok);
        return write({}, TDesktopEntry{FInfo.Title, *FMainProgram, {}, FInstallFolder, icon}) && ok;
    }
    for (const TGroupEntry& g : FInfo.Groups) {
        const fs::path target = FInstallFolder / g.Target;
        const std::string icon = InstallIcon(target, ok);
        ok = write(FInfo.Title, TDesktopEntry{g.Name, target, SplitArguments(g.Arguments), FInstallFolder, icon}) && ok;
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

bool TShortcuts::RemoveRecordedIcons(const std::vector<fs::path>& recorded)
{
    bool ok = true;
    for (const fs::path& file : recorded) {
        const std::string ext = file.extension().string();
        if (IsWithin(file, FFolders.Icons) && PlainFolder(file) != PlainFolder(FFolders.Icons) &&
            (ext == ".png" || ext == ".svg"))
            ok = FFiles.DeleteFileBelow(FFolders.Icons, file.lexically_relative(FFolders.Icons)) && ok;
    }
    return ok;
}

} // namespace qx
