#include "documents/ProgramFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace qx;
using qx::test::TempDir;

namespace {
TEnvironmentLookup Environment(std::map<std::string, std::string> values)
{
    return [values](const char* name) {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    };
}
} // namespace

TEST(ProgramFolder, HomeVariableThenWritableExecutableFolderThenConfigFolder)
{
    TempDir dir;
    const std::string exe = dir.File("bin/QxEditor");
    std::filesystem::create_directories(dir.File("bin"));

    // QXEDITOR_HOME wins, and is made when missing.
    EXPECT_EQ(ResolveProgramFolder(exe, Environment({{"QXEDITOR_HOME", dir.File("home")},
                                                      {"XDG_CONFIG_HOME", dir.File("cfg")}})),
              dir.File("home") + "/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("home")));

    // A writable executable folder.
    EXPECT_EQ(ResolveProgramFolder(exe, Environment({{"XDG_CONFIG_HOME", dir.File("cfg")}})), dir.File("bin/"));

    // An executable folder that cannot be written (here: one that is not a folder at all).
    qx::test::WriteBytes(dir.File("plain"), "");
    EXPECT_EQ(ResolveProgramFolder(dir.File("plain/QxEditor"), Environment({{"XDG_CONFIG_HOME", dir.File("cfg")}})),
              dir.File("cfg/QxEditor/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("cfg/QxEditor")));

    // A relative or missing XDG_CONFIG_HOME falls back on ~/.config.
    EXPECT_EQ(ResolveProgramFolder("", Environment({{"XDG_CONFIG_HOME", "rel"}, {"HOME", dir.File("h")}})),
              dir.File("h/.config/QxEditor/"));
}

TEST(ProgramFolder, ARelativeFolderIsMadeAbsoluteOnce)
{
    // The program changes its current folder later (LastDirPath); the settings must stay where they were.
    TempDir dir;
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const std::string home = ResolveProgramFolder("", Environment({{"QXEDITOR_HOME", "rel"}}));
    const std::string config =
        ResolveProgramFolder("", Environment({{"XDG_CONFIG_HOME", "x"}, {"HOME", "h"}}));
    std::filesystem::current_path(saved);
    EXPECT_EQ(home, dir.File("rel/"));
    EXPECT_EQ(config, dir.File("h/.config/QxEditor/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("rel")));
}

TEST(ProgramFolder, ExecutablePathIsThisProgram)
{
    const std::string path = ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::exists(path));
}
