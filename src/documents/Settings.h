#pragma once
// The values of "QxEditor.ini", one struct per section, each member named after its key and holding
// the key's default. Texts are CP932 bytes; folder and file names are the file system's bytes.

#include "platform/Color.h"
#include "platform/Cp932.h"
#include "platform/FontStyle.h"

#include <string>

namespace qx {

// [Window]. WindowPosition: 1 fixed default place, 2 remember the last place, 3 the stored place.
struct TWindowSettings {
    int WindowPosition = 2;
    int Left = 0;
    int Top = 0;
    int Height = 470;
    int Width = 600;
    bool Maximized = false;
};

// [Basic]
struct TBasicSettings {
    bool UseTray = true;
    int TrayMenuColor = 0;
    bool AlwaysQxEditor = false;
    std::string HotKey = "Ctrl+F1";
    bool Comctl32Check = true;
    bool NotExecute = true;    // written by the options dialog
    bool SplashWindow = true;  // written by the options dialog
};

// [Project]: the project manager panel.
struct TProjectSettings {
    bool ProjectTreeImage = true;
    int ProjectTreeFormat = 1;  // written by the options dialog
    TColor FontColor = clBlack;
    std::string FontName = Utf8ToCp932("ＭＳ Ｐゴシック");
    int FontSize = 9;
    TFontStyles FontStyle;
    int FontCharset = 128;
    TColor BackGroundColor = clWhite;
    bool ProjectManager = false;
    int ManagerWidth = 135;
    bool ShowByOpenFile = true;
    int ProjectMenu = 1;
    TColor TitleFontColor = clWhite;
    TColor TitleBackGroundColor = clNavy;
    int ProjectOpenStyle = 0;
    int ProjectStartStyle = 0;
    std::string LastProjectFile;
    std::string ProjectFilePath;
    bool UseProjectDir = false;
    std::string ProjectDirPath;
    bool AutoSaveToExit = false;
};

// [ToolBar]: the two user tool bars and the bars' common options.
struct TToolBarSettings {
    bool LoadToolBar1 = true;
    bool UserToolBar = true;
    int UserToolBarLeft = 11;
    int UserToolBarTop = 11;
    bool LoadToolBar2 = true;
    bool UserToolBar2 = true;
    int UserToolBarLeft2 = 11;
    int UserToolBarTop2 = 39;
    bool DragAndDrop = true;
    bool ButtonFlat = true;
    int BarStyle = 0;
    bool ToolTipHintShow = true;
    bool ToolTipShortCut = true;
    bool ToolBarFold = false;
};

// [StatusBar]
struct TStatusBarSettings {
    bool StatusBar = true;
    bool HintBar = true;
    bool PosZeroVisibled = true;
    bool SizeZeroVisibled = true;
    int StatusInfo = 0;
    bool ColByChar = false;
    bool RowByLog = false;
};

// [Menu]
struct TMenuSettings {
    int MenuStyle = 1;
    int BarStyle = 0;
    bool MenuImage = true;
    bool FavoriteMenu = true;
    bool RtnOpenMenu = true;
    bool ReloadMenu = true;
    bool HTMLSaveMenu = true;
    bool PrintPreviewMenu = true;
    bool PrintMenu = true;
    bool SendMailMenu = true;
};

// [ClipBoardViewer]
struct TClipBoardViewerSettings {
    bool UseClip = true;
    int ClipHistoryBuffers = 102400;
    bool OnlyQxEditor = false;
};

// [Option]
struct TOptionSettings {
    int TitleBarDbClickStyle = 0;
    bool ShowFilePath = false;
    bool MiniFullPath = false;
    int FavoritePopNumber = 8;
    int FileHistoryNumber = 8;
    int OpenFileFilter = 1;
    int SaveFileFilter = 1;
    std::string UserFilter1 = "*.qxp;*.qxh";
    std::string UserFilter2 = "*.*";
    std::string UserFilter3 = "*.*";
    // The quote marks of the quoting commands.
    std::string InyouString1 = ">";
    std::string InyouString2 = ">";
    std::string InyouString3 = "<";
    std::string InyouString4 = "[";
    std::string InyouString5 = "]";
    int DirIndex = 0;  // 1: return to the last folder
    std::string OpenDirPath;
    std::string SaveDirPath;
    std::string LastDirPath;
    bool NPadDiary = false;
    int TabPosition = 0;       // written by the options dialog
    int TabStyle = 0;          // 0 tabs, 1 buttons, 2 flat buttons; written by the options dialog
    int TabHiLight = 0;        // written by the options dialog
    int TabCloseCtrl = 0;
    bool TabWheelChange = true;
    bool TabMultiLine = false;  // written by the options dialog
};

// [Cursor]
struct TCursorSettings {
    int Cursor = 0;
    std::string CursorDir;
};

// [MouseWheel]: written by the options dialog.
struct TMouseWheelSettings {
    bool MouseWheelCtrl = false;
    int MouseWheelScroll = 1;
    bool MouseWheelPage = false;
};

// [HideOption]: only ever written by the user.
struct THideOptionSettings {
    bool UnUseQxMessageDialog = false;
    bool MinimizeToTray = false;
};

// [DateTime]: the date-and-time dialog.
struct TDateTimeSettings {
    bool UserFormat = false;
    std::string Format1 = "%H:%N %Y/%M/%D +0900";
    std::string Format2 = "%c, %D %K %Y %H:%N:%S +0900";
    std::string Format3 = "%C, %K %D, %Y";
};

// [Command] and [WordAssistant]: a check box of each dialog.
struct TCloseDialogSettings {
    bool CloseDialog = false;
};

// [Printer]: the string-list printer's layout.
struct TPrinterSettings {
    std::string FontName = Utf8ToCp932("ＭＳ 明朝");
    int FontSize = 10;
    int LeftMargin = 20;
    int RightMargin = 15;
    int TopMargin = 15;
    int BottomMargin = 15;
    int LineMargin = 0;
    bool LineNumber = false;
    bool LineNumberByLog = true;
    std::string Header = "%F %y/%m/%d";
    int HeaderPosition = 3;
    bool HeaderLine = false;
    int HeaderOption = 0;
    std::string Footer = "- %p / %P -";
    int FooterPosition = 2;
    bool FooterLine = false;
    int FooterOption = 0;
    int ColumnMargin = 10;
    int ColumnCount = 1;  // 1, 2 or 3
    int PreviewFormTop = 20;
    int PreviewFormLeft = 20;
    int PreviewFormHeight = 400;
    int PreviewFormWidth = 500;
    bool WrapOptionUsed = false;
    int TabSpaceCount = 4;  // the print dialog's tab width: 2, 4, 6 or 8
};

// [Search], the find and replace dialogs' options.
struct TFindSettings {
    bool MatchCase = false;
    bool WholeWord = false;
    bool NoMatchZenkaku = false;
    bool IncludeCRLF = false;
    bool Escape = false;
    int Direction = 0;
};

// [Search], the grep dialog's options.
struct TGrepSettings {
    bool GrepFuzzy = false;
    bool GrepSubDir = false;
};

struct TMainSettings {
    TWindowSettings Window;
    TBasicSettings Basic;
    TProjectSettings Project;
    TToolBarSettings ToolBar;
    TStatusBarSettings StatusBar;
    TMenuSettings Menu;
    TClipBoardViewerSettings ClipBoardViewer;
    TOptionSettings Option;
    TCursorSettings Cursor;
    TMouseWheelSettings MouseWheel;
    THideOptionSettings HideOption;
    TDateTimeSettings DateTime;
    TCloseDialogSettings Command;
    TCloseDialogSettings WordAssistant;
    TPrinterSettings Printer;
    TFindSettings Find;
    TGrepSettings Grep;
};

} // namespace qx
