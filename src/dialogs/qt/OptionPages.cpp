#include "dialogs/qt/OptionPages.h"

#include "dialogs/OptionDialog.h"
#include "documents/FileDialogs.h"
#include "platform/qt/QtKeyCodec.h"
#include "platform/Cp932.h"
#include "platform/ShortCut.h"
#include "platform/qt/QtColor.h"

#include <QBoxLayout>
#include <QFont>
#include <QKeyEvent>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <memory>

namespace qx {

THotKeyEdit::THotKeyEdit(QWidget* Parent) : QLineEdit(Parent)
{
    setPlaceholderText(QString::fromUtf8(kNoShortCutText));
    // The box shows the key it caught; typing never edits its text.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void THotKeyEdit::SetShortCutText(const std::string& Text)
{
    FText = ShortCutToText(TextToShortCut(Text));
    setText(QString::fromStdString(FText));
}

void THotKeyEdit::keyPressEvent(QKeyEvent* Event)
{
    const TQtKeyStroke stroke = KeyStrokeOf(*Event);
    const int key = stroke.Key & 0xFF;
    // Modifier keys alone (Shift 0x10, Ctrl 0x11, Alt 0x12) wait for the key they modify.
    if (key == 0 || (key >= 0x10 && key <= 0x12)) return;
    const bool plain = stroke.Modifiers == 0;
    if (plain && key == 0x09) {  // Tab moves on as in any box
        QLineEdit::keyPressEvent(Event);
        return;
    }
    const bool clear = plain && (key == 0x08 || key == 0x2E);  // BkSp, Del
    FText = clear ? std::string() : ShortCutToText(stroke.Key);
    setText(QString::fromStdString(FText));
    if (OnChange) OnChange(FText);
}

namespace {

QString U(const char* Text) { return QString::fromUtf8(Text); }

// The environment pages edit the settings' UTF-8 texts as they change.
class TPageBuilder : public TPageBinder {
public:
    TPageBuilder(TOptionPage& Page, TOptionPageContext& Context)
        : TPageBinder(Page, Context.OnError, Context.Dialogs, {}), C(Context), M(Context.Model), O(Context.Model.Options())
    {
        Layout()->setContentsMargins(8, 8, 8, 8);
    }

    TOptionPageContext& C;
    TOptionDialogModel& M;
    TEnvironmentOptions& O;

    void Heading(std::initializer_list<const char*> Lines)
    {
        for (const char* line : Lines) Note(line);
    }
};

void BuildBasicPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Group(" タスクトレイ設定 ");
    B.Check("UseTrayCheck", "タスクトレイアイコンを使用", o.UseTray, {}, [&m](bool On) { m.SetUseTray(On); });
    B.Row();
    B.Label("トレイメニュータイトルバナー色：");
    B.Combo("TrayColorComboBox", {"青", "緑", "赤"}, o.TrayMenuColor);
    B.End();
    B.End();
    B.Group(" 常駐設定 ");
    B.Check("AlwsCheck", "”常駐QxEditor”を使用", o.AlwaysQxEditor, [&m] { return m.ResidentEnabled(); });
    B.Row();
    B.Label("ショートカットキー：");
    auto* hotKey = B.Add(new THotKeyEdit(B.P), "HotKey1", [&m] { return m.HotKeyEnabled(); });
    B.P->AddLoader([hotKey, &o] { hotKey->SetShortCutText(o.HotKey); });
    hotKey->OnChange = [&o](const std::string& Text) { o.HotKey = Text; };
    B.End();
    B.End();
    B.Check("NPadDiaryCheckBox", "メモ帳互換の日誌作成", o.NPadDiary);
}

void BuildTabPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.RadioGroup("TabPosRadioGroup", " 表示位置 ", {"上", "下"}, o.TabPosition, {}, [&m](int V) { m.SetTabPosition(V); });
    B.RadioGroup("TabStyleRadioGroup", " スタイル ", {"ノートブック", "ボタン", "フラットボタン"}, o.TabStyle,
                 [&m] { return m.TabStyleEnabled(); });
    B.RadioGroup("TabHighLightRadioGroup", " 現在のタブ ", {"標準", "反転表示", "イメージ表示"}, o.TabHiLight);
    B.Row();
    B.Label("閉じた後にアクティブにするウインドウ：");
    B.Combo("TabCloseCtrlComboBox", {"次（標準）", "前", "常に先頭", "常に末尾"}, o.TabCloseCtrl);
    B.End();
    B.Check("TabWheelChangeCheckBox", "タブ上のホイール回転でアクティブなウインドウを切り替える", o.TabWheelChange);
    B.Check("TabMultiLineCheckBox", "タブの複数行表示を行う", o.TabMultiLine);
    B.Note("※表示スタイル関連の設定は次回起動時から有効になります。");
}

void BuildMenuBarPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Radio("MenuRadioButton1", "標準メニュー", o.MenuStyle, 0);
    B.Radio("MenuRadioButton2", "Office 風メニュー", o.MenuStyle, 1);
    B.RadioGroup("RadioGroup13", " 表示スタイル ", {"標準", "ATOK12 風", "Netscape 風"}, o.MenuBarStyle,
                 [&m] { return m.MenuBandEnabled(); });
}

