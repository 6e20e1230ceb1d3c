#include "mainwindow/files/TabModel.h"

#include "dialogs/ProjectDocNames.h"

#include <algorithm>

namespace qx {

bool IsUntitled(std::string_view Name) { return Name.starts_with(UntitledPrefix); }
bool IsGrepResult(std::string_view Name) { return Name.starts_with("Grep"); }
bool IsProjectTab(std::string_view Name) { return Name.starts_with("Project"); }
bool IsNamedFile(std::string_view Name)
{
    return !Name.empty() && !IsUntitled(Name) && !IsGrepResult(Name) && !IsProjectTab(Name);
}

bool TabInUse(std::string_view Name, bool Modified)
{
    if (IsUntitled(Name)) return Modified;
    return true;
}

std::string DocumentShownName(const std::string& Name)
{
    if (IsProjectTab(Name)) return ProjectItemNameFromDocName(Name);
    if (IsGrepResult(Name) || IsUntitled(Name)) return Name;
    const size_t slash = Name.rfind('/');
    return slash == std::string::npos ? Name : Name.substr(slash + 1);
}

TDocumentTitles DocumentTitles(const std::string& Name, bool ShowFilePath, bool Modified)
{
    const std::string caption = DocumentShownName(Name);
    TDocumentTitles titles{"QxEditor - [" + (ShowFilePath ? Name : caption) + "]", {}};
    for (char c : caption) {
        if (c == '&') titles.Caption += '&';
        titles.Caption += c;
    }
    if (Modified) titles.Caption += " *";
    return titles;
}

int TabMoveTarget(TTabMove Move, int Page, int Count)
{
    if (Page < 0 || Page >= Count) return Page;
    switch (Move) {
    case TTabMove::First: return 0;
    case TTabMove::Left: return Page > 0 ? Page - 1 : Page;
    case TTabMove::Right: return Page + 1 < Count ? Page + 1 : Page;
    case TTabMove::Last: return Count - 1;
    }
    return Page;
}

int TTabIds::PageOf(std::string_view Id) const
{
    for (int i = 0; i < FList.Count(); ++i)
        if (FList[i] == Id) return i;
    return -1;
}

std::string TTabIds::Add()
{
    const std::string id = std::to_string(++FCounter);
    FList.Add(id);
    return id;
}

void TTabIds::Remove(int Page)
{
    FList.Delete(Page);
    if (FList.Count() == 0) FCounter = 0;
}

void TTabIds::Clear()
{
    FList.Clear();
    FCounter = 0;
}

void TTabIds::Move(int From, int To)
{
    if (From == To) return;
    const std::string id = FList[From];
    FList.Delete(From);
    FList.Insert(To, id);
}

int PageAfterClose(int Closed, int Count, int TabCloseCtrl)
{
    const int left = Count - 1;
    if (left <= 0) return -1;
    switch (TabCloseCtrl) {
    case 1: return std::max(0, Closed - 1);
    case 2: return 0;
    case 3: return left - 1;
    default: return std::min(Closed, left - 1);
    }
}

TTabMark TabMarkOf(int TabHiLight, bool Active)
{
    TTabMark mark;
    if (TabHiLight == 1) mark.Highlighted = Active;
    if (TabHiLight == 2 && Active) mark.ImageIndex = ActiveTabImage;
    return mark;
}

} // namespace qx
