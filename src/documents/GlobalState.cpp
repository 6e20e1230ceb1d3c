#include "documents/GlobalState.h"

namespace qx {

void CreateGlobalLists(TGlobalState& state)
{
    FreeGlobalLists(state);
    for (TStringList* list : {&state.RecentProjectList, &state.RecentFileList, &state.RecentDirList,
                              &state.FavoriteList})
        list->SetCaseSensitive(true);
    for (TStringList& list : state.EnvExtList) {
        list.SetSorted(true);
        list.SetDuplicates(TDuplicates::dupIgnore);
        list.SetCaseSensitive(false);
    }
}

void FreeGlobalLists(TGlobalState& state)
{
    state.TabIdList.Clear();
    state.ProjectItemList.Clear();
    state.ProjectClipList.Clear();
    for (TStringList* list : {&state.RecentProjectList, &state.RecentFileList, &state.RecentDirList,
                              &state.FavoriteList})
        list->Clear();
    for (TStringList& list : state.EnvExtList) list.Clear();
}

TGlobalState& Globals()
{
    static TGlobalState state;
    return state;
}

void ResetGlobals()
{
    Globals() = TGlobalState();
}

} // namespace qx
