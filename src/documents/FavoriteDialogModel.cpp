#include "documents/FavoriteDialogModel.h"

#include "documents/FileHistory.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace qx {

namespace fs = std::filesystem;

TFavoriteDetails FavoriteDetails(const std::string& Path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(Path, ec);
    if (ec || !fs::is_regular_file(status)) return {kFavoriteNotFound, kFavoriteNotFound};
    const std::uintmax_t size = fs::file_size(Path, ec);
    const fs::file_time_type written = fs::last_write_time(Path, ec);
    if (ec) return {kFavoriteNotFound, kFavoriteNotFound};
    TFavoriteDetails details;
    details.Size = std::to_string(size) + " Byte / " + std::to_string(size / 1024) + " KB";
    const std::time_t time = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(fs::file_time_type::clock::to_sys(written)));
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    details.Time = text;
    return details;
}

int TFavoriteDialogModel::Load()
{
    FEntries.clear();
    if (LoadFavorites(FState)) FEntries = FState.FavoriteList.Items();
    return FEntries.empty() ? -1 : 0;
}

int TFavoriteDialogModel::Add(const std::string& Path)
{
    std::erase(FEntries, Path);
    FEntries.insert(FEntries.begin(), Path);
    Save();
    return 0;
}

int TFavoriteDialogModel::Delete(int Selected)
{
    if (Selected < 0 || Selected >= static_cast<int>(FEntries.size())) return -1;
    FEntries.erase(FEntries.begin() + Selected);
    Save();
    return -1;
}

int TFavoriteDialogModel::Up(int Selected)
{
    if (Selected < 1 || Selected >= static_cast<int>(FEntries.size())) return Selected;
    std::swap(FEntries[static_cast<std::size_t>(Selected)], FEntries[static_cast<std::size_t>(Selected - 1)]);
    Save();
    return Selected - 1;
}

int TFavoriteDialogModel::Down(int Selected)
{
    if (Selected < 0 || Selected + 1 >= static_cast<int>(FEntries.size())) return Selected;
    std::swap(FEntries[static_cast<std::size_t>(Selected)], FEntries[static_cast<std::size_t>(Selected + 1)]);
    Save();
    return Selected + 1;
}

bool TFavoriteDialogModel::Save() const
{
    TStringList list;
    for (const std::string& entry : FEntries) list.Add(entry);
    return SaveFavorites(FState, list);
}

} // namespace qx
