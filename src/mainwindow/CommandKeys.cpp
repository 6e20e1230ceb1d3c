#include "mainwindow/CommandKeys.h"

#include "mainwindow/CommandTable.h"
#include "mainwindow/ShortCutFile.h"

#include <algorithm>

namespace qx {

TCommandKeys::TCommandKeys() : FKeys(CommandCount, scNone)
{
}

void TCommandKeys::ApplyShortCuts(const std::string& path)
{
    Assign(ReadShortCuts(path));
}

void TCommandKeys::Assign(const std::vector<TShortCut>& keys)
{
    std::fill(FKeys.begin(), FKeys.end(), scNone);
    std::copy_n(keys.begin(), std::min(keys.size(), FKeys.size()), FKeys.begin());
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