void BuildToolBarPage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    const bool bars = B.C.AnyUserToolBar;
    B.Check("DDCheck", "ドラッグ＆ドロップの許可", o.DragAndDrop, [bars] { return bars; });
    B.Check("BtnFlatCheck", "ツールボタンをフラットで表示", o.ButtonFlat, [bars] { return bars; });
    B.Check("ToolTipHintShowCheckBox", "ツールチップヒントを表示", o.ToolTipHintShow);
    B.Check("ToolTipShortCutCheckBox", "ツールチップ内にショートカットを表示", o.ToolTipShortCut);
    B.Check("CanFoldCheckBox", "ツールバーの折り畳みを許可", o.ToolBarFold);
    B.RadioGroup("RadioGroup12", " 表示スタイル ", {"標準", "ATOK12 風", "Netscape 風"}, o.ToolBarStyle);
    B.Group(" 起動時 設定読み込み ");
    B.Check("LoadTBar1CheckBox", "ツールバー 1", o.LoadToolBar1);
    B.Check("LoadTBar2CheckBox", "ツールバー 2", o.LoadToolBar2);
    B.Note("※次回起動時以降有効");
    B.End();
}

void BuildStatusBarPage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    B.Group(" [0] を表示 ");
    B.Check("PosZeroCheckBox", "行 ： 桁", o.PosZeroVisibled);
    B.Check("SizeZeroCheckBox", "現在位置 / サイズ", o.SizeZeroVisibled);
    B.End();
    B.RadioGroup("RadioGroup5", " ステータスバー情報 ",
                 {"None", "Disk space", "System resource", "GDI resource", "User resource"}, o.StatusInfo);
    B.RadioGroup("RadioGroup3", " 桁の取得方法 ", {"バイト数", "文字数"}, o.ColByChar);
    B.Check("RowLogCheckBox", "行を論理行で取得する", o.RowByLog);
}

