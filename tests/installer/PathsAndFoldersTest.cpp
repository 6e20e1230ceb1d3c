#include "installer/SetupPaths.h"
#include "installer/UserFolders.h"
#include "InstallerFixture.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;

TEST(ContainedPath, KeepsPathsInsideTheirFolder)
{
    EXPECT_EQ(ContainedPath("a\\b\\c"), fs::path("a/b/c"));
    EXPECT_EQ(ContainedPath("a/./b/../c/"), fs::path("a/c"));
    EXPECT_EQ(ContainedPath("..x"), fs::path("..x"));
    for (const char* text : {"", ".", "./", "..", "../a", "a/../..", "/a", "\\a", "a\\..\\..\\b"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ContainedPath(text));
    }
}

TEST(TUserFolders, FollowsTheXdgVariables)
{
    TempHome home;
    const fs::path h = home.Home;
    PutFile(h / "cfg/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
    const std::map<std::string, std::string> env{{"HOME", h.string()},
                                                 {"XDG_DATA_HOME", (h / "data").string()},
                                                 {"XDG_CONFIG_HOME", (h / "cfg").string()},
                                                 {"TMPDIR", "relative/is/ignored"}};
    const TUserFolders f = TUserFolders::FromEnvironment([&](const char* name) -> std::optional<std::string> {
        const auto it = env.find(name);
        if (it == env.end()) return std::nullopt;
        return it->second;
    });
    EXPECT_EQ(f.Home, h);
    EXPECT_EQ(f.Programs, h / "data");
    EXPECT_EQ(f.Menu, h / "data/applications");
    EXPECT_EQ(f.Windows, h / "cfg");
    EXPECT_EQ(f.Startup, h / "cfg/autostart");
    EXPECT_EQ(f.Desktop, h / "デスクトップ");
    EXPECT_EQ(f.System, h / ".local/lib");
    EXPECT_EQ(f.Temp, fs::path("/tmp"));
    EXPECT_EQ(f.KeyStore, h / "data/qxsetup/registry.ini");

    const TUserFolders d = TUserFolders::ForHome(h);
    EXPECT_EQ(d.Programs, h / ".local/share");
    EXPECT_EQ(d.Desktop, h / "Desktop");
    EXPECT_EQ(d.Temp, h / "tmp");
}

TEST(TUserFolders, ProtectsTheRootTheHomeAndTheTableFolders)
{
    TempHome home;
    const TUserFolders& f = home.Folders;
    for (const fs::path& p : {fs::path("/"), fs::path("//"), home.Home, home.Home / "", home.Home / "x/..",
                              home.Home.parent_path(), f.Programs, f.Menu / "", f.Windows, f.Desktop, f.Temp,
                              fs::path("relative")}) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(f.IsProtected(p));
    }
    EXPECT_FALSE(f.IsProtected(f.Programs / "Tool"));
    EXPECT_FALSE(f.IsProtected(home.Home / "Tool"));

    // A link that resolves to the home folder is the home folder.
    fs::create_directories(home.Home / "links");
    fs::create_directory_symlink(home.Home, home.Home / "links/me");
    EXPECT_TRUE(f.IsProtected(home.Home / "links/me"));
}

TEST(TUserFolders, ProtectsTheFoldersOnTheWayToATableFolderAndHiddenFoldersInHome)
{
    // An uninstall of ~/.local ("Folder=\.local", or typed) would delete ~/.local/bin and ~/.local/state,
    // which no install wrote.
    TempHome home;
    const TUserFolders& f = home.Folders;
    const fs::path h = home.Home;
    for (const fs::path& p : {h / ".local", h / ".local/", h / ".local/share/..", h / ".config", h / ".ssh",
                              h / ".cache", h / ".mytool", f.KeyStore.parent_path()}) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(f.IsProtected(p));
    }
    for (const fs::path& p : {f.Programs / "Tool", h / ".local/share/x/y", h / ".mytool/sub", h / "Tools",
                              h / "a.b", f.Startup / "Tool"}) {
        SCOPED_TRACE(p);
        EXPECT_FALSE(f.IsProtected(p));
    }
}
