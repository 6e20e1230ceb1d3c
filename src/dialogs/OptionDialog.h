#pragma once
// The environment options dialog without its widgets: the tree of pages, the working copy of the
// program-wide settings (with the values some keys had when the dialog opened), the rules that link the
// pages' controls, and ApplyOptions, which moves the copy into the program in its fixed order. What the
// copy reaches beyond the settings (tray, bars, project pane, cursors, status bar) goes through
// TOptionDialogHost, which the main window implements and tests fake.

#include "documents/GlobalState.h"
#include "platform/Color.h"
#include "platform/FontStyle.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TPrompter;

// One node of the page tree: its caption, whether it heads a group, and the page class it shows.
struct TOptionPageNode {
    std::string_view Caption;  // UTF-8; half-width katakana as the tree shows it
    bool Group;
    std::string_view PageClass;
};
// The twenty nodes in tree order; a node's index is the page number the dialog shows.
const std::vector<TOptionPageNode>& OptionPageTree();

// The project tree's font and colours as the project pane shows them.
struct TProjectTreeLook {
    bool Images = true;
    TColor FontColor = clBlack;
    std::string FontName;
    int FontSize = 9;
    TFontStyles FontStyle;
    int FontCharset = 128;
    TColor BackGroundColor = clWhite;
    TColor TitleFontColor = clWhite;
    TColor TitleBackGroundColor = clNavy;
};

// The look the [Project] settings give.
TProjectTreeLook ProjectTreeLookOf(const TProjectSettings& Project);
// The look of the preview tree's "デフォルト" button.
TProjectTreeLook DefaultProjectTreeFont(const TProjectTreeLook& Current);

// The working copy. Choices are the pages' item indexes; "AtLoad" members keep the value read when the
// dialog opened, so that Apply writes a key of its own only when it changed.
struct TEnvironmentOptions {
    // 基本
    bool UseTray = true;
    int TrayMenuColor = 0;
    bool AlwaysQxEditor = false;
    std::string HotKey;
    bool NPadDiary = false;
    // 起動
    bool NotExecute = true, NotExecuteAtLoad = true;
    bool SplashWindow = true;
    bool Comctl32Check = true;
    int WindowPosition = 2;  // 1 default, 2 last, 3 given
    int Left = 0, Top = 0, Width = 600, Height = 470;
    // ﾍﾟｰｼﾞﾀﾌﾞ
    int TabPosition = 0, TabPositionAtLoad = 0;
    int TabStyle = 0, TabStyleAtLoad = 0;
    int TabHiLight = 0, TabHiLightAtLoad = 0;
    bool TabMultiLine = false, TabMultiLineAtLoad = false;
    int TabCloseCtrl = 0;
    bool TabWheelChange = true;
    // ﾒﾆｭｰﾊﾞｰ
    int MenuStyle = 1;
    int MenuBarStyle = 0;
    // ﾂｰﾙﾊﾞｰ
    bool LoadToolBar1 = true, LoadToolBar1AtLoad = true;
    bool LoadToolBar2 = true, LoadToolBar2AtLoad = true;
    int ToolBarStyle = 0;
    bool ToolTipHintShow = true, ToolTipShortCut = true, ButtonFlat = true, DragAndDrop = true;
    bool ToolBarFold = false;
    // ｽﾃｰﾀｽﾊﾞｰ
    bool PosZeroVisibled = true, SizeZeroVisibled = true, RowByLog = false;
    int StatusInfo = 0;
    int ColByChar = 0;  // 0 bytes, 1 characters
    // ﾒﾆｭｰｺﾏﾝﾄﾞ: FavoriteMenu, RtnOpenMenu, ReloadMenu, HTMLSaveMenu, PrintPreviewMenu, PrintMenu, SendMailMenu
    std::array<bool, 7> FileMenu{true, true, true, true, true, true, true};
    bool MenuImage = true;
    // ｸﾘｯﾌﾟﾎﾞｰﾄﾞ
    bool UseClip = true;
    int ClipHistoryKBytes = 100;
    int ClipCondition = 1;  // 0 only this program, 1 every application
    // ﾎｲｰﾙｽｸﾛｰﾙ
    bool MouseWheelCtrl = false;
    int MouseWheelScroll = 1;
    bool MouseWheelPage = false;
    // ﾌﾟﾛｼﾞｪｸﾄ
    TProjectTreeLook Tree;
    int ProjectTreeFormat = 1, ProjectTreeFormatAtLoad = 1;
    bool ShowByOpenFile = true;
    int ProjectMenu = 1;
    bool AutoSaveToExit = false;
    int ProjectOpenStyle = 0;
    int ProjectStartStyle = 0;
    std::string ProjectFilePath;
    bool UseProjectDir = false;
    std::string ProjectDirPath;
    // ﾕｰｻﾞｰｲﾝﾀｰﾌｪｰｽ
    int TitleBarDbClickStyle = 0;
    bool ShowFilePath = false;
    bool NoFullPathWhenMinimized = true;  // MiniFullPath inverted, as the page's box reads
    int FavoritePopNumber = 8;
    int FileHistoryNumber = 8;
    int OpenFileFilter = 1, SaveFileFilter = 1;  // 1-based
    std::array<std::string, 3> UserFilter;
    int DirIndex = 0;  // 0 default, 1 last folder, 2 given folders
    std::string OpenDirPath, SaveDirPath;
    // ﾏｳｽｶｰｿﾙ
    int Cursor = 0;  // 0 default, 1 the program's own, 2 hand point
    bool CursorFromFile = false;
    std::string CursorDir;
};

