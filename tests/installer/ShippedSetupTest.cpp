// The setup information file the build writes beside setup, installed by the engine exactly as it lies
// in the program folder, into a temporary home, and removed again.

#include "SetupFixture.h"

#include <set>

namespace qx::test {
namespace {

// Every path below `root`, relative to it.
std::set<std::string> Tree(const fs::path& root)
{
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root)) paths.insert(entry.path().lexically_relative(root).string());
    return paths;
}

TEST_F(SetupTest, TheBuildsSetupInfInstallsTheProgramWithItsEntriesAndIconAndUninstallLeavesNothing)
{
    const fs::path programFolder = QX_PROGRAM_FOLDER;
    // A folder the user had before: it stays.
    fs::create_directories(home.Home / "Desktop");
    const std::set<std::string> before = Tree(home.Home);

    ASSERT_TRUE(setup.Load(programFolder / "setup"));
    EXPECT_EQ(setup.InfPath(), programFolder / "setup.INF");
    EXPECT_EQ(setup.Info().Title, "QxEditor");
    setup.DesktopShortcut = true;
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);
    EXPECT_FALSE(setup.HadError()) << ::testing::PrintToString(prompter.Texts());

    const fs::path install = home.Home / ".local/share/QxEditor";
    for (const char* name : {"QxEditor", "remover", "setup", "setup.INF", "QxEditor.tip",
                             "icons/hicolor/48x48/apps/QxEditor.png", "icons/hicolor/scalable/apps/QxEditor.svg"})
        EXPECT_TRUE(fs::is_regular_file(install / name)) << name;
    EXPECT_NE(fs::status(install / "QxEditor").permissions() & fs::perms::owner_exec, fs::perms::none);
    for (const fs::path& entry : {home.Home / ".local/share/applications/QxEditor.desktop", home.Home / "Desktop/QxEditor.desktop"}) {
        const std::string text = FileText(entry).value_or("");
        EXPECT_NE(text.find("Exec=" + (install / "QxEditor").string() + "\n"), std::string::npos) << entry;
        EXPECT_NE(text.find("Icon=QxEditor\n"), std::string::npos) << entry;
    }
    // The icon in the user's icon theme, where the entries' "Icon=QxEditor" finds it.
    for (const char* size : {"16x16", "22x22", "48x48", "256x256"})
        EXPECT_TRUE(fs::is_regular_file(home.Home / ".local/share/icons/hicolor" / size / "apps/QxEditor.png")) << size;
    EXPECT_TRUE(fs::is_regular_file(home.Home / ".local/share/icons/hicolor/scalable/apps/QxEditor.svg"));
    EXPECT_NE(setup.UninstallHint().find("remover"), std::string::npos);

    TSetup worker(home.Folders, prompter, launcher);
    Prepare(worker);
    ASSERT_TRUE(worker.Load(install / "setup"));
    ASSERT_TRUE(worker.BeginUninstall());
    EXPECT_TRUE(worker.Remove());
    // The files, the entries, the icons, the record with its key store, and the folders setup made.
    EXPECT_EQ(Tree(home.Home), before);
}

} // namespace
} // namespace qx::test
