// remover: shipped in the install folder beside setup; starts "setup r" (the remove request) from its
// own folder and ends. It has no window: when setup cannot be started it says so on stderr and ends
// with a non-zero status.

#include "installer/SetupPaths.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <string>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kSetupName = "setup";

int Fail(const std::string& text)
{
    std::cerr << "remover: " << text << std::endl;
    return 1;
}

} // namespace

int main()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || !self.is_absolute()) return Fail("自分自身の場所が分かりません。");
    const fs::path folder = self.parent_path();
    const auto setup = qx::FindFileAnyCase(folder, kSetupName);  // "setup" itself first
    if (!setup) return Fail(folder.string() + " に setup が見つかりません。");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::string program = setup->string(), request = "r";
    char* argv[] = {program.data(), request.data(), nullptr};
    pid_t pid;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return Fail(program + " の起動に失敗しました（" + std::strerror(rc) + "）。");
    return 0;
}
