#pragma once
// "History" (recent files, folders and projects, the find, replace and grep histories and grep masks)
// and "Favorite" (the favourite files, one path per line), both in the program folder.
//
// File and folder names are compared exactly: file names are case-sensitive here.

#include "documents/GlobalState.h"
#include "platform/IniFile.h"

#include <string>
#include <string_view>

namespace qx {

// One list of "History": section, key prefix (keys are prefix + 1..Count) and the most it keeps.
struct THistorySection {
    std::string_view Section;
    std::string_view KeyPrefix;
    int Count;
};
inline constexpr THistorySection RecentFilesSection{"RecentFiles", "File", 16};
inline constexpr THistorySection RecentDirectorySection{"RecentDirectory", "Directory", 10};
inline constexpr THistorySection RecentProjectsSection{"RecentProjects", "Project", 16};
inline constexpr THistorySection FindHistorySection{"FindHistory", "History", 10};
inline constexpr THistorySection ReplaceHistorySection{"ReplaceHistory", "History", 10};
inline constexpr THistorySection GrepHistorySection{"GrepHistory", "History", 10};
inline constexpr THistorySection GrepFilesSection{"GrepFiles", "File", 10};

// Replaces `list` by the section's values (quotes stripped), skipping empty ones.
void ReadHistorySection(const TMemIniFile& ini, const THistorySection& section, TStringList& list);
// Writes keys 1..n for the first n = min(count, section.Count) entries, quoted; keys above n stay.
void WriteHistorySection(TMemIniFile& ini, const THistorySection& section, const TStringList& list);

// Reads the sections into the lists (a missing file empties them; one that cannot be read leaves them).
void LoadHistoryLists(const TGlobalState& state,
                      std::initializer_list<std::pair<const THistorySection*, TStringList*>> lists);
// Writes the lists into their sections of "History"; false when the file could not be written.
bool SaveHistoryLists(const TGlobalState& state,
                      std::initializer_list<std::pair<const THistorySection*, const TStringList*>> lists);

// Moves `item` to the top of `list`, removing every exact copy first.
void AddToTop(TStringList& list, std::string_view item);

// The folder of a path: without the file name and the slash before it; "/x" gives "/", "x" gives "".
std::string ExtractFileDir(std::string_view path);

// RecentFileList and RecentDirList.
void LoadFileHistory(TGlobalState& state);
bool SaveFileHistory(const TGlobalState& state);
// After every open and save: reloads, puts the file on top of the recent files and its folder on top
// of the recent folders, and saves (the writer keeps 16 files and 10 folders).
void AddFileHistory(TGlobalState& state, std::string_view fileName);

// RecentProjectList.
void LoadProjectHistory(TGlobalState& state);
bool SaveProjectHistory(const TGlobalState& state);
void AddProjectHistory(TGlobalState& state, std::string_view projectFile);

// "Favorite" into FavoriteList (empty lines skipped); false when the file does not exist or cannot
// be read, leaving the list empty.
bool LoadFavorites(TGlobalState& state);
// Writes `favorites` to "Favorite", one path per line (a path with a line end is not stored, see
// platform/OneLine.h); false when it could not be written (also when the file exists but cannot be
// read: its entries are not written over).
bool SaveFavorites(const TGlobalState& state, const TStringList& favorites);

} // namespace qx
