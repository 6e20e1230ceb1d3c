#pragma once
// Test fixture of the installer: a temporary home that every user folder points into (the tests script
// the prompter of tests/support), a launcher that records instead of starting, and a
// write guard that fails the test on any change to the file system outside the home.

#include "platform/Launcher.h"
#include "installer/SetupPaths.h"
#include "installer/UserFolders.h"
#include "platform/Cp932.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

namespace fs = std::filesystem;

// Thrown by the write guard so that nothing is written outside the home; derives from nothing the
// engine catches.
struct WriteOutsideHome {
    fs::path Path;
};

// A temporary home: HOME, TMPDIR and the XDG variables point into it while the object lives.
class TempHome {
    TempDir FDir;  // first: Home is made inside it

public:
    TempHome() : Home(fs::path(FDir.Path()) / "home")
    {
        fs::create_directories(Home / "tmp");
        Set("HOME", Home.string());
        Set("TMPDIR", (Home / "tmp").string());
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) Set(name, std::nullopt);
        Folders = TUserFolders::ForHome(Home);
    }
    ~TempHome()
    {
        for (const auto& [name, value] : FSaved) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }

    // The write guard: any change outside the home fails the test and is stopped.
    void Guard(const fs::path& path) const
    {
        if (IsWithin(fs::absolute(path), Home)) return;
        ADD_FAILURE() << "write outside the temporary home: " << path;
        throw WriteOutsideHome{path};
    }

    fs::path Home;
    TUserFolders Folders;

private:
    void Set(const std::string& name, const std::optional<std::string>& value)
    {
        if (!FSaved.count(name)) {
            const char* old = std::getenv(name.c_str());
            FSaved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) ::setenv(name.c_str(), value->c_str(), 1);
        else ::unsetenv(name.c_str());
    }

    std::map<std::string, std::optional<std::string>> FSaved;
};

// Writes `bytes` to `path`, creating its folders.
inline void PutFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    WriteBytes(path.string(), bytes);
}

// The text of a file, or nothing when it does not exist.
inline std::optional<std::string> FileText(const fs::path& path)
{
    if (!fs::exists(fs::symlink_status(path))) return std::nullopt;
    return ReadBytes(path.string());
}

// A setup information file: UTF-8 source text as CP932 with CR LF line ends.
inline std::string InfBytes(const std::string& utf8Lines)
{
    std::string crlf;
    for (char c : utf8Lines) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return Utf8ToCp932(crlf);
}

} // namespace qx::test
