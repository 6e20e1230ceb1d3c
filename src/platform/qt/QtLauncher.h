#pragma once
// Starting programs and opening files (the installer's, the editor's new window and files opened with
// their associated programs): detached processes and the desktop's associated programs.

#include "platform/Launcher.h"

namespace qx {

class TQtLauncher : public TLauncher {
public:
    bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder) override;
    bool Open(const std::string& target, const std::filesystem::path& folder) override;
};

} // namespace qx
