#include "documents/MainSettings.h"

#include "documents/FileHistory.h"
#include "documents/SettingsCodec.h"
#include "documents/SettingsFile.h"
#include "documents/ToolBarFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qx {

// One key list per section: the same list reads (TKeyReader) and writes (TKeyWriter), so a key has one
// name and one spelling. S is the section's struct, const when writing.
namespace {

struct WindowKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Int("WindowPosition", s.WindowPosition);
        k.Int("Left", s.Left);
        k.Int("Top", s.Top);
        k.Int("Height", s.Height);
        k.Int("Width", s.Width);
        k.Bool("Maximized", s.Maximized);
    }
};

struct BasicKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("UseTray", s.UseTray);
        k.Int("TrayMenuColor", s.TrayMenuColor);
        k.Bool("AlwaysQxEditor", s.AlwaysQxEditor);
        k.Str("HotKey", s.HotKey);
        k.Bool("Comctl32Check", s.Comctl32Check);
        k.Bool("NotExecute", s.NotExecute, kNotSaved);
        k.Bool("SplashWindow", s.SplashWindow, kNotSaved);
    }
};

struct ProjectKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("ProjectTreeImage", s.ProjectTreeImage);
        k.Int("ProjectTreeFormat", s.ProjectTreeFormat, kNotSaved);
        k.Color("FontColor", s.FontColor);
        k.Str("FontName", s.FontName);
        k.Int("FontSize", s.FontSize);
        k.Style("FontStyle", s.FontStyle);
        k.Int("FontCharset", s.FontCharset);
        k.Color("BackGroundColor", s.BackGroundColor);
        k.Bool("ProjectManager", s.ProjectManager);
        k.Int("ManagerWidth", s.ManagerWidth);
        k.Bool("ShowByOpenFile", s.ShowByOpenFile);
        k.Int("ProjectMenu", s.ProjectMenu);
        k.Color("TitleFontColor", s.TitleFontColor);
        k.Color("TitleBackGroundColor", s.TitleBackGroundColor);
        k.Int("ProjectOpenStyle", s.ProjectOpenStyle);
        k.Int("ProjectStartStyle", s.ProjectStartStyle);
        k.Str("LastProjectFile", s.LastProjectFile);
        k.Str("ProjectFilePath", s.ProjectFilePath);
        k.Bool("UseProjectDir", s.UseProjectDir);
        k.Str("ProjectDirPath", s.ProjectDirPath);
        k.Bool("AutoSaveToExit", s.AutoSaveToExit);
    }
};

struct StatusBarKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("StatusBar", s.StatusBar);
        k.Bool("HintBar", s.HintBar);
        k.Bool("PosZeroVisibled", s.PosZeroVisibled);
        k.Bool("SizeZeroVisibled", s.SizeZeroVisibled);
        k.Int("StatusInfo", s.StatusInfo);
        k.Bool("ColByChar", s.ColByChar);
        k.Bool("RowByLog", s.RowByLog);
    }
};

struct MenuKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Int("MenuStyle", s.MenuStyle);
        k.Int("BarStyle", s.BarStyle);
        k.Bool("MenuImage", s.MenuImage);
        k.Bool("FavoriteMenu", s.FavoriteMenu);
        k.Bool("RtnOpenMenu", s.RtnOpenMenu);
        k.Bool("ReloadMenu", s.ReloadMenu);
        k.Bool("HTMLSaveMenu", s.HTMLSaveMenu);
        k.Bool("PrintPreviewMenu", s.PrintPreviewMenu);
        k.Bool("PrintMenu", s.PrintMenu);
        k.Bool("SendMailMenu", s.SendMailMenu);
    }
};

struct ClipBoardViewerKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("UseClip", s.UseClip);
        k.Int("ClipHistoryBuffers", s.ClipHistoryBuffers);
        k.Bool("OnlyQxEditor", s.OnlyQxEditor);
    }
};

