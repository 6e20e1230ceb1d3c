#pragma once
// The setup information file, read by the rules of the original platform's profile-string function:
// section and key names match without regard to ASCII case, the first of duplicate sections or keys
// wins, blanks around names and values are dropped, a value in matching quotes loses them, and lines
// beginning with ";" are comments, and a line ends at a NUL byte. Values are code page 932 bytes and are
// decoded on reading.

#include "platform/NameIndex.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TSetupInfFile {
public:
    TSetupInfFile() = default;
    // Parses the bytes of a file.
    explicit TSetupInfFile(std::string_view bytes);
    // Reads a file; nothing when it cannot be read.
    static std::optional<TSetupInfFile> Load(const std::filesystem::path& file);

    // The raw CP932 value; nothing when the section or the key is missing.
    std::optional<std::string> ReadRaw(std::string_view section, std::string_view key) const;
    // The value cut to at most `maxBytes` CP932 bytes without splitting a character, decoded to UTF-8;
    // "" when missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::size_t maxBytes = std::string::npos) const;

private:
    // Indexed by name (first of duplicates), so that a file of many entries loads in linear time.
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Values;
        TNameIndex Keys;
    };
    std::vector<Section> FSections;
    TNameIndex FSectionIndex;
};

// The information file of a setup program in `folder`: `stem` + ".INF" when it exists, else the first
// (in name order) whose name matches that without regard to ASCII case; nothing when none does.
std::optional<std::filesystem::path> FindInfFile(const std::filesystem::path& folder, std::string_view stem);

// Cuts CP932 bytes to at most `maxBytes` without splitting a double-byte character.
std::string_view CutCp932(std::string_view sjis, std::size_t maxBytes);

} // namespace qx
