#pragma once
// "QxEditor.ini": the main pair LoadMainSettings / SaveMainSettings and one load/save pair per dialog.
// Every routine opens the file in the program folder, reads or writes its keys and, when it writes,
// writes the header and the content in one safe write. Settings never stop the program: a missing or
// unreadable file gives the defaults, and a file that cannot be written is silently left as it was.

#include "documents/GlobalState.h"

#include <vector>

namespace qx {

// The main window's place: the frame's top-left corner and the size of what it frames.
struct TWindowPlacement {
    int Left = 0;
    int Top = 0;
    int Height = 470;
    int Width = 600;
    bool operator==(const TWindowPlacement&) const = default;
};

// The placement the window opens at: the fixed default place for WindowPosition 1, else the stored one.
TWindowPlacement StartPlacement(const TWindowSettings& Window);
// Placement moved (and, on a smaller screen, shrunk) onto a screen, so that its title bar can always
// be reached: onto the screen that holds its top-left corner, else the one it overlaps most, else the
// first. Screens are their usable areas; none leaves the placement as it is.
TWindowPlacement KeepOnScreens(TWindowPlacement Placement, const std::vector<TWindowPlacement>& Screens);

// What the main form contributes: it applies the values that belong to its components once they are
// read, and stores its components' values before they are written.
class TMainFormSettings {
public:
    virtual ~TMainFormSettings() = default;
    // After LoadMainSettings: placement, tree colours and font, status and hint bar, tab style, clipboard
    // buffer, the global hot key (HotKey when AlwaysQxEditor is on, else none) ...
    virtual void ApplyMainSettings(const TGlobalState& state) = 0;
    // Before SaveMainSettings: the form's own values (tree font and image list, panel width and check,
    // status and hint bar, tool-bar positions and buttons ...) into the state.
    virtual void CollectMainSettings(TGlobalState& state) = 0;
    // The window's placement now, and whether it is maximised (for WindowPosition 2).
    virtual TWindowPlacement CurrentPlacement() const = 0;
    virtual bool IsMaximized() const = 0;
};

// Writes [Application] (Title and Version, unquoted), reads [Window], [Basic], [Project], [StatusBar],
// [Menu], [ClipBoardViewer], [Option], [Cursor], [MouseWheel] and [HideOption] into state.Settings
// (keys not in the file keep their defaults), returns to LastDirPath when DirIndex is 1, writes the
// file back with its header and lets the form apply its part.
void LoadMainSettings(TGlobalState& state, TMainFormSettings* form = nullptr);

// Lets the form store its part, writes [Application] Version (quoted), the placement that WindowPosition
// asks for, [Basic], [Project], [ToolBar], [StatusBar], [Menu], [ClipBoardViewer], [Option] (with
// LastDirPath the current folder when DirIndex is 1, else empty) and [Cursor]; keys the options dialog
// owns are left as they are. Then saves each user tool bar that exists.
void SaveMainSettings(TGlobalState& state, TMainFormSettings* form = nullptr);

// The dialogs' pairs: each Load resets its part of state.Settings to the defaults and reads it, each Save
// writes it. The find, replace and grep pairs also move their text histories to and from "History".
void LoadDateTimeFormats(TGlobalState& state);
void SaveDateTimeFormats(const TGlobalState& state);
void LoadCommandDialogSettings(TGlobalState& state);
void SaveCommandDialogSettings(const TGlobalState& state);
void LoadWordAssistantSettings(TGlobalState& state);
void SaveWordAssistantSettings(const TGlobalState& state);
// ColumnCount outside 1..3 reads as 1.
void LoadPrinterSettings(TGlobalState& state);
void SavePrinterSettings(const TGlobalState& state);
void LoadFindSettings(TGlobalState& state);
void SaveFindSettings(const TGlobalState& state);
void LoadReplaceSettings(TGlobalState& state);
void SaveReplaceSettings(const TGlobalState& state);
void LoadGrepSettings(TGlobalState& state);
void SaveGrepSettings(const TGlobalState& state);

} // namespace qx
