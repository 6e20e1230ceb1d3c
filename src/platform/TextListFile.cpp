#include "platform/TextListFile.h"

#include "platform/FileBytes.h"
#include "platform/SettingsBytes.h"

namespace qx {

bool LoadTextList(const std::string& path, TStringList& lines)
{
    std::string bytes;
    const bool found = ReadSettingsFileBytes(path, bytes);
    lines.SetText(bytes);
    return found;
}

void SaveTextList(const std::string& path, const TStringList& lines)
{
    WriteFileBytesSafely(path, lines.Text());
}

} // namespace qx