void BuildMenuCommandPage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    B.Group(" 表示メニュー ");
    B.Label("[ ファイルメニュー ]");
    auto* list = B.Add(new QListWidget(B.P), "CheckListBoxFileMenu", {});
    for (const char* item : {"お気に入りから開く", "関連付けから開く", "開き直す", "HTML形式で保存", "印刷プレビュー",
                             "印刷", "メーラへ送信"}) {
        auto* row = new QListWidgetItem(U(item), list);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
    B.P->AddLoader([list, &o] {
        const QSignalBlocker blocker(list);
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(o.FileMenu[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    });
    // Any click stores all seven.
    QObject::connect(list, &QListWidget::itemChanged, B.P, [change = B.Changer(), list, &o] {
        change([&] {
            for (int i = 0; i < list->count(); ++i)
                o.FileMenu[static_cast<std::size_t>(i)] = list->item(i)->checkState() == Qt::Checked;
        });
    });
    B.End();
    B.Check("MenuIconCheckBox", "メニュー項目の横にイメージを表示", o.MenuImage);
}

void BuildStartPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Note("※次回起動時以降有効");
    B.Check("NoExecutionCheckBox", "二重起動を禁止", o.NotExecute);
    B.Check("SplashCheckBox", "タイトルウインドウを表示", o.SplashWindow);
    B.Check("Comctl32CheckBox", "起動時に 「COMCTL32.DLL」 のバージョンチェック", o.Comctl32Check);
    B.Group(" 起動時の位置およびサイズ設定 ");
    B.Radio("RadioButton1", "デフォルトの位置/サイズ", o.WindowPosition, 1);
    B.Radio("RadioButton2", "前回終了時の位置/サイズ", o.WindowPosition, 2);
    B.Radio("RadioButton3", "位置/サイズ指定", o.WindowPosition, 3);
    const auto coords = [&m] { return m.WindowCoordsEnabled(); };
    const std::pair<const char*, int*> spins[2][2] = {{{"X座標：", &o.Left}, {"Y座標：", &o.Top}},
                                                      {{"幅：", &o.Width}, {"高さ：", &o.Height}}};
    const char* names[2][2] = {{"SpinEdit1", "SpinEdit2"}, {"SpinEdit3", "SpinEdit4"}};
    for (int r = 0; r < 2; ++r) {
        B.Row();
        for (int c = 0; c < 2; ++c) {
            B.Label(spins[r][c].first, coords);
            B.Spin(names[r][c], -99999, 99999, *spins[r][c].second, coords);
        }
        B.End();
    }
    B.Row();
    const auto placement = B.C.Placement;
    B.Button(
        "Button2", "現在の位置取得",
        [placement, &o] {
            const TWindowPlacement p = placement();
            o.Left = p.Left;
            o.Top = p.Top;
        },
        coords);
    B.Button(
        "Button8", "現在のサイズ取得",
        [placement, &o] {
            const TWindowPlacement p = placement();
            o.Width = p.Width;
            o.Height = p.Height;
        },
        coords);
    B.End();
    B.End();
}

void BuildClipboardPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Group(" クリップボード履歴 ");
    B.Check("ClipCheck", "履歴を取る", o.UseClip);
    B.Row();
    const auto size = [&m] { return m.ClipSizeEnabled(); };
    B.Label("履歴バッファサイズ：", size);
    B.Spin("ClipHistNum", 100, 1000, o.ClipHistoryKBytes, size);
    B.Label("キロバイト", size);
    B.End();
    B.RadioGroup("ClipRadioGroup", " 履歴を取る条件 ", {"QxEditor 内のみ", "全てのアプリケーションに対して"}, o.ClipCondition);
    B.End();
}

void BuildWheelPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Note("※ホイールスクロールの設定は次回起動時から有効になります。");
    B.Note("ホイールが正しく動作しない場合は以下を試してください");
    B.Radio("RadioButtonWindows", "Windowsのマウスの設定に依存する", o.MouseWheelCtrl, false);
    B.Radio("RadioButtonQxEditor", "QxEditorにて制御する", o.MouseWheelCtrl, true);
    const auto choices = [&m] { return m.WheelChoicesEnabled(); };
    const auto lines = [&m] { return m.WheelLinesEnabled(); };
    B.Radio("RadioButtonLineScroll", "行スクロール", o.MouseWheelPage, false, choices);
    B.Row();
    B.Label("スクロール数：", lines);
    B.Spin("SpinEditWheelScroll", 1, 30, o.MouseWheelScroll, lines);
    B.Label("行", lines);
    B.End();
    B.Radio("RadioButtonPageScroll", "ページスクロール", o.MouseWheelPage, true, choices);
}

void BuildProjectPage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    B.Group(" プロジェクトマネージャ ");
    B.Check("ProjectIconCheckBox", "項目の横にイメージを表示", o.Tree.Images);
    B.RadioGroup("ProjectViewFormatRadio", " 項目の表示形式 ",
                 {"標準の表示", "プロジェクト名を太字で表示", "選択項目を太字で表示"}, o.ProjectTreeFormat);
    B.Check("ShowWhenOpenCheckBox", "プロジェクトファイルを開いた時、自動的に表示", o.ShowByOpenFile);
    B.RadioGroup("ShowMenuRadioGroup", " [プロジェクト]メニューの表示 ", {"メインメニュー", "プロジェクトマネージャ"},
                 o.ProjectMenu);
    B.Check("ProjectAutoSaveCheckBox", "終了時、プロジェクトの自動保存を行なう", o.AutoSaveToExit);
    B.Note("※次回起動時以降有効");
    B.End();
}

void BuildProjectFontPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Group(" ツリービュー ");
    auto* preview = B.Add(new QTreeWidget(B.P), "TreeViewPre", {});
    preview->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(preview, {U("プロジェクト")});
    for (const char* item : {"フォルダ", "テキスト", "リンク"}) new QTreeWidgetItem(root, {U(item)});
    root->setExpanded(true);
    B.P->AddLoader([preview, &o] { ShowProjectTreeLook(*preview, o.Tree); });
    B.Row();
    B.Label("文字色：");
    B.Color("FontColorConbo", o.Tree.FontColor);
    B.Label("背景色：");
    B.Color("BackColorConbo", o.Tree.BackGroundColor);
    B.End();
    B.Row();
    const auto chooseFont = B.C.ChooseFont;
    B.Button("Button7", "参照", [chooseFont, &o] {
        QFont font = ProjectTreeFont(o.Tree);
        if (!chooseFont || !chooseFont(font)) return;
        o.Tree.FontName = Utf8ToCp932(font.family().toStdString());
        o.Tree.FontSize = font.pointSize() > 0 ? font.pointSize() : o.Tree.FontSize;
        TFontStyles style;
        if (font.bold()) style.Include(TFontStyle::fsBold);
        if (font.italic()) style.Include(TFontStyle::fsItalic);
        if (font.underline()) style.Include(TFontStyle::fsUnderline);
        if (font.strikeOut()) style.Include(TFontStyle::fsStrikeOut);
        o.Tree.FontStyle = style;
    });
    B.Button("Button5", "ﾃﾞﾌｫﾙﾄ", [&m] { m.DefaultTreeFont(); });
    B.End();
    B.End();
    B.Group(" タイトル ");
    B.Row();
    B.Label("文字色：");
    B.Color("TitleFontColorConbo", o.Tree.TitleFontColor);
    B.Label("背景色：");
    B.Color("TitleBackColorConbo", o.Tree.TitleBackGroundColor);
    B.End();
    B.End();
}

void BuildProjectOtherPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Group(" プロジェクトを開く/プロジェクトの保存 ");
    B.Check("ProjectDirCheckBox", "フォルダを指定して開く", o.UseProjectDir);
    B.Row();
    const auto dir = [&m] { return m.ProjectDirEnabled(); };
    B.Edit("ProjectDirPath", o.ProjectDirPath, dir);
    B.FolderButton("Button1", o.ProjectDirPath, dir);
    B.End();
    B.End();
    B.Group(" 起動時の動作 ");
    B.Radio("RadioButton1", "なし", o.ProjectStartStyle, 0);
    B.Radio("RadioButton2", "終了時に開いていたプロジェクトを開く", o.ProjectStartStyle, 1);
    B.Radio("RadioButton3", "プロジェクトを指定して開く", o.ProjectStartStyle, 2);
    B.Row();
    const auto file = [&m] { return m.ProjectFileEnabled(); };
    B.Edit("ProjectFilePath", o.ProjectFilePath, file);
    const auto choose = B.C.ChooseProject;
    B.Button(
        "Button2", "参照",
        [choose, &o] {
            std::string path;
            if (choose && choose(path)) o.ProjectFilePath = path;
        },
        file);
    B.End();
    B.End();
    B.RadioGroup("ProjectOpenRadioGroup", " プロジェクトファイルを開いた時の動作 ",
                 {"プロジェクトとして開く", "ファイルとして開く"}, o.ProjectOpenStyle);
}

