// The remover as the program it is: a copy of it beside a stub setup that logs its name, arguments and
// working folder.

#include "InstallerFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace qx;
using namespace qx::test;

namespace {

// Logs "$0", the arguments and the working folder into setup.log beside itself (written whole at once).
const char* const kStubSetup =
    "#!/bin/sh\n"
    "d=\"${0%/*}\"\n"
    "{ printf '%s\\n' \"$0\" \"$@\"; pwd; } > \"$d/setup.log.tmp\" && mv \"$d/setup.log.tmp\" \"$d/setup.log\"\n";

struct RunResult {
    int Status = -1;
    std::string Errors;
};

// Runs `program` without arguments in `folder` and waits for it; stderr is collected.
RunResult RunProgram(const fs::path& program, const fs::path& folder, const fs::path& errorFile)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid;
    RunResult result;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Errors = ReadBytes(errorFile.string());
    return result;
}

// The stub's log, once it has been written (the remover does not wait for setup).
std::optional<std::string> WaitForLog(const fs::path& log)
{
    for (int i = 0; i < 1000; ++i) {
        if (fs::exists(log)) return ReadBytes(log.string());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

class RemoverTest : public ::testing::Test {
protected:
    RemoverTest()
    {
        fs::create_directories(app);
        fs::copy_file(QX_REMOVER_PATH, app / "remover");
    }

    void Stub(const std::string& name, fs::perms perms = fs::perms::owner_all)
    {
        PutFile(app / name, kStubSetup);
        fs::permissions(app / name, perms);
    }

    TempHome home;
    const fs::path app = home.Home / "My アプリ";
    const fs::path errors = home.Home / "remover.err";
};

} // namespace

TEST_F(RemoverTest, StartsSetupOfItsOwnFolderWithTheRemoveRequest)
{
    Stub("setup");
    Stub("Setup");  // the exact name goes first
    const RunResult result = RunProgram(app / "remover", home.Home, errors);
    EXPECT_EQ(result.Status, 0) << result.Errors;
    EXPECT_EQ(WaitForLog(app / "setup.log"), (app / "setup").string() + "\nr\n" + app.string() + "\n");
}

TEST_F(RemoverTest, FindsSetupWhateverTheCaseOfItsNameAndItsOwnName)
{
    Stub("SETUP");
    fs::rename(app / "remover", app / "アンインストール");  // its folder comes from its path, not its name
    const RunResult result = RunProgram(app / "アンインストール", home.Home, errors);
    EXPECT_EQ(result.Status, 0) << result.Errors;
    EXPECT_EQ(WaitForLog(app / "setup.log"), (app / "SETUP").string() + "\nr\n" + app.string() + "\n");
}

TEST_F(RemoverTest, SaysSoAndFailsWhenSetupCannotStart)
{
    const RunResult missing = RunProgram(app / "remover", home.Home, errors);
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Errors.find(app.string() + " に setup が見つかりません。"), std::string::npos) << missing.Errors;

    Stub("setup", fs::perms::owner_read | fs::perms::owner_write);  // not executable
    const RunResult denied = RunProgram(app / "remover", home.Home, errors);
    EXPECT_EQ(denied.Status, 1);
    EXPECT_NE(denied.Errors.find((app / "setup").string() + " の起動に失敗しました"), std::string::npos) << denied.Errors;
    EXPECT_FALSE(fs::exists(app / "setup.log"));
}
