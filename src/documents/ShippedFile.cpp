#include "documents/ShippedFile.h"

#include <algorithm>
#include <filesystem>

namespace qx {

std::vector<std::string> ShippedFileCandidates(std::string_view name, const std::string& programFolder,
                                               const std::string& executablePath)
{
    namespace fs = std::filesystem;
    std::vector<std::string> candidates;
    if (!programFolder.empty()) candidates.push_back(programFolder + std::string(name));
    if (!executablePath.empty()) {
        const fs::path folder = fs::path(executablePath).parent_path();
        for (const fs::path& place : {folder / name, folder.parent_path() / "share" / "qxeditor" / name}) {
            const std::string candidate = place.lexically_normal().string();
            if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end())
                candidates.push_back(candidate);
        }
    }
    return candidates;
}

std::string FindShippedFile(std::string_view name, const std::string& programFolder,
                            const std::string& executablePath)
{
    for (const std::string& candidate : ShippedFileCandidates(name, programFolder, executablePath)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

} // namespace qx
