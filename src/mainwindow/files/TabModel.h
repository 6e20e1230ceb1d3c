#pragma once
// The main window's tabs as ids: TabCounter numbers the next tab, TabIdList holds one id per page in
// page order (entry i belongs to page i). The kinds of document names and the captions and titles made
// from them live here too, so the window only lays out what this model decides.

#include "platform/StringList.h"

#include <string>
#include <string_view>

namespace qx {

// Document names that are no file: a new tab's "無題 " + id, a grep result, a project item.
inline constexpr std::string_view UntitledPrefix = "無題";
bool IsUntitled(std::string_view Name);
bool IsGrepResult(std::string_view Name);
bool IsProjectTab(std::string_view Name);
// Whether a tab of this name holds a file of its own: not empty, untitled, a grep result or a project
// item. Only such a name is looked up, locked, stamped, saved in place or acted on as a file.
bool IsNamedFile(std::string_view Name);
// Whether a tab holding Name is in use (the open roads reuse a tab that is not): an untitled name is in
// use only when its text was modified; every other name is.
bool TabInUse(std::string_view Name, bool Modified);

// A document's name without folder (a project item's shown name, a grep result's or an untitled
// document's whole name).
std::string DocumentShownName(const std::string& Name);

// The window title and the tab caption of a document. The title shows the full name when ShowFilePath
// is on, else the name without folder (a project item's shown name, a grep result's whole name); the
// caption the name without folder with "&" doubled, so it shows as written, and " *" when modified.
struct TDocumentTitles {
    std::string Title;
    std::string Caption;
};
TDocumentTitles DocumentTitles(const std::string& Name, bool ShowFilePath, bool Modified);

class TTabIds {
public:
    explicit TTabIds(TStringList& List, int& Counter) : FList(List), FCounter(Counter) {}

    int Count() const { return FList.Count(); }
    std::string IdAt(int Page) const { return FList[Page]; }
    int PageOf(std::string_view Id) const;
    // Numbers a new page at the end and returns its id.
    std::string Add();
    // The page is gone; the counter starts again when it was the last one.
    void Remove(int Page);
    void Clear();
    // A page dragged from From to To (the others move up or down one place).
    void Move(int From, int To);

private:
    TStringList& FList;
    int& FCounter;
};

// The page that becomes active after page Closed of Count pages (Count before the close) was closed,
// as "TabCloseCtrl" says: 0 the one after it (or the new last), 1 the previous, 2 the first, 3 the last.
int PageAfterClose(int Closed, int Count, int TabCloseCtrl);

// How a page's tab is marked by "TabHiLight" (read at start; the options dialog's change shows at the
// next start): 1 the active tab is highlighted (drawn inverted), 2 the active tab shows the command
// image ActiveTabImage (the edit-mode one); 0 and any other value mark nothing.
inline constexpr int ActiveTabImage = 50;
struct TTabMark {
    bool Highlighted = false;
    int ImageIndex = -1;  // -1: no image
    bool operator==(const TTabMark&) const = default;
};
TTabMark TabMarkOf(int TabHiLight, bool Active);

// The document moves of the tab order: to the first place, one left, one right, to the last place.
enum class TTabMove { First, Left, Right, Last };
// Where page Page of Count pages moves; Page itself when it cannot move that way.
int TabMoveTarget(TTabMove Move, int Page, int Count);

} // namespace qx
