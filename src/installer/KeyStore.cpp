#include "installer/KeyStore.h"

#include "installer/SetupPaths.h"
#include "platform/StringList.h"

namespace qx {

namespace {

constexpr std::string_view kRoots[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"};

} // namespace

TKeyStore::TKeyStore(const std::string& fileName) : FIni(fileName) {}

std::optional<std::string> TKeyStore::NormalKey(std::string_view key)
{
    std::string out;
    bool root = true;
    while (!key.empty()) {
        const std::size_t end = key.find('\\');
        const std::string_view part = key.substr(0, end);
        key.remove_prefix(end == std::string_view::npos ? key.size() : end + 1);
        if (root) {
            for (std::string_view r : kRoots) {
                if (SameAsciiText(part, r)) out = r;
            }
            if (out.empty()) return std::nullopt;
            root = false;
        } else if (!part.empty()) {
            out += '\\';
            out += part;
        }
    }
    if (out.find('\\') == std::string::npos) return std::nullopt;  // the whole root is never a key here
    return out;
}

std::string TKeyStore::ReadString(std::string_view key, std::string_view name) const
{
    const auto k = NormalKey(key);
    return k ? FIni.ReadString(*k, name, "") : std::string();
}

bool TKeyStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    const auto k = NormalKey(key);
    if (!k) return false;
    FIni.WriteString(*k, name, value);
    return true;
}

bool TKeyStore::Empty() const
{
    TStringList sections;
    FIni.ReadSections(sections);
    return sections.Count() == 0;
}

bool TKeyStore::DeleteKeyTree(std::string_view key)
{
    const auto k = NormalKey(key);
    if (!k) return false;
    TStringList sections;
    FIni.ReadSections(sections);
    for (const std::string& section : sections.Items()) {
        const auto normal = NormalKey(section);
        if (!normal) continue;
        const bool below = normal->size() > k->size() && (*normal)[k->size()] == '\\';
        if ((normal->size() == k->size() || below) && SameAsciiText(normal->substr(0, k->size()), *k))
            FIni.EraseSection(section);
    }
    return true;
}

} // namespace qx
