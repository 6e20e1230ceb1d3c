#include "documents/ProgramFolder.h"

#include <cstdlib>
#include <system_error>
#include <filesystem>

#include <unistd.h>

namespace qx {

namespace {

// The folder as an absolute path ending in "/": the program changes its current folder later, and the
// settings must stay where they were found.
std::string AbsoluteFolder(std::string folder)
{
    std::error_code error;
    if (const auto absolute = std::filesystem::absolute(folder, error); !error) folder = absolute.string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

void MakeFolder(const std::string& folder)
{
    std::error_code ignored;  // an unusable folder only means that settings are not saved
    std::filesystem::create_directories(folder, ignored);
}

} // namespace

std::string SystemEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ExecutablePath()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ResolveProgramFolder(const std::string& executablePath, const TEnvironmentLookup& environment)
{
    if (std::string home = environment("QXEDITOR_HOME"); !home.empty()) {
        MakeFolder(home);
        return AbsoluteFolder(home);
    }
    const std::size_t slash = executablePath.rfind('/');
    if (slash != std::string::npos) {
        const std::string folder = executablePath.substr(0, slash + 1);
        if (::access(folder.c_str(), W_OK | X_OK) == 0) return AbsoluteFolder(folder);
    }
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') config = environment("HOME") + "/.config";
    const std::string folder = config + "/QxEditor";
    MakeFolder(folder);
    return AbsoluteFolder(folder);
}

} // namespace qx