// [Option] up to NPadDiary, with the tab keys that only the options dialog writes.
struct OptionKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Int("TitleBarDbClickStyle", s.TitleBarDbClickStyle);
        k.Bool("ShowFilePath", s.ShowFilePath);
        k.Bool("MiniFullPath", s.MiniFullPath);
        k.Int("FavoritePopNumber", s.FavoritePopNumber);
        k.Int("FileHistoryNumber", s.FileHistoryNumber);
        k.Int("OpenFileFilter", s.OpenFileFilter);
        k.Int("SaveFileFilter", s.SaveFileFilter);
        k.Str("UserFilter1", s.UserFilter1);
        k.Str("UserFilter2", s.UserFilter2);
        k.Str("UserFilter3", s.UserFilter3);
        k.Str("InyouString1", s.InyouString1);
        k.Str("InyouString2", s.InyouString2);
        k.Str("InyouString3", s.InyouString3);
        k.Str("InyouString4", s.InyouString4);
        k.Str("InyouString5", s.InyouString5);
        k.Int("DirIndex", s.DirIndex);
        k.Str("OpenDirPath", s.OpenDirPath);
        k.Str("SaveDirPath", s.SaveDirPath);
        k.Str("LastDirPath", s.LastDirPath);
        k.Bool("NPadDiary", s.NPadDiary);
        k.Int("TabPosition", s.TabPosition, kNotSaved);
        k.Int("TabStyle", s.TabStyle, kNotSaved);
        k.Int("TabHiLight", s.TabHiLight, kNotSaved);
        k.Bool("TabMultiLine", s.TabMultiLine, kNotSaved);
    }
};

// [Option] keys that the main writer saves after [Cursor].
struct OptionTabKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Int("TabCloseCtrl", s.TabCloseCtrl);
        k.Bool("TabWheelChange", s.TabWheelChange);
    }
};

struct AllOptionKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        OptionKeys{}(k, s);
        OptionTabKeys{}(k, s);
    }
};

struct CursorKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Int("Cursor", s.Cursor);
        k.Str("CursorDir", s.CursorDir);
    }
};

struct MouseWheelKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("MouseWheelCtrl", s.MouseWheelCtrl, kNotSaved);
        k.Int("MouseWheelScroll", s.MouseWheelScroll, kNotSaved);
        k.Bool("MouseWheelPage", s.MouseWheelPage, kNotSaved);
    }
};

struct HideOptionKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("UnUseQxMessageDialog", s.UnUseQxMessageDialog, kNotSaved);
        k.Bool("MinimizeToTray", s.MinimizeToTray, kNotSaved);
    }
};

struct DateTimeKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("UserFormat", s.UserFormat);
        k.Str("Format1", s.Format1);
        k.Str("Format2", s.Format2);
        k.Str("Format3", s.Format3);
    }
};

struct CloseDialogKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("CloseDialog", s.CloseDialog);
    }
};

struct PrinterKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Str("FontName", s.FontName);
        k.Int("FontSize", s.FontSize);
        k.Int("LeftMargin", s.LeftMargin);
        k.Int("RightMargin", s.RightMargin);
        k.Int("TopMargin", s.TopMargin);
        k.Int("BottomMargin", s.BottomMargin);
        k.Int("LineMargin", s.LineMargin);
        k.Bool("LineNumber", s.LineNumber);
        k.Bool("LineNumberByLog", s.LineNumberByLog);
        k.Str("Header", s.Header);
        k.Int("HeaderPosition", s.HeaderPosition);
        k.Bool("HeaderLine", s.HeaderLine);
        k.Int("HeaderOption", s.HeaderOption);
        k.Str("Footer", s.Footer);
        k.Int("FooterPosition", s.FooterPosition);
        k.Bool("FooterLine", s.FooterLine);
        k.Int("FooterOption", s.FooterOption);
        k.Int("ColumnMargin", s.ColumnMargin);
        k.Int("ColumnCount", s.ColumnCount);
        k.Int("PreviewFormTop", s.PreviewFormTop);
        k.Int("PreviewFormLeft", s.PreviewFormLeft);
        k.Int("PreviewFormHeight", s.PreviewFormHeight);
        k.Int("PreviewFormWidth", s.PreviewFormWidth);
        k.Bool("WrapOptionUsed", s.WrapOptionUsed);
        k.Int("TabSpaceCount", s.TabSpaceCount);
    }
};

