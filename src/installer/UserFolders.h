#pragma once
// The folders the installer reaches, as user folders of a freedesktop system. They stand in for the
// folders of the original platform: the program files folder, the Windows folder ("W!" entries), the
// System folder (other "X!" entries), the three shortcut places and the temporary folder. Everything
// is found from one table, so tests point it into a temporary home.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace qx {

enum class TShortcutKind { Programs = 0, Desktop = 1, Startup = 2 };

struct TUserFolders {
    std::filesystem::path Home;      // the "drive root": a Folder beginning with "\" lands here
    std::filesystem::path Programs;  // default parent of install folders ($XDG_DATA_HOME)
    std::filesystem::path Windows;   // "W!" entries ($XDG_CONFIG_HOME)
    std::filesystem::path System;    // other "X!" entries, kept on uninstall (~/.local/lib)
    std::filesystem::path Menu;      // shortcut kind 0 ($XDG_DATA_HOME/applications)
    std::filesystem::path Desktop;   // shortcut kind 1 (the XDG desktop folder)
    std::filesystem::path Startup;   // shortcut kind 2 ($XDG_CONFIG_HOME/autostart)
    std::filesystem::path Icons;     // the user's icon themes ($XDG_DATA_HOME/icons)
    std::filesystem::path Temp;      // where the uninstaller runs a copy of itself ($TMPDIR)
    std::filesystem::path KeyStore;  // the ini file of the key store

    using TGetEnv = std::function<std::optional<std::string>(const char* name)>;

    // The table below `home` with every XDG variable unset.
    static TUserFolders ForHome(const std::filesystem::path& home);
    // The table from the XDG variables, HOME, TMPDIR and user-dirs.dirs; relative values are ignored.
    static TUserFolders FromEnvironment(const TGetEnv& getEnv);
    static TUserFolders FromEnvironment();

    const std::filesystem::path& ShortcutFolder(TShortcutKind kind) const;

    // The root, the home folder, every folder above home, every folder of this table, the key store's
    // folder and every folder on the way to one of them, and every hidden folder directly under home:
    // nothing is ever installed into them as a whole or deleted as a tree.
    bool IsProtected(const std::filesystem::path& folder) const;
};

} // namespace qx
