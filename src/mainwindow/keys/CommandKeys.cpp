#include "mainwindow/keys/CommandKeys.h"

#include "dialogs/CommandTable.h"
#include "dialogs/ShortCutFile.h"

#include <algorithm>

namespace qx {

TCommandKeys::TCommandKeys() : FKeys(ActionCount, scNone)
{
    for (int row = CommandCount; row < ActionCount; ++row)
        FKeys[static_cast<std::size_t>(row)] = TextToShortCut(ActionTable()[static_cast<std::size_t>(row)].DefaultShortCut);
}

void TCommandKeys::ApplyShortCuts(const std::string& path)
{
    Assign(ReadShortCuts(path));
}

void TCommandKeys::Assign(const std::vector<TShortCut>& keys)
{
    const auto commands = FKeys.begin() + CommandCount;
    std::fill(FKeys.begin(), commands, scNone);
    std::copy_n(keys.begin(), std::min<std::size_t>(keys.size(), CommandCount), FKeys.begin());
    if (OnChange) OnChange();
}

int TCommandKeys::CommandOf(TShortCut key) const
{
    if (key == scNone) return -1;
    const auto it = std::find(FKeys.begin(), FKeys.end(), key);
    return it == FKeys.end() ? -1 : static_cast<int>(it - FKeys.begin());
}

std::string MenuKeyText(std::string_view caption, TShortCut key)
{
    std::string text(caption);
    const std::string keyText = ShortCutToText(key);
    if (!keyText.empty()) text += "\t" + keyText;
    return text;
}

} // namespace qx