// The find and replace dialogs' options.
struct FindKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("MatchCase", s.MatchCase);
        k.Bool("WholeWord", s.WholeWord);
        k.Bool("NoMatchZenkaku", s.NoMatchZenkaku);
        k.Bool("IncludeCRLF", s.IncludeCRLF);
        k.Bool("Escape", s.Escape);
        k.Int("Direction", s.Direction);
    }
};

struct GrepKeys {
    template <class K, class S> void operator()(K& k, S& s) const
    {
        k.Bool("GrepFuzzy", s.GrepFuzzy);
        k.Bool("GrepSubDir", s.GrepSubDir);
    }
};

// Resets `value` to its defaults and reads it from `section` through `keys` (only resets without a file).
template <class S, class Keys>
void ReadSection(const TMemIniFile* ini, std::string_view section, S& value, Keys keys)
{
    value = S();
    if (!ini) return;
    TKeyReader reader(*ini, section);
    keys(reader, value);
}

template <class S, class Keys>
void WriteSection(TMemIniFile& ini, std::string_view section, const S& value, Keys keys)
{
    TKeyWriter writer(ini, section);
    keys(writer, value);
}

std::string MainIniPath(const TGlobalState& state)
{
    return state.ProgramFile(IniFileName);
}

// Reads one dialog's section of "QxEditor.ini" (defaults when the file is missing or unreadable).
template <class S, class Keys>
void LoadDialogSection(const TGlobalState& state, std::string_view section, S& value, Keys keys)
{
    const auto ini = OpenSettingsFile(MainIniPath(state));
    ReadSection(ini ? &*ini : nullptr, section, value, keys);
}

template <class S, class Keys>
void SaveDialogSection(const TGlobalState& state, std::string_view section, const S& value, Keys keys)
{
    auto ini = OpenSettingsFile(MainIniPath(state));
    if (!ini) return;
    WriteSection(*ini, section, value, keys);
    WriteSettingsFile(*ini, kMainSettingsTitle);
}

void ReturnToLastFolder(const TOptionSettings& option)
{
    if (option.DirIndex != 1 || option.LastDirPath.empty()) return;
    std::error_code ignored;  // a folder that is gone is no error
    std::filesystem::current_path(option.LastDirPath, ignored);
}

std::string CurrentFolder()
{
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

void WriteWindowPlacement(TMemIniFile& ini, const TWindowSettings& window, const TMainFormSettings* form)
{
    const TWindowPlacement defaults;
    TWindowPlacement placement;
    bool maximized = false;
    switch (window.WindowPosition) {
    case 1:
        placement = defaults;
        break;
    case 2:
        if (form && form->IsMaximized()) {
            placement = defaults;
            maximized = true;
        } else if (form) {
            placement = form->CurrentPlacement();
        } else {
            placement = {window.Left, window.Top, window.Height, window.Width};
        }
        break;
    case 3:
        placement = {window.Left, window.Top, window.Height, window.Width};
        break;
    default:
        ini.WriteInteger("Window", "WindowPosition", window.WindowPosition);
        return;
    }
    ini.WriteInteger("Window", "Left", placement.Left);
    ini.WriteInteger("Window", "Top", placement.Top);
    ini.WriteInteger("Window", "Height", placement.Height);
    ini.WriteInteger("Window", "Width", placement.Width);
    ini.WriteBool("Window", "Maximized", maximized);
    ini.WriteInteger("Window", "WindowPosition", window.WindowPosition);
}

} // namespace

