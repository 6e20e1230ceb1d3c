#pragma once
// Test helper: a launcher that records what it was asked to start or open instead of starting it, and
// answers Result.

#include "platform/Launcher.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qx::test {

class RecordingLauncher : public TLauncher {
public:
    struct Call {
        std::string Kind;  // "start" or "open"
        std::string Target;
        std::vector<std::string> Arguments;
        std::filesystem::path Folder;
    };

    bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder) override
    {
        Calls.push_back({"start", program.string(), arguments, folder});
        return Result;
    }
    bool Open(const std::string& target, const std::filesystem::path& folder) override
    {
        Calls.push_back({"open", target, {}, folder});
        return Result;
    }

    std::vector<Call> Calls;
    bool Result = true;
};

} // namespace qx::test
