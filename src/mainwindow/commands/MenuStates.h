#pragma once
// What the main window's menus show when they open: the File menu's optional items by the [Menu]
// settings, the close-all item by the tab count, the items that need a named file by the current
// document's kind, and the recent-files item by "FileHistoryNumber".

#include "documents/Settings.h"

namespace qx {

struct TFileMenuState {
    bool AllCloseEnabled = true;    // ActionAllClose: not with exactly one tab
    bool ReloadEnabled = true;      // the reopen items need a file of the document's own
    bool PrintPreview = true;       // shown items
    bool Print = true;
    bool SendMail = true;
    bool PrintSeparator = true;     // before the print group, when any of its three items shows
    bool Reload = true;
    bool Favorite = true;
    bool RtnOpen = true;
    bool HtmlSave = true;
    bool RecentFiles = true;
    bool operator==(const TFileMenuState&) const = default;
};

// NamedDocument: the current document is a file (not untitled, a grep result or a project item).
TFileMenuState FileMenuState(const TMainSettings& Settings, int TabCount, bool NamedDocument);

} // namespace qx
