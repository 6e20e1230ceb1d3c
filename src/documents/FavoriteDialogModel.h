#pragma once
// "お気に入り": the favourites dialog without its window. It lists every favourite of "Favorite" (the
// menus show only the first few), adds, deletes and moves entries, saves the file after every change,
// and tells a file's size and time stamp. An index of -1 is no selection.

#include "documents/GlobalState.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace qx {

inline constexpr const char* kFavoriteNotFound = "ファイルが見つかりません";
inline constexpr const char* kFavoriteNoneToOpen = "ファイルが選択されていません";
inline constexpr const char* kFavoriteNoneToDelete = "削除する項目を選択してください";

// The details of a file: "1234 Byte / 1 KB" and its local time stamp, or both "ファイルが見つかりません".
struct TFavoriteDetails {
    std::string Size;
    std::string Time;
    bool operator==(const TFavoriteDetails&) const = default;
};
TFavoriteDetails FavoriteDetails(const std::string& Path);

class TFavoriteDialogModel {
public:
    explicit TFavoriteDialogModel(TGlobalState& State) : FState(State) {}

    // Show: the list from "Favorite" (empty when it does not exist); answers the entry to select (the
    // first, or -1 for an empty list).
    int Load();
    const std::vector<std::string>& Entries() const { return FEntries; }
    // The chosen file goes to the top (an equal entry is removed first); answers its index (0).
    int Add(const std::string& Path);
    // Answers the selection after the delete (-1: none).
    int Delete(int Selected);
    // Swap with the neighbour; answers where the entry is now (it stays at either end).
    int Up(int Selected);
    int Down(int Selected);
    // Writes the list to "Favorite"; false when it could not be written.
    bool Save() const;

private:
    TGlobalState& FState;
    std::vector<std::string> FEntries;
};

} // namespace qx
