#include "installer/UserFolders.h"

#include "installer/SetupPaths.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace qx {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> AbsoluteValue(const std::optional<std::string>& value)
{
    if (!value || value->empty() || (*value)[0] != '/') return std::nullopt;
    return PlainFolder(*value);
}

// XDG_DESKTOP_DIR from user-dirs.dirs: a line XDG_DESKTOP_DIR="$HOME/Desktop" or an absolute path.
std::optional<fs::path> DesktopFromUserDirs(const fs::path& file, const fs::path& home)
{
    std::ifstream in(file);
    std::string line;
    const std::string key = "XDG_DESKTOP_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) {
            std::string rest = value.substr(5);
            if (!rest.empty() && rest[0] != '/') return std::nullopt;
            return PlainFolder(home.string() + rest);
        }
        return AbsoluteValue(value);
    }
    return std::nullopt;
}

// A folder as written and with its links resolved: a link must not smuggle a protected folder past.
std::vector<fs::path> Forms(const fs::path& p)
{
    std::vector<fs::path> forms{PlainFolder(p)};
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(p, ec);
    if (!ec && PlainFolder(canonical) != forms[0]) forms.push_back(PlainFolder(canonical));
    return forms;
}

} // namespace

TUserFolders TUserFolders::ForHome(const fs::path& home)
{
    return FromEnvironment([&](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "HOME") return home.string();
        if (std::string(name) == "TMPDIR") return (home / "tmp").string();
        return std::nullopt;
    });
}

TUserFolders TUserFolders::FromEnvironment(const TGetEnv& getEnv)
{
    TUserFolders f;
    if (auto home = AbsoluteValue(getEnv("HOME"))) {
        f.Home = *home;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') {
        f.Home = PlainFolder(pw->pw_dir);
    } else {
        f.Home = "/";
    }
    fs::path data = AbsoluteValue(getEnv("XDG_DATA_HOME")).value_or(f.Home / ".local/share");
    fs::path config = AbsoluteValue(getEnv("XDG_CONFIG_HOME")).value_or(f.Home / ".config");
    f.Programs = data;
    f.Windows = config;
    f.System = f.Home / ".local/lib";
    f.Menu = data / "applications";
    f.Desktop = DesktopFromUserDirs(config / "user-dirs.dirs", f.Home).value_or(f.Home / "Desktop");
    f.Startup = config / "autostart";
    f.Icons = data / "icons";
    f.Temp = AbsoluteValue(getEnv("TMPDIR")).value_or("/tmp");
    f.KeyStore = data / "qxsetup" / "registry.ini";
    return f;
}

TUserFolders TUserFolders::FromEnvironment()
{
    return FromEnvironment([](const char* name) -> std::optional<std::string> {
        const char* v = std::getenv(name);
        if (!v) return std::nullopt;
        return std::string(v);
    });
}

const fs::path& TUserFolders::ShortcutFolder(TShortcutKind kind) const
{
    switch (kind) {
    case TShortcutKind::Programs: return Menu;
    case TShortcutKind::Desktop: return Desktop;
    case TShortcutKind::Startup: break;
    }
    return Startup;
}

bool TUserFolders::IsProtected(const fs::path& folder) const
{
    for (const fs::path& p : Forms(folder)) {
        if (p.empty() || !p.is_absolute() || p == p.root_path()) return true;
        for (const fs::path& home : Forms(Home)) {
            if (IsWithin(home, p)) return true;
            // Hidden folders directly under home keep other programs' settings and data.
            if (p.parent_path() == home && p.filename().string().front() == '.') return true;
        }
        // A table folder, and every folder on the way to one (~/.local holds more than any installation
        // wrote there).
        const fs::path store = KeyStore.parent_path();  // the records of every installation
        for (const fs::path* kept : {&Programs, &Windows, &System, &Menu, &Desktop, &Startup, &Icons, &Temp, &store}) {
            for (const fs::path& k : Forms(*kept)) {
                if (IsWithin(k, p)) return true;
            }
        }
    }
    return false;
}

} // namespace qx
