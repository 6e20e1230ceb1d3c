#include "documents/HistoryMenu.h"

#include "documents/FileHistory.h"

#include <algorithm>

namespace qx {

std::string HistoryMenuCaption(int position)
{
    if (position >= 1 && position <= 10) return std::string("&") + static_cast<char>('0' + position - 1);
    if (position >= 11 && position <= 16) return std::string("&") + static_cast<char>('A' + position - 11);
    return {};
}

std::string EscapeAmpersands(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

std::vector<TMenuItemModel> BuildHistoryItems(const TStringList& list, int itemCount, int shown)
{
    std::vector<TMenuItemModel> items(static_cast<std::size_t>(itemCount));
    const int n = std::clamp(std::min(shown, list.Count()), 0, itemCount);
    for (int i = 0; i < n; ++i) {
        TMenuItemModel& item = items[static_cast<std::size_t>(i)];
        item.Path = list[i];
        item.Caption = HistoryMenuCaption(i + 1) + " " + EscapeAmpersands(list[i]);
        item.Visible = true;
    }
    return items;
}

TFileMenuHistory BuildFileMenuHistory(TGlobalState& state)
{
    TFileMenuHistory menu;
    menu.Files = BuildHistoryPopup(state);
    menu.Dirs = BuildHistoryItems(state.RecentDirList, RecentDirMenuItemCount, RecentDirMenuItemCount);
    return menu;
}

std::vector<TMenuItemModel> BuildHistoryPopup(TGlobalState& state)
{
    LoadFileHistory(state);
    const int shown = state.Settings.Option.FileHistoryNumber;
    return BuildHistoryItems(state.RecentFileList, HistoryMenuItemCount, shown);
}

std::vector<TMenuItemModel> BuildProjectMenuHistory(TGlobalState& state)
{
    LoadProjectHistory(state);
    return BuildHistoryItems(state.RecentProjectList, HistoryMenuItemCount, HistoryMenuItemCount);
}

std::vector<TMenuItemModel> BuildFavoriteMenu(TGlobalState& state)
{
    LoadFavorites(state);
    const int shown = state.Settings.Option.FavoritePopNumber;
    return BuildHistoryItems(state.FavoriteList, HistoryMenuItemCount, shown);
}

} // namespace qx