void BuildInterfacePage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    B.Group(" ファイル名表示 ");
    B.Radio("RadioButton12", "フルパスで表示", o.ShowFilePath, true);
    B.Radio("RadioButton13", "ファイル名のみ", o.ShowFilePath, false);
    B.Check("FilePathCheckBox", "最小化時はフルパス表示しない", o.NoFullPathWhenMinimized);
    B.End();
    B.Group(" お気に入り ");
    B.Row();
    B.Label("ポップアップ表示数：");
    B.Radio("RadioButton14", "4 個", o.FavoritePopNumber, 4);
    B.Radio("RadioButton15", "8 個", o.FavoritePopNumber, 8);
    B.Radio("RadioButton16", "12 個", o.FavoritePopNumber, 12);
    B.Radio("RadioButton17", "16 個", o.FavoritePopNumber, 16);
    B.End();
    B.End();
    B.RadioGroup("TBarDClickRadioGroup", " タイトルバーダブルクリック時の動作 ", {"Windows 標準", "Macintosh 風"},
                 o.TitleBarDbClickStyle);
}

void BuildHistoryPage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    TGlobalState& state = B.C.State;
    B.Group(" ファイル履歴 ");
    B.Row();
    B.Label("メニュー表示数：");
    B.Spin("SpinEditFHist", 0, 16, o.FileHistoryNumber);
    B.Label("個 (0～16)");
    B.End();
    B.End();
    // These act at once; Cancel does not bring the entries back.
    B.Button("FileHistClearButton", "ファイル履歴をクリア", [&state] { ClearFileHistory(state); });
    B.Button("DirHistClearButton", "フォルダ履歴をクリア", [&state] { ClearFolderHistory(state); });
    B.Button("FindHistClearButton", "検索履歴をクリア", [&state] { ClearFindHistory(state); });
    B.Button("ReplaceHistClearButton", "置換履歴をクリア", [&state] { ClearReplaceHistory(state); });
}

void BuildFilterPage(TPageBuilder& B)
{
    TEnvironmentOptions& o = B.O;
    B.Group(" ファイルのオープンダイアログ ");
    B.Row();
    B.Label("デフォルトのフィルタ：");
    B.Combo("FilterComboBox",
            {"ﾃｷｽﾄ文書 (*.txt;*.hed;*.bat;*.ini;*.inf;*.log)", "HTMLﾄﾞｷｭﾒﾝﾄ (*.htm;*html)", "全てのﾌｧｲﾙ (*.*)",
             "ﾕｰｻﾞｰ指定 1", "ﾕｰｻﾞｰ指定 2", "ﾕｰｻﾞｰ指定 3"},
            o.OpenFileFilter, {}, 1);
    B.End();
    B.Label("ユーザー指定のワイルドカード：");
    B.Row();
    // Which user filter the box edits is the page's own choice, not a setting; the box's handlers keep
    // it alive as long as the page.
    auto chosen = std::make_shared<int>(0);
    B.Combo("ComboBox1", {"ﾕｰｻﾞｰ指定 1", "ﾕｰｻﾞｰ指定 2", "ﾕｰｻﾞｰ指定 3"}, *chosen);
    B.Edit(
        "Edit6", [chosen, &o] { return o.UserFilter[static_cast<std::size_t>(*chosen)]; },
        [chosen, &o](const std::string& Text) { o.UserFilter[static_cast<std::size_t>(*chosen)] = Text; });
    B.End();
    B.End();
    B.Group(" ファイルのセーブダイアログ ");
    B.Combo("FilterComboBox2", {"ﾃｷｽﾄ文書 (*.txt)", "HTMLﾄﾞｷｭﾒﾝﾄ (*.html)", "HTMLﾄﾞｷｭﾒﾝﾄ (*.htm)", "全てのﾌｧｲﾙ (*.*)"},
            o.SaveFileFilter, {}, 1);
    B.End();
}

void BuildFolderPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.Radio("UserDirRadio1", "デフォルト（標準）", o.DirIndex, 0);
    B.Radio("UserDirRadio2", "前回終了時のフォルダを開く", o.DirIndex, 1);
    B.Radio("UserDirRadio3", "フォルダを指定して開く", o.DirIndex, 2);
    const auto paths = [&m] { return m.DirPathsEnabled(); };
    B.Group(" 指定フォルダ");
    B.Label("ファイルを開くフォルダ：", paths);
    B.Row();
    B.Edit("OpenDirPath", o.OpenDirPath, paths);
    B.FolderButton("Button15", o.OpenDirPath, paths);
    B.End();
    B.Label("ファイルの保存フォルダ：", paths);
    B.Row();
    B.Edit("SaveDirPath", o.SaveDirPath, paths);
    B.FolderButton("Button16", o.SaveDirPath, paths);
    B.End();
    B.End();
}