TWindowPlacement StartPlacement(const TWindowSettings& Window)
{
    if (Window.WindowPosition == 1) return {};
    return {Window.Left, Window.Top, Window.Height, Window.Width};
}

TWindowPlacement KeepOnScreens(TWindowPlacement Placement, const std::vector<TWindowPlacement>& Screens)
{
    if (Screens.empty()) return Placement;
    const auto holds = [&](const TWindowPlacement& S) {
        return Placement.Left >= S.Left && Placement.Left < S.Left + S.Width && Placement.Top >= S.Top &&
               Placement.Top < S.Top + S.Height;
    };
    const auto overlap = [&](const TWindowPlacement& S) {
        const long long w = std::min(Placement.Left + Placement.Width, S.Left + S.Width) - std::max(Placement.Left, S.Left);
        const long long h = std::min(Placement.Top + Placement.Height, S.Top + S.Height) - std::max(Placement.Top, S.Top);
        return w > 0 && h > 0 ? w * h : 0;
    };
    const TWindowPlacement* screen = &Screens.front();
    for (const TWindowPlacement& s : Screens)
        if (holds(s)) {
            screen = &s;
            break;
        } else if (overlap(s) > overlap(*screen)) {
            screen = &s;
        }
    Placement.Width = std::clamp(Placement.Width, 1, screen->Width);
    Placement.Height = std::clamp(Placement.Height, 1, screen->Height);
    Placement.Left = std::clamp(Placement.Left, screen->Left, screen->Left + screen->Width - Placement.Width);
    Placement.Top = std::clamp(Placement.Top, screen->Top, screen->Top + screen->Height - Placement.Height);
    return Placement;
}

void LoadMainSettings(TGlobalState& state, TMainFormSettings* form)
{
    // A file that cannot be read gives the defaults and is not written over.
    auto ini = OpenSettingsFile(MainIniPath(state));
    const TMemIniFile* file = ini ? &*ini : nullptr;
    if (ini) WriteApplicationSection(*ini, false);
    TMainSettings& s = state.Settings;
    ReadSection(file, "Window", s.Window, WindowKeys{});
    ReadSection(file, "Basic", s.Basic, BasicKeys{});
    ReadSection(file, "Project", s.Project, ProjectKeys{});
    ReadSection(file, "StatusBar", s.StatusBar, StatusBarKeys{});
    ReadSection(file, "Menu", s.Menu, MenuKeys{});
    ReadSection(file, "ClipBoardViewer", s.ClipBoardViewer, ClipBoardViewerKeys{});
    ReadSection(file, "Option", s.Option, AllOptionKeys{});
    ReadSection(file, "Cursor", s.Cursor, CursorKeys{});
    ReadSection(file, "MouseWheel", s.MouseWheel, MouseWheelKeys{});
    ReadSection(file, "HideOption", s.HideOption, HideOptionKeys{});
    if (ini) {
        ReturnToLastFolder(s.Option);
        WriteSettingsFile(*ini, kMainSettingsTitle);
    }
    if (form) form->ApplyMainSettings(state);
}

void SaveMainSettings(TGlobalState& state, TMainFormSettings* form)
{
    if (form) form->CollectMainSettings(state);
    const TMainSettings& s = state.Settings;
    if (auto ini = OpenSettingsFile(MainIniPath(state))) {
        ini->WriteString("Application", "Version", AddQuotes(VersionText));
        WriteWindowPlacement(*ini, s.Window, form);
        WriteSection(*ini, "Basic", s.Basic, BasicKeys{});
        WriteSection(*ini, "Project", s.Project, ProjectKeys{});
        WriteToolBarSettings(*ini, s.ToolBar);
        WriteSection(*ini, "StatusBar", s.StatusBar, StatusBarKeys{});
        WriteSection(*ini, "Menu", s.Menu, MenuKeys{});
        WriteSection(*ini, "ClipBoardViewer", s.ClipBoardViewer, ClipBoardViewerKeys{});
        TOptionSettings option = s.Option;
        option.LastDirPath = option.DirIndex == 1 ? CurrentFolder() : std::string();
        WriteSection(*ini, "Option", option, OptionKeys{});
        WriteSection(*ini, "Cursor", s.Cursor, CursorKeys{});
        WriteSection(*ini, "Option", option, OptionTabKeys{});
        WriteSettingsFile(*ini, kMainSettingsTitle);
    }
    if (s.ToolBar.LoadToolBar1) SaveUserToolBar(state, 1);
    if (s.ToolBar.LoadToolBar2) SaveUserToolBar(state, 2);
}

