#pragma once
// The menus built from the recent-file, recent-folder, recent-project and favourite lists, as plain data
// for the main window: each menu has a fixed number of items, of which the first few are shown.

#include "documents/GlobalState.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline constexpr int HistoryMenuItemCount = 16;   // recent files, recent projects, favourites
inline constexpr int RecentDirMenuItemCount = 10;

struct TMenuItemModel {
    std::string Caption;  // accelerator, a blank and the path with every "&" doubled
    std::string Path;
    bool Visible = false;
};

// Positions 1..10 give "&0".."&9", 11..16 give "&A".."&F".
std::string HistoryMenuCaption(int position);

// The text with every "&" doubled, so that a menu shows it as it is.
std::string EscapeAmpersands(std::string_view text);

// `itemCount` items; the first min(shown, list count, itemCount) show the list's entries.
std::vector<TMenuItemModel> BuildHistoryItems(const TStringList& list, int itemCount, int shown);

struct TFileMenuHistory {
    std::vector<TMenuItemModel> Files;  // 16 items
    std::vector<TMenuItemModel> Dirs;   // 10 items
};

// Loads the history: the first FileHistoryNumber recent files and every recent folder.
TFileMenuHistory BuildFileMenuHistory(TGlobalState& state);
// Loads the history: the first FileHistoryNumber recent files (the history popup and the tray menu; the
// tray's further item shows only when one of these does).
std::vector<TMenuItemModel> BuildHistoryPopup(TGlobalState& state);
// Loads the project history: every recent project (the Project menu and its two popups).
std::vector<TMenuItemModel> BuildProjectMenuHistory(TGlobalState& state);
// Loads "Favorite" when it exists: the first FavoritePopNumber favourites.
std::vector<TMenuItemModel> BuildFavoriteMenu(TGlobalState& state);

} // namespace qx