void BuildCursorPage(TPageBuilder& B)
{
    TOptionDialogModel& m = B.M;
    TEnvironmentOptions& o = B.O;
    B.RadioGroup("RadioGroup2", " マウスカーソル ", {"デフォルト", "オリジナル", "ハンドポイント"}, o.Cursor,
                 [&m] { return m.CursorChoiceEnabled(); });
    B.Check("CursorCheckBox", "指定したマウスカーソルを使用する：", o.CursorFromFile);
    B.Row();
    const auto file = [&o] { return o.CursorFromFile; };
    B.Edit(
        "CursorDir", [&o] { return o.CursorDir; }, [&m](const std::string& Text) { m.SetCursorDir(Text); }, file);
    TFileDialogService& dialogs = B.C.Dialogs;
    B.Button(
        "Button6", "参照",
        [&dialogs, &m] {
            TFileDialogRequest request;
            request.Filter = "ﾎﾟｲﾝﾀ (*.cur)|*.cur|ｱﾆﾒｰｼｮﾝﾎﾟｲﾝﾀ (*.ani)|*.ani";
            const TFileDialogResult result = dialogs.Execute(request);
            if (result.Accepted && !result.Files.empty()) m.SetCursorDir(result.Files.front());
        },
        file);
    B.End();
}

void BuildHeading(TPageBuilder& B, const char* Title, const char* Text)
{
    B.Heading({Title, Text, "設定したい項目を選択してください。"});
}

} // namespace

QFont ProjectTreeFont(const TProjectTreeLook& Look)
{
    QFont font(QString::fromStdString(Cp932ToUtf8(Look.FontName)));
    font.setPointSize(std::max(1, Look.FontSize));
    font.setBold(Look.FontStyle.Contains(TFontStyle::fsBold));
    font.setItalic(Look.FontStyle.Contains(TFontStyle::fsItalic));
    font.setUnderline(Look.FontStyle.Contains(TFontStyle::fsUnderline));
    font.setStrikeOut(Look.FontStyle.Contains(TFontStyle::fsStrikeOut));
    return font;
}

void ShowProjectTreeLook(QTreeView& Tree, const TProjectTreeLook& Look)
{
    Tree.setFont(ProjectTreeFont(Look));
    QPalette palette = Tree.palette();
    palette.setColor(QPalette::Base, ToQColor(Look.BackGroundColor));
    palette.setColor(QPalette::Text, ToQColor(Look.FontColor));
    Tree.setPalette(palette);
    Tree.viewport()->update();
}

TOptionPage* CreateOptionPage(int Index, TOptionPageContext& Context, QWidget* Parent)
{
    using TBuild = void (*)(TPageBuilder&);
    static const TBuild pages[] = {
        [](TPageBuilder& B) { BuildHeading(B, "[ 基本設定 ]", "基本的な環境設定を行います。"); },
        BuildBasicPage,
        BuildTabPage,
        BuildMenuBarPage,
        BuildToolBarPage,
        BuildStatusBarPage,
        BuildMenuCommandPage,
        BuildStartPage,
        BuildClipboardPage,
        BuildWheelPage,
        [](TPageBuilder& B) { BuildHeading(B, "[ プロジェクト ]", "プロジェクトに関する設定を行います。"); },
        BuildProjectPage,
        BuildProjectFontPage,
        BuildProjectOtherPage,
        [](TPageBuilder& B) { BuildHeading(B, "[ ユーザーインターフェース ]", "ユーザーインターフェースに関する設定を行います。"); },
        BuildInterfacePage,
        BuildHistoryPage,
        BuildFilterPage,
        BuildFolderPage,
        BuildCursorPage,
    };
    static_assert(std::size(pages) == 20);
    const auto index = static_cast<std::size_t>(Index);
    return BuildBoundPage<TOptionPage, TPageBuilder>(OptionPageTree().at(index).PageClass.data(), Context, Parent,
                                                     pages[index]);
}

} // namespace qx