// The cursor numbers the editors' text cursor takes.
inline constexpr int crIBeamCursor = -4;
inline constexpr int crHandPointCursor = -21;
inline constexpr int crFileCursor = 6;

// The screen's cursors as the editors' text cursor takes them.
class TCursorHost {
public:
    virtual ~TCursorHost() = default;
    virtual TPrompter& Prompter() = 0;
    virtual void Beep() = 0;
    // The program's own cursor number.
    virtual int UserCursor() = 0;
    // Loads a cursor file as screen cursor 6; false when it cannot be read as a cursor.
    virtual bool LoadCursorFile(const std::string& Path) = 0;
    // The editors' text cursor (new tabs take it too).
    virtual void SetTextCursor(int Cursor) = 0;
};

// The editors' text cursor by [Cursor] "Cursor": 0 the I-beam, 1 the program's own, 2 the hand point, 6
// the file "CursorDir". A file that cannot be loaded gives Cursor 0 and the I-beam, a beep and a message.
// Other values leave the cursor as it is.
void ApplyCursorSetting(TCursorSettings& Cursor, TCursorHost& Host);

// What Apply reaches beyond the settings.
class TOptionDialogHost : public TCursorHost {
public:
    // The tray icon shown by UseTray; the hot key registered while Resident.
    virtual void ApplyTrayAndHotKey(bool UseTray, bool Resident) = 0;
    // The menu shown in the window (style 0) or in the menu bar band (style 1), the band's style
    // (0, 1, 2), and where the project commands stand (0 the main menu, 1 the project tool bar).
    virtual void ApplyMenuLook(int MenuStyle, int BandStyle, int ProjectMenu, bool MenuImages) = 0;
    // The user tool bars' look (from the [ToolBar] settings).
    virtual void ApplyToolBarLook(const TToolBarSettings& ToolBar) = 0;
    // The status panel of the status timer, shown once now.
    virtual void RefreshStatusInfo() = 0;
    // The clipboard history's buffer in bytes, and whether its viewer command is enabled.
    virtual void ApplyClipboardHistory(int Bytes, bool UseClip) = 0;
    virtual void ApplyProjectTreeLook(const TProjectTreeLook& Look) = 0;
    // The window's captions again (the file-name display may have changed).
    virtual void RefreshTitles() = 0;
    // The active tab, the selection state, the text length and the status bar again.
    virtual void RefreshCurrentTab() = 0;
};

class TOptionDialogModel {
public:
    TOptionDialogModel(TGlobalState& State, TOptionDialogHost& Host) : FState(State), FHost(Host) {}

    // Fills the working copy from the settings and, for the keys the dialog owns, from "QxEditor.ini"
    // (defaults when the file is missing or unreadable). ClipBufferBytes is the clipboard history's
    // buffer now.
    void Load(int ClipBufferBytes);
    TEnvironmentOptions& Options() { return FOptions; }
    const TEnvironmentOptions& Options() const { return FOptions; }

    // The linked rules between controls. Turning the tray off turns resident mode off (a resident
    // window without a tray could never be brought back); the bottom tab position takes the notebook
    // style only.
    void SetUseTray(bool Value);
    void SetTabPosition(int Value);
    bool ResidentEnabled() const { return FOptions.UseTray; }
    bool HotKeyEnabled() const { return FOptions.UseTray && FOptions.AlwaysQxEditor; }
    bool TabStyleEnabled() const { return FOptions.TabPosition == 0; }
    bool MenuBandEnabled() const { return FOptions.MenuStyle == 1; }
    bool WindowCoordsEnabled() const { return FOptions.WindowPosition == 3; }
    bool WheelChoicesEnabled() const { return FOptions.MouseWheelCtrl; }
    bool WheelLinesEnabled() const { return FOptions.MouseWheelCtrl && !FOptions.MouseWheelPage; }
    bool ClipSizeEnabled() const { return FOptions.UseClip; }
    bool ProjectDirEnabled() const { return FOptions.UseProjectDir; }
    bool ProjectFileEnabled() const { return FOptions.ProjectStartStyle == 2; }
    bool DirPathsEnabled() const { return FOptions.DirIndex == 2; }
    bool CursorChoiceEnabled() const { return !FOptions.CursorFromFile; }
    // The cursor file's path goes into the program's setting at once (Cancel keeps it).
    void SetCursorDir(const std::string& Path);
    // The preview tree's "デフォルト": the tree's font and colours, not the title's.
    void DefaultTreeFont() { FOptions.Tree = DefaultProjectTreeFont(FOptions.Tree); }

    // Moves the working copy into the program (Apply and OK).
    void ApplyOptions();

private:
    void WriteIniValue(std::string_view Section, std::string_view Key, const std::string& Value);

    TGlobalState& FState;
    TOptionDialogHost& FHost;
    TEnvironmentOptions FOptions;
};

// The history page's buttons, which act at once and are not undone by Cancel. The recent files (16
// empty entries) and folders (10) are saved with the rest of "History" as it stands in the file; the
// find and replace histories become ten empty keys of their sections. Other sections keep their bytes.
void ClearFileHistory(TGlobalState& State);
void ClearFolderHistory(TGlobalState& State);
void ClearFindHistory(TGlobalState& State);
void ClearReplaceHistory(TGlobalState& State);

} // namespace qx
