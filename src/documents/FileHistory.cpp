#include "documents/FileHistory.h"

#include "documents/SettingsCodec.h"
#include "documents/SettingsFile.h"
#include "platform/Exception.h"
#include "platform/OneLine.h"
#include "platform/SettingsBytes.h"

#include <algorithm>

namespace qx {

namespace {

std::string HistoryKey(const THistorySection& section, int number)
{
    return std::string(section.KeyPrefix) + std::to_string(number);
}

} // namespace

void ReadHistorySection(const TMemIniFile& ini, const THistorySection& section, TStringList& list)
{
    list.BeginUpdate();
    list.Clear();
    for (int i = 1; i <= section.Count; ++i) {
        const std::string value = StripQuotes(ini.ReadString(section.Section, HistoryKey(section, i), ""));
        if (!value.empty()) list.Add(value);
    }
    list.EndUpdate();
}

void WriteHistorySection(TMemIniFile& ini, const THistorySection& section, const TStringList& list)
{
    const int n = std::min(list.Count(), section.Count);
    for (int i = 0; i < n; ++i)
        ini.WriteString(section.Section, HistoryKey(section, i + 1), AddQuotes(list[i]));
}

void LoadHistoryLists(const TGlobalState& state,
                      std::initializer_list<std::pair<const THistorySection*, TStringList*>> lists)
{
    const auto ini = OpenSettingsFile(state.ProgramFile(HistoryFileName));
    // A file that cannot be read leaves the lists in use as they are.
    if (!ini) return;
    for (const auto& [section, list] : lists) ReadHistorySection(*ini, *section, *list);
}

bool SaveHistoryLists(const TGlobalState& state,
                      std::initializer_list<std::pair<const THistorySection*, const TStringList*>> lists)
{
    auto ini = OpenSettingsFile(state.ProgramFile(HistoryFileName));
    if (!ini) return false;
    for (const auto& [section, list] : lists) WriteHistorySection(*ini, *section, *list);
    return WriteSettingsFile(*ini, {});  // "History" has no header
}

void AddToTop(TStringList& list, std::string_view item)
{
    list.BeginUpdate();
    for (int i = list.Count() - 1; i >= 0; --i)
        if (list[i] == item) list.Delete(i);
    list.Insert(0, std::string(item));
    list.EndUpdate();
}

std::string ExtractFileDir(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

void LoadFileHistory(TGlobalState& state)
{
    LoadHistoryLists(state, {{&RecentFilesSection, &state.RecentFileList},
                             {&RecentDirectorySection, &state.RecentDirList}});
}

bool SaveFileHistory(const TGlobalState& state)
{
    return SaveHistoryLists(state, {{&RecentFilesSection, &state.RecentFileList},
                                    {&RecentDirectorySection, &state.RecentDirList}});
}

void AddFileHistory(TGlobalState& state, std::string_view fileName)
{
    LoadFileHistory(state);
    AddToTop(state.RecentFileList, fileName);
    const std::string folder = ExtractFileDir(fileName);
    if (!folder.empty()) AddToTop(state.RecentDirList, folder);
    SaveFileHistory(state);
}

void LoadProjectHistory(TGlobalState& state)
{
    LoadHistoryLists(state, {{&RecentProjectsSection, &state.RecentProjectList}});
}

bool SaveProjectHistory(const TGlobalState& state)
{
    return SaveHistoryLists(state, {{&RecentProjectsSection, &state.RecentProjectList}});
}

void AddProjectHistory(TGlobalState& state, std::string_view projectFile)
{
    LoadProjectHistory(state);
    AddToTop(state.RecentProjectList, projectFile);
    SaveProjectHistory(state);
}

bool LoadFavorites(TGlobalState& state)
{
    state.FavoriteList.Clear();
    std::string bytes;
    try {
        if (!ReadSettingsFileBytes(state.ProgramFile(FavoriteFileName), bytes)) return false;
    } catch (const Exception& e) {
        ReportSettingsRefusal(e);
        return false;
    }
    TStringList lines;
    lines.SetText(bytes);
    for (const std::string& line : lines.Items())
        if (!line.empty()) state.FavoriteList.Add(line);
    return true;
}

bool SaveFavorites(const TGlobalState& state, const TStringList& favorites)
{
    TStringList lines;
    for (const std::string& name : favorites.Items())
        if (IsOneLine(name)) lines.Add(name);
    return WriteSettingsBytes(state.ProgramFile(FavoriteFileName), lines.Text());
}

} // namespace qx
