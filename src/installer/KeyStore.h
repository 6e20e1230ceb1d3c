#pragma once
// The stand-in for the registry keys the installer reads, writes and deletes: an ini file under the
// user's data folder. Each key is a section named by its full path ("HKEY_CURRENT_USER\Software\Tool"),
// its values are the section's lines. Key paths match without regard to ASCII case.

#include "platform/IniFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx {

class TKeyStore {
public:
    // Reads the store; a missing file is an empty store. Raises EFOpenError when it cannot be read.
    explicit TKeyStore(const std::string& fileName);

    // "ROOT\part\part" with the root upper-cased and empty parts dropped; nothing when the root is not
    // HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT, or when no part follows it.
    static std::optional<std::string> NormalKey(std::string_view key);

    // The value `name` of `key` ("" when missing or when the key is not valid).
    std::string ReadString(std::string_view key, std::string_view name) const;
    // Sets a value; false when the key is not valid.
    bool WriteString(std::string_view key, std::string_view name, std::string_view value);
    // Deletes `key` and every key below it; false when the key is not valid.
    bool DeleteKeyTree(std::string_view key);
    // True when the store holds no key at all.
    bool Empty() const;
    // Writes the store back safely; raises EInOutError on failure.
    void UpdateFile() const { FIni.UpdateFile(); }

private:
    TMemIniFile FIni;
};

} // namespace qx
