#pragma once
// The program folder, where every settings file lives. It is resolved once at start:
//   1. QXEDITOR_HOME when set and not empty (tests point it at a temporary folder);
//   2. else the executable's own folder when it is writable (a portable install, the build folder);
//   3. else $XDG_CONFIG_HOME/QxEditor ($HOME/.config/QxEditor when XDG_CONFIG_HOME is unset or relative).
// The folder of case 1 and 3 is created when missing; a folder that cannot be made or written is no
// error: settings are then silently not saved. The result is absolute and ends with "/".

#include <functional>
#include <string>

namespace qx {

// Looks up an environment variable ("" when unset); the system's environment by default.
using TEnvironmentLookup = std::function<std::string(const char* name)>;
std::string SystemEnvironment(const char* name);

// The running program's executable path ("" when unknown).
std::string ExecutablePath();

std::string ResolveProgramFolder(const std::string& executablePath,
                                 const TEnvironmentLookup& environment = SystemEnvironment);

} // namespace qx