void LoadDateTimeFormats(TGlobalState& state)
{
    LoadDialogSection(state, "DateTime", state.Settings.DateTime, DateTimeKeys{});
}

void SaveDateTimeFormats(const TGlobalState& state)
{
    SaveDialogSection(state, "DateTime", state.Settings.DateTime, DateTimeKeys{});
}

void LoadCommandDialogSettings(TGlobalState& state)
{
    LoadDialogSection(state, "Command", state.Settings.Command, CloseDialogKeys{});
}

void SaveCommandDialogSettings(const TGlobalState& state)
{
    SaveDialogSection(state, "Command", state.Settings.Command, CloseDialogKeys{});
}

void LoadWordAssistantSettings(TGlobalState& state)
{
    LoadDialogSection(state, "WordAssistant", state.Settings.WordAssistant, CloseDialogKeys{});
}

void SaveWordAssistantSettings(const TGlobalState& state)
{
    SaveDialogSection(state, "WordAssistant", state.Settings.WordAssistant, CloseDialogKeys{});
}

void LoadPrinterSettings(TGlobalState& state)
{
    TPrinterSettings& printer = state.Settings.Printer;
    LoadDialogSection(state, "Printer", printer, PrinterKeys{});
    if (printer.ColumnCount < 1 || printer.ColumnCount > 3) printer.ColumnCount = 1;
}

void SavePrinterSettings(const TGlobalState& state)
{
    SaveDialogSection(state, "Printer", state.Settings.Printer, PrinterKeys{});
}

// The find, replace and grep pairs share [Search]; each reads and writes only its own keys.
void LoadFindSettings(TGlobalState& state)
{
    LoadDialogSection(state, "Search", state.Settings.Find, FindKeys{});
    LoadHistoryLists(state, {{&FindHistorySection, &state.FindHistory}});
}

void SaveFindSettings(const TGlobalState& state)
{
    SaveDialogSection(state, "Search", state.Settings.Find, FindKeys{});
    SaveHistoryLists(state, {{&FindHistorySection, &state.FindHistory}});
}

void LoadReplaceSettings(TGlobalState& state)
{
    LoadFindSettings(state);
    LoadHistoryLists(state, {{&ReplaceHistorySection, &state.ReplaceHistory}});
}

void SaveReplaceSettings(const TGlobalState& state)
{
    SaveDialogSection(state, "Search", state.Settings.Find, FindKeys{});
    SaveHistoryLists(state, {{&FindHistorySection, &state.FindHistory},
                             {&ReplaceHistorySection, &state.ReplaceHistory}});
}

void LoadGrepSettings(TGlobalState& state)
{
    LoadDialogSection(state, "Search", state.Settings.Grep, GrepKeys{});
    LoadHistoryLists(state, {{&GrepHistorySection, &state.GrepHistory},
                             {&GrepFilesSection, &state.GrepFiles}});
}

void SaveGrepSettings(const TGlobalState& state)
{
    SaveDialogSection(state, "Search", state.Settings.Grep, GrepKeys{});
    SaveHistoryLists(state, {{&GrepHistorySection, &state.GrepHistory},
                             {&GrepFilesSection, &state.GrepFiles}});
}

} // namespace qx
