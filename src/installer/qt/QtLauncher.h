#pragma once
// Starting programs and opening files for the installer: detached processes and the desktop's
// associated programs.

#include "platform/Launcher.h"

namespace qx {

class TQtLauncher : public TLauncher {
public:
    bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder) override;
    bool Open(const std::string& target, const std::filesystem::path& folder) override;
};

} // namespace qx
