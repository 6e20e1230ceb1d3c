#include "dialogs/ProjectDocNames.h"

#include <charconv>
#include <string_view>

namespace qx {

namespace {
constexpr std::string_view Prefix = "Project[";
}

std::string ProjectItemDocName(int ItemId, const std::string& Path)
{
    return std::string(Prefix) + std::to_string(ItemId) + "]:" + Path;
}

std::string ProjectItemNameFromDocName(const std::string& DocName)
{
    const std::size_t start = DocName.find("]:");
    if (start == std::string::npos) return {};
    const std::string path = DocName.substr(start + 2);
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int ProjectItemIdFromDocName(const std::string& DocName)
{
    if (DocName.compare(0, Prefix.size(), Prefix) != 0) return -1;
    const std::size_t close = DocName.find(']', Prefix.size());
    if (close == std::string::npos || close == Prefix.size()) return -1;
    int id = -1;
    const char* first = DocName.data() + Prefix.size();
    const char* last = DocName.data() + close;
    const auto [end, error] = std::from_chars(first, last, id);
    return error == std::errc() && end == last && id >= 0 ? id : -1;
}

} // namespace qx
