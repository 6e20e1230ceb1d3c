#pragma once
// Read-only files shipped with the program (the tips, default lists). A user's own copy in the program
// folder comes first, then the one beside the executable, then the installation's share folder
// (<prefix>/share/qxeditor for an executable in <prefix>/bin).

#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The places looked at, in order (`programFolder` ends with "/").
std::vector<std::string> ShippedFileCandidates(std::string_view name, const std::string& programFolder,
                                               const std::string& executablePath);
// The first candidate that is a file; "" when there is none.
std::string FindShippedFile(std::string_view name, const std::string& programFolder,
                            const std::string& executablePath);

} // namespace qx
