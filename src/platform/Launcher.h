#pragma once
// Starting other programs: the installed program after Finish, the uninstall copy of setup, and files
// opened with their associated program. Injectable so that tests start nothing.

#include <filesystem>
#include <string>
#include <vector>

namespace qx {

class TLauncher {
public:
    virtual ~TLauncher() = default;
    // Starts `program` with `arguments` in `folder`, detached; false when it could not be started.
    virtual bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder) = 0;
    // Opens `target` (a file, relative to `folder` unless absolute, or a URL) with its associated program.
    virtual bool Open(const std::string& target, const std::filesystem::path& folder) = 0;
};

} // namespace qx
