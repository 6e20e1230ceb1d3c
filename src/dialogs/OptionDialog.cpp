#include "dialogs/OptionDialog.h"

#include "documents/FileHistory.h"
#include "documents/MessageDialog.h"
#include "documents/SettingsFile.h"
#include "documents/SettingsCodec.h"
#include "documents/SettingsValue.h"
#include "platform/Cp932.h"

namespace qx {

const std::vector<TOptionPageNode>& OptionPageTree()
{
    static const std::vector<TOptionPageNode> tree = {
        {"基本設定", true, "Toptionpanel0"},          {"基本", false, "Toptionpanel1"},
        {"ﾍﾟｰｼﾞﾀﾌﾞ", false, "Toptionpanel11"},       {"ﾒﾆｭｰﾊﾞｰ", false, "Toptionpanel2"},
        {"ﾂｰﾙﾊﾞｰ", false, "Toptionpanel3"},          {"ｽﾃｰﾀｽﾊﾞｰ", false, "Toptionpanel4"},
        {"ﾒﾆｭｰｺﾏﾝﾄﾞ", false, "Toptionpanel5"},       {"起動", false, "Toptionpanel6"},
        {"ｸﾘｯﾌﾟﾎﾞｰﾄﾞ", false, "Toptionpanel13"},     {"ﾎｲｰﾙｽｸﾛｰﾙ", false, "Toptionpanel18"},
        {"ﾌﾟﾛｼﾞｪｸﾄ", true, "Toptionpanel26"},        {"基本", false, "Toptionpanel27"},
        {"ﾌｫﾝﾄ/ｶﾗｰ", false, "Toptionpanel28"},       {"その他", false, "Toptionpanel16"},
        {"ﾕｰｻﾞｰｲﾝﾀｰﾌｪｰｽ", true, "Toptionpanel19"},   {"基本", false, "Toptionpanel20"},
        {"ﾋｽﾄﾘ", false, "Toptionpanel21"},           {"ﾌｧｲﾙﾌｨﾙﾀ", false, "Toptionpanel22"},
        {"ﾌｫﾙﾀﾞ", false, "Toptionpanel23"},          {"ﾏｳｽｶｰｿﾙ", false, "Toptionpanel25"},
    };
    return tree;
}

TProjectTreeLook ProjectTreeLookOf(const TProjectSettings& P)
{
    return {P.ProjectTreeImage, P.FontColor,       P.FontName,       P.FontSize,          P.FontStyle,
            P.FontCharset,      P.BackGroundColor, P.TitleFontColor, P.TitleBackGroundColor};
}

TProjectTreeLook DefaultProjectTreeFont(const TProjectTreeLook& Current)
{
    TProjectTreeLook look = Current;
    look.BackGroundColor = clWhite;
    look.FontColor = clBlack;
    look.FontName = Utf8ToCp932("ＭＳ Ｐゴシック");
    look.FontSize = 9;
    look.FontStyle = {};
    look.FontCharset = 128;
    return look;
}

namespace {

std::string BoolText(bool Value) { return Value ? "1" : "0"; }

// The file menu's seven flags in the order of the page's list, and the three user filters.
constexpr bool TMenuSettings::*kFileMenuFlags[] = {
    &TMenuSettings::FavoriteMenu,     &TMenuSettings::RtnOpenMenu, &TMenuSettings::ReloadMenu,
    &TMenuSettings::HTMLSaveMenu,     &TMenuSettings::PrintPreviewMenu, &TMenuSettings::PrintMenu,
    &TMenuSettings::SendMailMenu};
constexpr std::string TOptionSettings::*kUserFilters[] = {&TOptionSettings::UserFilter1, &TOptionSettings::UserFilter2,
                                                          &TOptionSettings::UserFilter3};

} // namespace

void TOptionDialogModel::Load(int ClipBufferBytes)
{
    const TMainSettings& s = FState.Settings;
    TEnvironmentOptions& o = FOptions;
    o = TEnvironmentOptions();
    o.UseTray = s.Basic.UseTray;
    o.TrayMenuColor = s.Basic.TrayMenuColor;
    o.AlwaysQxEditor = s.Basic.AlwaysQxEditor;
    o.HotKey = s.Basic.HotKey;
    o.Comctl32Check = s.Basic.Comctl32Check;
    o.NPadDiary = s.Option.NPadDiary;
    o.TabCloseCtrl = s.Option.TabCloseCtrl;
    o.TabWheelChange = s.Option.TabWheelChange;
    o.MenuStyle = s.Menu.MenuStyle;
    o.MenuBarStyle = s.Menu.BarStyle;
    o.ToolBarStyle = s.ToolBar.BarStyle;
    o.ToolTipHintShow = s.ToolBar.ToolTipHintShow;
    o.ToolTipShortCut = s.ToolBar.ToolTipShortCut;
    o.ButtonFlat = s.ToolBar.ButtonFlat;
    o.DragAndDrop = s.ToolBar.DragAndDrop;
    o.ToolBarFold = s.ToolBar.ToolBarFold;
    o.PosZeroVisibled = s.StatusBar.PosZeroVisibled;
    o.SizeZeroVisibled = s.StatusBar.SizeZeroVisibled;
    o.RowByLog = s.StatusBar.RowByLog;
    o.StatusInfo = s.StatusBar.StatusInfo;
    o.ColByChar = s.StatusBar.ColByChar ? 1 : 0;
    for (std::size_t i = 0; i < o.FileMenu.size(); ++i) o.FileMenu[i] = s.Menu.*kFileMenuFlags[i];
    o.MenuImage = s.Menu.MenuImage;
    o.WindowPosition = s.Window.WindowPosition;
    o.Left = s.Window.Left;
    o.Top = s.Window.Top;
    o.Width = s.Window.Width;
    o.Height = s.Window.Height;
    o.UseClip = s.ClipBoardViewer.UseClip;
    o.ClipHistoryKBytes = ClipBufferBytes / 1024;
    o.ClipCondition = s.ClipBoardViewer.OnlyQxEditor ? 0 : 1;
    const TProjectSettings& p = s.Project;
    o.Tree = ProjectTreeLookOf(p);
    o.ShowByOpenFile = p.ShowByOpenFile;
    o.ProjectMenu = p.ProjectMenu;
    o.AutoSaveToExit = p.AutoSaveToExit;
    o.ProjectOpenStyle = p.ProjectOpenStyle;
    o.ProjectStartStyle = p.ProjectStartStyle;
    o.ProjectFilePath = p.ProjectFilePath;
    o.UseProjectDir = p.UseProjectDir;
    o.ProjectDirPath = p.ProjectDirPath;
    o.TitleBarDbClickStyle = s.Option.TitleBarDbClickStyle;
    o.ShowFilePath = s.Option.ShowFilePath;
    o.NoFullPathWhenMinimized = !s.Option.MiniFullPath;
    o.FavoritePopNumber = s.Option.FavoritePopNumber;
    o.FileHistoryNumber = s.Option.FileHistoryNumber;
    o.OpenFileFilter = s.Option.OpenFileFilter;
    o.SaveFileFilter = s.Option.SaveFileFilter;
    for (std::size_t i = 0; i < o.UserFilter.size(); ++i) o.UserFilter[i] = s.Option.*kUserFilters[i];
    o.DirIndex = s.Option.DirIndex;
    o.OpenDirPath = s.Option.OpenDirPath;
    o.SaveDirPath = s.Option.SaveDirPath;
    o.CursorFromFile = s.Cursor.Cursor == crFileCursor;
    o.Cursor = o.CursorFromFile ? 0 : s.Cursor.Cursor;
    o.CursorDir = s.Cursor.CursorDir;

    // The keys this dialog writes itself come from the file, with their defaults.
    const auto ini = OpenSettingsFile(FState.ProgramFile(IniFileName));
    const TMemIniFile empty(std::string{});
    const TMemIniFile& file = ini ? *ini : empty;
    o.NotExecute = o.NotExecuteAtLoad = file.ReadBool("Basic", "NotExecute", true);
    o.SplashWindow = file.ReadBool("Basic", "SplashWindow", true);
    o.TabPosition = o.TabPositionAtLoad = file.ReadInteger("Option", "TabPosition", 0);
    o.TabStyle = o.TabStyleAtLoad = file.ReadInteger("Option", "TabStyle", 0);
    o.TabHiLight = o.TabHiLightAtLoad = file.ReadInteger("Option", "TabHiLight", 0);
    o.TabMultiLine = o.TabMultiLineAtLoad = file.ReadBool("Option", "TabMultiLine", false);
    o.LoadToolBar1 = o.LoadToolBar1AtLoad = file.ReadBool("ToolBar", "LoadToolBar1", true);
    o.LoadToolBar2 = o.LoadToolBar2AtLoad = file.ReadBool("ToolBar", "LoadToolBar2", true);
    o.MouseWheelCtrl = file.ReadBool("MouseWheel", "MouseWheelCtrl", false);
    o.MouseWheelScroll = file.ReadInteger("MouseWheel", "MouseWheelScroll", 1);
    o.MouseWheelPage = file.ReadBool("MouseWheel", "MouseWheelPage", false);
    o.ProjectTreeFormat = o.ProjectTreeFormatAtLoad = file.ReadInteger("Project", "ProjectTreeFormat", 1);
}

void TOptionDialogModel::SetUseTray(bool Value)
{
    FOptions.UseTray = Value;
    if (!Value) FOptions.AlwaysQxEditor = false;
}

void TOptionDialogModel::SetTabPosition(int Value)
{
    FOptions.TabPosition = Value;
    if (Value == 1) FOptions.TabStyle = 0;
}

void TOptionDialogModel::SetCursorDir(const std::string& Path)
{
    FOptions.CursorDir = Path;
    FState.Settings.Cursor.CursorDir = Path;
}

void TOptionDialogModel::WriteIniValue(std::string_view Section, std::string_view Key, const std::string& Value)
{
    // One key in place: the header and every other line stay; an unreadable file is left alone.
    WriteSettingsValue(FState.ProgramFile(IniFileName), Section, Key, Value, kMainSettingsTitle);
}

void TOptionDialogModel::ApplyOptions()
{
    const TEnvironmentOptions& o = FOptions;
    TMainSettings& s = FState.Settings;

    s.Basic.HotKey = o.HotKey;
    s.Basic.UseTray = o.UseTray;
    s.Basic.AlwaysQxEditor = o.UseTray && o.AlwaysQxEditor;
    FHost.ApplyTrayAndHotKey(s.Basic.UseTray, s.Basic.AlwaysQxEditor);
    s.Basic.TrayMenuColor = o.TrayMenuColor;

    if (o.NotExecute != o.NotExecuteAtLoad) WriteIniValue("Basic", "NotExecute", BoolText(o.NotExecute));
    WriteIniValue("Basic", "SplashWindow", BoolText(o.SplashWindow));
    // The new-window command follows the switch at once, from memory.
    s.Basic.NotExecute = o.NotExecute;
    s.Basic.SplashWindow = o.SplashWindow;

    s.Basic.Comctl32Check = o.Comctl32Check;
    s.Option.NPadDiary = o.NPadDiary;

    // The tab row's look takes effect at the next start.
    if (o.TabPosition != o.TabPositionAtLoad || o.TabStyle != o.TabStyleAtLoad ||
        o.TabHiLight != o.TabHiLightAtLoad || o.TabMultiLine != o.TabMultiLineAtLoad) {
        WriteIniValue("Option", "TabPosition", std::to_string(o.TabPosition));
        WriteIniValue("Option", "TabStyle", std::to_string(o.TabStyle));
        WriteIniValue("Option", "TabHiLight", std::to_string(o.TabHiLight));
        WriteIniValue("Option", "TabMultiLine", BoolText(o.TabMultiLine));
    }
    s.Option.TabCloseCtrl = o.TabCloseCtrl;
    s.Option.TabWheelChange = o.TabWheelChange;

    s.Project.ProjectMenu = o.ProjectMenu;
    s.Menu.MenuStyle = o.MenuStyle == 0 ? 0 : 1;
    s.Menu.BarStyle = o.MenuBarStyle;
    s.Menu.MenuImage = o.MenuImage;
    FHost.ApplyMenuLook(s.Menu.MenuStyle, o.MenuBarStyle, o.ProjectMenu, o.MenuImage);

    s.ToolBar.ButtonFlat = o.ButtonFlat;
    s.ToolBar.DragAndDrop = o.DragAndDrop;
    s.ToolBar.ToolTipHintShow = o.ToolTipHintShow;
    s.ToolBar.ToolTipShortCut = o.ToolTipShortCut;
    s.ToolBar.ToolBarFold = o.ToolBarFold;
    s.ToolBar.BarStyle = o.ToolBarStyle;
    FHost.ApplyToolBarLook(s.ToolBar);
    if (o.LoadToolBar1 != o.LoadToolBar1AtLoad || o.LoadToolBar2 != o.LoadToolBar2AtLoad) {
        WriteIniValue("ToolBar", "LoadToolBar1", BoolText(o.LoadToolBar1));
        WriteIniValue("ToolBar", "LoadToolBar2", BoolText(o.LoadToolBar2));
    }

    s.StatusBar.PosZeroVisibled = o.PosZeroVisibled;
    s.StatusBar.SizeZeroVisibled = o.SizeZeroVisibled;
    s.StatusBar.RowByLog = o.RowByLog;
    s.StatusBar.StatusInfo = o.StatusInfo;
    FHost.RefreshStatusInfo();
    s.StatusBar.ColByChar = o.ColByChar == 1;

    for (std::size_t i = 0; i < o.FileMenu.size(); ++i) s.Menu.*kFileMenuFlags[i] = o.FileMenu[i];

    s.Window.WindowPosition = o.WindowPosition;
    s.Window.Left = o.Left;
    s.Window.Top = o.Top;
    s.Window.Width = o.Width;
    s.Window.Height = o.Height;

    s.ClipBoardViewer.UseClip = o.UseClip;
    s.ClipBoardViewer.ClipHistoryBuffers = o.ClipHistoryKBytes * 1024;
    s.ClipBoardViewer.OnlyQxEditor = o.ClipCondition == 0;
    FHost.ApplyClipboardHistory(s.ClipBoardViewer.ClipHistoryBuffers, o.UseClip);

    WriteIniValue("MouseWheel", "MouseWheelCtrl", BoolText(o.MouseWheelCtrl));
    WriteIniValue("MouseWheel", "MouseWheelScroll", std::to_string(o.MouseWheelScroll));
    WriteIniValue("MouseWheel", "MouseWheelPage", BoolText(o.MouseWheelPage));

    TProjectSettings& p = s.Project;
    p.ProjectTreeImage = o.Tree.Images;
    p.ShowByOpenFile = o.ShowByOpenFile;
    if (o.ProjectTreeFormat != o.ProjectTreeFormatAtLoad)
        WriteIniValue("Project", "ProjectTreeFormat", std::to_string(o.ProjectTreeFormat));
    p.FontColor = o.Tree.FontColor;
    p.FontName = o.Tree.FontName;
    p.FontSize = o.Tree.FontSize;
    p.FontStyle = o.Tree.FontStyle;
    p.FontCharset = o.Tree.FontCharset;
    p.BackGroundColor = o.Tree.BackGroundColor;
    p.TitleFontColor = o.Tree.TitleFontColor;
    p.TitleBackGroundColor = o.Tree.TitleBackGroundColor;
    FHost.ApplyProjectTreeLook(o.Tree);
    p.ProjectOpenStyle = o.ProjectOpenStyle;
    p.ProjectStartStyle = o.ProjectStartStyle;
    p.ProjectFilePath = o.ProjectFilePath;
    p.UseProjectDir = o.UseProjectDir;
    p.ProjectDirPath = o.UseProjectDir ? o.ProjectDirPath : std::string();
    p.AutoSaveToExit = o.AutoSaveToExit;

    s.Option.TitleBarDbClickStyle = o.TitleBarDbClickStyle;
    s.Option.ShowFilePath = o.ShowFilePath;
    FHost.RefreshTitles();
    s.Option.MiniFullPath = !o.NoFullPathWhenMinimized;
    s.Option.FavoritePopNumber = o.FavoritePopNumber;
    s.Option.FileHistoryNumber = o.FileHistoryNumber;

    // The open dialog builds its filter from the user filters each time it opens.
    for (std::size_t i = 0; i < o.UserFilter.size(); ++i) s.Option.*kUserFilters[i] = o.UserFilter[i];
    s.Option.OpenFileFilter = o.OpenFileFilter;
    s.Option.SaveFileFilter = o.SaveFileFilter;
    s.Option.DirIndex = o.DirIndex;
    s.Option.OpenDirPath = o.DirIndex == 2 ? o.OpenDirPath : std::string();
    s.Option.SaveDirPath = o.DirIndex == 2 ? o.SaveDirPath : std::string();

    TCursorSettings& cursor = s.Cursor;
    cursor.Cursor = o.CursorFromFile ? crFileCursor : o.Cursor >= 0 && o.Cursor <= 2 ? o.Cursor : 0;
    if (o.CursorFromFile) cursor.CursorDir = o.CursorDir;
    ApplyCursorSetting(cursor, FHost);
    FHost.RefreshCurrentTab();
}

void ApplyCursorSetting(TCursorSettings& Cursor, TCursorHost& Host)
{
    switch (Cursor.Cursor) {
    case 0: Host.SetTextCursor(crIBeamCursor); break;
    case 1: Host.SetTextCursor(Host.UserCursor()); break;
    case 2: Host.SetTextCursor(crHandPointCursor); break;
    case crFileCursor:
        if (Host.LoadCursorFile(Cursor.CursorDir)) {
            Host.SetTextCursor(crFileCursor);
        } else {
            Cursor.Cursor = 0;
            Host.SetTextCursor(crIBeamCursor);
            Host.Beep();
            ShowMessageDialog(Host.Prompter(), "カーソルが読み込めません", "確認", TMsgDlgType::mtInformation,
                              {TMsgDlgBtn::mbOK});
        }
        break;
    default: break;
    }
}

namespace {

// Loads "History" as it stands, lets Change edit its lists and saves them all, so that sections nobody
// changed are written back as they were read.
template <class F>
void ChangeFileHistory(TGlobalState& State, F Change)
{
    LoadFileHistory(State);
    Change();
    SaveFileHistory(State);
}

void FillEmpty(TStringList& List, int Count)
{
    List.Clear();
    for (int i = 0; i < Count; ++i) List.Add("");
}

void ClearHistorySection(TGlobalState& State, const THistorySection& Section, TStringList& List)
{
    List.Clear();
    auto ini = OpenSettingsFile(State.ProgramFile(HistoryFileName));
    if (!ini) return;
    for (int i = 1; i <= Section.Count; ++i)
        ini->WriteString(Section.Section, std::string(Section.KeyPrefix) + std::to_string(i), AddQuotes(""));
    WriteSettingsFile(*ini, {});  // "History" has no header
}

} // namespace

void ClearFileHistory(TGlobalState& State)
{
    ChangeFileHistory(State, [&] { FillEmpty(State.RecentFileList, RecentFilesSection.Count); });
}

void ClearFolderHistory(TGlobalState& State)
{
    ChangeFileHistory(State, [&] { FillEmpty(State.RecentDirList, RecentDirectorySection.Count); });
}

void ClearFindHistory(TGlobalState& State) { ClearHistorySection(State, FindHistorySection, State.FindHistory); }

void ClearReplaceHistory(TGlobalState& State)
{
    ClearHistorySection(State, ReplaceHistorySection, State.ReplaceHistory);
}

} // namespace qx
