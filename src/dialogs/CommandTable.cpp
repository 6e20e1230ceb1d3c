#include "dialogs/CommandTable.h"

#include "platform/StringList.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace qx {

namespace {

constexpr std::array<std::string_view, 9> kSections = {"File", "Edit", "Search", "View", "Project",
                                                       "Tool", "Window", "Help", "Other"};

// The sections' categories, in the sections' order.
constexpr std::array<std::string_view, 9> kCategories = {"ファイル", "編集", "検索", "表示", "プロジェクト",
                                                         "ツール", "ウインドウ", "ヘルプ", "特殊"};

constexpr TCommandShortCut kTable[] = {
    // [File]
    {"File", "New", "Ctrl+N", "ActionNew", "新規作成", "新規作成(&N)"},
    {"File", "Open", "Ctrl+O", "ActionOpen", "開く", "開く(&O)..."},
    {"File", "KanrenOpen", "", "ActionKanrenOpen", "関連付けから開く", "関連付けから開く(&K)..."},
    {"File", "Save", "Ctrl+S", "ActionSave", "上書き保存", "上書き保存(&S)"},
    {"File", "Favorite", "", "ActionFavorite", "お気に入りから開く", "お気に入りから開く(&F)..."},
    {"File", "SaveAs", "", "ActionSaveAs", "名前を付けて保存", "名前を付けて保存(&A)..."},
    {"File", "AllSave", "", "ActionAllSave", "すべて保存", "すべて保存(&V)"},
    {"File", "SaveAsHTML", "", "ActionSaveAsHTML", "HTML形式で保存", "HTML形式で保存(&H)..."},
    {"File", "Close", "Ctrl+F4", "ActionClose", "閉じる", "閉じる(&C)"},
    {"File", "AllClose", "", "ActionAllClose", "すべて閉じる", "すべて閉じる(&Q)"},
    {"File", "PrintPreview", "", "ActionPrintPreview", "印刷プレビュー", "印刷ﾌﾟﾚﾋﾞｭｰ(&W)..."},
    {"File", "Print", "Ctrl+P", "ActionPrint", "印刷", "印刷(&P)..."},
    {"File", "SendMail", "", "ActionSendMail", "メーラへ送信", "ﾒｰﾗへ送信(&M)..."},
    {"File", "CloseQxEditor", "", "ActionCloseQxEditor", "閉じてタスクトレイへ", "終了"},
    {"File", "ShutQxEditor", "", "ActionShutQxEditor", "QxEditorの終了", "QxEditorの終了(&X)"},
    {"File", "EditAgainFirst", "", "ActionEditAgainFirst", "現在の漢字コード", "現在の漢字コード(&R)..."},
    // [Edit]
    {"Edit", "Undo", "Ctrl+Z", "ActionUndo", "元に戻す", "元に戻す(&U)"},
    {"Edit", "Redo", "Ctrl+Y", "ActionRedo", "やり直す", "やり直す(&R)"},
    {"Edit", "Cut", "Ctrl+X", "ActionCut", "切り取り", "切り取り(&T)"},
    {"Edit", "Copy", "Ctrl+C", "ActionCopy", "コピー", "ｺﾋﾟｰ(&C)"},
    {"Edit", "Paste", "Ctrl+V", "ActionPaste", "貼り付け", "貼り付け(&P)"},
    {"Edit", "Delete", "", "ActionDelete", "削除", "削除(&D)"},
    {"Edit", "AllSelect", "Ctrl+A", "ActionAllSelect", "すべて選択", "すべて選択(&A)"},
    {"Edit", "BoxSelectMode", "Ctrl+B", "ActionBoxSelectMode", "矩形選択", "矩形選択(&X)"},
    {"Edit", "StartToLine1", "", "ActionStartToLine", "文章先頭まで選択", "文章先頭まで選択(&T)"},
    {"Edit", "StartToLine2", "", "ActionStartToLine2", "行頭の桁まで選択", "行頭の桁まで選択(&S)"},
    {"Edit", "SelectNowLine", "", "ActionSelectNowLine", "現在行選択", "現在行選択(&C)"},
    {"Edit", "LineToEnd1", "", "ActionLineToEnd", "文章末尾まで選択", "文章末尾まで選択(&B)"},
    {"Edit", "LineToEnd2", "", "ActionLineToEnd2", "行末の桁まで選択", "行末の桁まで選択(&E)"},
    {"Edit", "SelectWord", "", "ActionSelectWord", "現在位置の単語選択", "現在位置の単語選択(&W)"},
    {"Edit", "PlusCut", "", "ActionPlusCut", "追加切り取り", "追加切り取り(&P)"},
    {"Edit", "PlusCopy", "", "ActionPlusCopy", "追加コピー", "追加ｺﾋﾟｰ(&Q)"},
    {"Edit", "InyouCut", "", "ActionInyouCut", "引用符付き切り取り", "引用符付き切り取り(&X)..."},
    {"Edit", "InyouCopy", "", "ActionInyouCopy", "引用符付きコピー", "引用符付きｺﾋﾟｰ(&Y)..."},
    {"Edit", "InyouPaste", "", "ActionInyouPaste", "引用符付き貼り付け", "引用符付き貼り付け(&Z)..."},
    {"Edit", "BoxPaste", "", "ActionBoxPaste", "箱型貼り付け", "箱型貼り付け(&O)"},
    {"Edit", "DoubleCurLine", "", "ActionDoubleCurLine", "現在行二重化", "現在行二重化(&C)"},
    {"Edit", "DeleteCurLine", "", "ActionDeleteCurLine", "現在行削除", "現在行削除(&L)"},
    {"Edit", "DeleteCRLF", "", "ActionDeleteCRLF", "改行を削除", "改行を削除(&D)"},
    {"Edit", "Omoji", "", "ActionOmoji", "大文字に変換(ALPHABET)", "大文字に変換(ALPHABET)(&U)"},
    {"Edit", "Komoji", "", "ActionKomoji", "小文字に変換(alphabet)", "小文字に変換(alphabet)(&L)"},
    {"Edit", "Zenkaku", "", "ActionZenkaku", "全角に変換", "全角に変換(&D)"},
    {"Edit", "Hankaku", "", "ActionHankaku", "半角に変換", "半角に変換(&S)"},
    {"Edit", "Hiragana", "", "ActionHiragana", "ひらがなに変換", "ひらがなに変換(&H)"},
    {"Edit", "Katakana", "", "ActionKatakana", "カタカナに変換", "ｶﾀｶﾅに変換(&K)"},
    {"Edit", "Inyou", "", "ActionInyou", "引用符付き文字列に変換", "引用符付き文字列に変換(&Q)..."},
    {"Edit", "ReHenkan", "", "ActionReHenkan", "再変換", "再変換(&R)"},
    {"Edit", "InsertTime", "F5", "ActionInsertTime", "日付と時刻", "日付と時刻(&D)..."},
    {"Edit", "InsertSign", "F6", "ActionInsertSign", "署名", "署名(&S)..."},
    {"Edit", "InsertFile", "", "ActionInsertFile", "ファイル", "ﾌｧｲﾙ(&F)..."},
    {"Edit", "InsertStr", "F12", "ActionInsertStr", "定型文字列", "定型文字列(&W)..."},
    {"Edit", "TabIndent", "Ctrl+I", "ActionTabIndent", "タブインデント", "ﾀﾌﾞｲﾝﾃﾞﾝﾄ(&T)"},
    {"Edit", "TabUnindent", "Ctrl+U", "ActionTabUnindent", "タブアンインデント", "ﾀﾌﾞｱﾝｲﾝﾃﾞﾝﾄ(&B)"},
    {"Edit", "SpaceIndent", "Shift+Ctrl+I", "ActionSpaceIndent", "スペースインデント", "ｽﾍﾟｰｽｲﾝﾃﾞﾝﾄ(&I)"},
    {"Edit", "SpaceUnindent", "Shift+Ctrl+U", "ActionSpaceUnindent", "スペースアンインデント", "ｽﾍﾟｰｽｱﾝｲﾝﾃﾞﾝﾄ(&U)"},
    {"Edit", "UserInyou1", "", "ActionUserInyou", "行頭へ文字列を挿入", "行頭へ文字列を挿入(&Q)..."},
    {"Edit", "UserInyou2", "", "ActionUserInyou2", "行末へ文字列を挿入", "行末へ文字列を挿入(&E)..."},
    {"Edit", "AddCRLF", "", "ActionAddCRLF", "折り返し位置へ改行を挿入", "折り返し位置へ改行を挿入(&R)"},
    {"Edit", "AddLineNumToLine", "", "ActionAddLineNumToLine", "行頭へ行番号を挿入", "行頭へ行番号を挿入(&N)..."},
    // [Search]
    {"Search", "Find", "Ctrl+F", "ActionFind", "検索", "検索(&F)..."},
    {"Search", "FindNext", "F3", "ActionFindNext", "次を検索", "次を検索(&N)"},
    {"Search", "FindPrev", "Shift+F3", "ActionFindPrev", "前を検索", "前を検索(&P)"},
    {"Search", "Replace", "Ctrl+R", "ActionReplace", "置換", "置換(&R)..."},
    {"Search", "ShioriSet0", "Shift+Ctrl+0", "ActionShioriSet0", "しおり0", "しおり &0"},
    {"Search", "ShioriSet1", "Shift+Ctrl+1", "ActionShioriSet1", "しおり1", "しおり &1"},
    {"Search", "ShioriSet2", "Shift+Ctrl+2", "ActionShioriSet2", "しおり2", "しおり &2"},
    {"Search", "ShioriSet3", "Shift+Ctrl+3", "ActionShioriSet3", "しおり3", "しおり &3"},
    {"Search", "ShioriSet4", "Shift+Ctrl+4", "ActionShioriSet4", "しおり4", "しおり &4"},
    {"Search", "ShioriSet5", "Shift+Ctrl+5", "ActionShioriSet5", "しおり5", "しおり &5"},
    {"Search", "ShioriSet6", "Shift+Ctrl+6", "ActionShioriSet6", "しおり6", "しおり &6"},
    {"Search", "ShioriSet7", "Shift+Ctrl+7", "ActionShioriSet7", "しおり7", "しおり &7"},
    {"Search", "ShioriSet8", "Shift+Ctrl+8", "ActionShioriSet8", "しおり8", "しおり &8"},
    {"Search", "ShioriSet9", "Shift+Ctrl+9", "ActionShioriSet9", "しおり9", "しおり &9"},
    {"Search", "ShioriDelAll", "", "ActionShioriDelAll", "全しおり解除", "全しおり解除(&D)"},
    {"Search", "ShioriGo0", "Ctrl+0", "ActionShioriGo0", "しおり0", "しおり &0"},
    {"Search", "ShioriGo1", "Ctrl+1", "ActionShioriGo1", "しおり1", "しおり &1"},
    {"Search", "ShioriGo2", "Ctrl+2", "ActionShioriGo2", "しおり2", "しおり &2"},
    {"Search", "ShioriGo3", "Ctrl+3", "ActionShioriGo3", "しおり3", "しおり &3"},
    {"Search", "ShioriGo4", "Ctrl+4", "ActionShioriGo4", "しおり4", "しおり &4"},
    {"Search", "ShioriGo5", "Ctrl+5", "ActionShioriGo5", "しおり5", "しおり &5"},
    {"Search", "ShioriGo6", "Ctrl+6", "ActionShioriGo6", "しおり6", "しおり &6"},
    {"Search", "ShioriGo7", "Ctrl+7", "ActionShioriGo7", "しおり7", "しおり &7"},
    {"Search", "ShioriGo8", "Ctrl+8", "ActionShioriGo8", "しおり8", "しおり &8"},
    {"Search", "ShioriGo9", "Ctrl+9", "ActionShioriGo9", "しおり9", "しおり &9"},
    {"Search", "JumpTop", "Ctrl+Home", "ActionTopJump", "先頭行へ移動", "先頭行へ移動(&O)"},
    {"Search", "JumpBottom", "Ctrl+End", "ActionBottomJump", "最終行へ移動", "最終行へ移動(&B)"},
    {"Search", "Jump", "Ctrl+J", "ActionJump", "指定行へ移動", "指定行へ移動(&J)..."},
    {"Search", "Grep", "Ctrl+G", "ActionGrep", "Grepの実行", "Grepの実行(&D)..."},
    {"Search", "TagJump", "Ctrl+Enter", "ActionTagJump", "タグジャンプ", "ﾀｸﾞｼﾞｬﾝﾌﾟ(&A)"},
    // [View]
    {"View", "ToolBar1", "", "ActionToolBar1", "ツールバー 1", "ﾂｰﾙﾊﾞｰ 1(&T)"},
    {"View", "ToolBar2", "", "ActionToolBar2", "ツールバー 2", "ﾂｰﾙﾊﾞｰ 2(&B)"},
    {"View", "StatusBar", "", "ActionStatusBar", "ステータスバー", "ｽﾃｰﾀｽﾊﾞｰ(&S)"},
    {"View", "HintBar", "", "ActionHintBar", "ヒントバー", "ﾋﾝﾄﾊﾞｰ(&H)"},
    {"View", "NoWrap", "", "ActionNoWrap", "折り返さない", "折り返さない(&N)"},
    {"View", "Wrap", "", "ActionWrap", "指定文字数で折り返し", "指定文字数で折り返し(&C)"},
    {"View", "SetWrapByte", "", "ActionSetWrapByte", "折り返し文字数の指定", "折り返し文字数の指定(&S)..."},
    {"View", "WrapWindow", "", "ActionWrapWindow", "ウインドウの右端で折り返し", "ｳｲﾝﾄﾞｳの右端で折り返し(&W)"},
    {"View", "WrapByteWindow", "", "ActionWrapByteWindow", "ウインドウの右端に合わせる", "ｳｲﾝﾄﾞｳの右端に合わせる(&R)"},
    {"View", "FreeCursorMode", "", "ActionFreeCursorMode", "フリーカーソルモード", "ﾌﾘｰｶｰｿﾙﾓｰﾄﾞ(&F)"},
    {"View", "EditMode", "", "ActionEditMode", "編集モード", "編集ﾓｰﾄﾞ(&E)"},
    {"View", "OverWriteMode", "Ins", "ActionOverWriteMode", "上書きモード", "上書きﾓｰﾄﾞ(&O)"},
    // [Project]
    {"Project", "New", "", "ActionProjectNew", "プロジェクトの新規作成", "プロジェクトの新規作成"},
    {"Project", "Open", "", "ActionProjectOpen", "プロジェクトを開く", "プロジェクトを開く"},
    {"Project", "Save", "", "ActionProjectOverSave", "プロジェクトを上書き保存", "プロジェクトを上書き保存"},
    {"Project", "SaveAs", "", "ActionProjectSave", "プロジェクトに名前を付けて保存", "プロジェクトに名前を付けて保存"},
    {"Project", "MakeBox", "", "ActionProjectMakeBox", "このアイテムの下にボックスを作成", "このアイテムの下にボックスを作成"},
    {"Project", "MakeFolder", "", "ActionProjectMakeFolder", "このアイテムの下にフォルダを作成", "このアイテムの下にフォルダを作成"},
    {"Project", "MakeFile", "", "ActionProjectMakeFile", "このアイテムの下にファイルを作成", "このアイテムの下にファイルを作成"},
    {"Project", "LinkFile", "", "ActionProjectLinkFile", "リンク", "リンク"},
    {"Project", "ImportFile", "", "ActionProjectImportFile", "インポート", "インポート"},
    {"Project", "ItemCut", "", "ActionProjectItemCut", "アイテムを切り取り", "アイテムを切り取り"},
    {"Project", "ItemCopy", "", "ActionProjectItemCopy", "アイテムをコピー", "アイテムをコピー"},
    {"Project", "ItemPaste", "", "ActionProjectItemPaste", "アイテムを貼り付け", "アイテムを貼り付け"},
    {"Project", "ItemDelete", "", "ActionProjectItemDelete", "アイテムを削除", "アイテムを削除"},
    {"Project", "ItemProperty", "", "ActionProjectItemProperty", "アイテムの名前を変更", "アイテムの名前を変更"},
    {"Project", "ItemOpen", "", "ActionProjectItemOpen", "このアイテムを開く", "このアイテムを開く"},
    // [Tool]
    {"Tool", "ProjectManager", "", "ActionProjectManager", "プロジェクトマネージャ", "ﾌﾟﾛｼﾞｪｸﾄﾏﾈｰｼﾞｬ(&M)..."},
    {"Tool", "Command", "", "ActionCommand", "コマンド", "ｺﾏﾝﾄﾞ(&C)..."},
    {"Tool", "ClipView", "", "ActionClipView", "クリップボードビューア", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞﾋﾞｭｰｱ(&V)..."},
    {"Tool", "KeyMacRec", "Shift+Ctrl+R", "ActionKeyMacRec", "マクロ記録", "ﾏｸﾛ記録(&R)"},
    {"Tool", "KeyMacExe", "Shift+Ctrl+P", "ActionKeyMacExe", "マクロ実行", "ﾏｸﾛ実行(&X)"},
    {"Tool", "KeyMacLoad", "", "ActionKeyMacLoad", "マクロの読み込み", "ﾏｸﾛの読み込み(&L)..."},
    {"Tool", "KeyMacSave", "", "ActionKeyMacSave", "マクロの保存", "ﾏｸﾛの保存(&S)..."},
    {"Tool", "CharCode", "", "ActionCharCode", "文字コード", "文字ｺｰﾄﾞ(&H)..."},
    {"Tool", "FileProperty", "", "ActionFileProperty", "ファイルのプロパティー", "ﾌｧｲﾙのﾌﾟﾛﾊﾟﾃｨ(&P)..."},
    {"Tool", "FileMove", "", "ActionFileMove", "移動", "移動(&M)..."},
    {"Tool", "FileCopy", "", "ActionFileCopy", "コピー", "ｺﾋﾟｰ(&C)..."},
    {"Tool", "FileRename", "", "ActionFileRename", "リネーム", "ﾘﾈｰﾑ(&R)..."},
    {"Tool", "FileDelete", "", "ActionFileDelete", "ごみ箱", "ごみ箱(&D)"},
    {"Tool", "FileMoveRename", "", "ActionFileMoveRename", "移動 & リネーム", "移動 && ﾘﾈｰﾑ(&F)..."},
    {"Tool", "FileCopyRename", "", "ActionFileCopyRename", "コピー & リネーム", "ｺﾋﾟｰ && ﾘﾈｰﾑ(&E)..."},
    {"Tool", "TimeStmp", "", "ActionTimeStmp", "タイムスタンプマネージャ", "ﾀｲﾑｽﾀﾝﾌﾟﾏﾈｰｼﾞｬ(&N)..."},
    {"Tool", "EditorOption", "", "ActionEdtOption", "エディタオプション", "ｴﾃﾞｨﾀｵﾌﾟｼｮﾝ(&E)..."},
    {"Tool", "EnvironmentOption", "", "ActionOption", "環境オプション", "環境ｵﾌﾟｼｮﾝ(&O)..."},
    // [Window]
    {"Window", "NextDoc", "Ctrl+Tab", "ActionNextDoc", "次のドキュメント", "次のﾄﾞｷｭﾒﾝﾄ(&N)"},
    {"Window", "PrevDoc", "Shift+Ctrl+Tab", "ActionPrevDoc", "前のドキュメント", "前のﾄﾞｷｭﾒﾝﾄ(&P)"},
    {"Window", "FirstDoc", "", "ActionFirstDoc", "先頭のドキュメント", "先頭のﾄﾞｷｭﾒﾝﾄ(&F)"},
    {"Window", "LastDoc", "", "ActionLastDoc", "末尾のドキュメント", "末尾のﾄﾞｷｭﾒﾝﾄ(&L)"},
    {"Window", "AllDocs", "", "ActionAllDocs", "すべてのドキュメント", "すべてのﾄﾞｷｭﾒﾝﾄ(&A)"},
    {"Window", "Split", "", "ActionSplit", "ウインドウを分割", "ｳｲﾝﾄﾞｳを分割(&V)"},
    {"Window", "StayOnTop", "", "ActionStayOnTop", "常に最前面に表示", "常に最前面に表示(&T)"},
    {"Window", "QxEditor", "", "ActionQxEditor", "新しいウインドウ", "新しいｳｲﾝﾄﾞｳ(&W)"},
    // [Help]
    {"Help", "Help", "F1", "ActionHelp", "目次", "目次(&C)"},
    {"Help", "KeyWord", "", "ActionKeyWord", "キーワード検索", "ｷｰﾜｰﾄﾞ検索(&N)"},
    {"Help", "OnePoint", "", "ActionOnePoint", "ワンポイント", "ﾜﾝﾎﾟｲﾝﾄ(&P)..."},
    {"Help", "Version", "", "ActionVersion", "バージョン情報", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    // [Other]
    {"Other", "CutSub", "Shift+Del", "ActionCutKeySub", "切り取り", "切り取り(&T)"},
    {"Other", "CopySub", "Ctrl+Ins", "ActionCopyKeySub", "コピー", "ｺﾋﾟｰ(&C)"},
    {"Other", "PasteSub", "Shift+Ins", "ActionPasteKeySub", "貼り付け", "貼り付け(&P)"},
    {"Other", "CaretUp", "", "ActionCaretUp", "カーソル上移動", "カーソル上移動"},
    {"Other", "CaretDown", "", "ActionCaretDown", "カーソル下移動", "カーソル下移動"},
    {"Other", "CaretRight", "", "ActionCaretRight", "カーソル右移動", "カーソル右移動"},
    {"Other", "CaretLeft", "", "ActionCaretLeft", "カーソル左移動", "カーソル左移動"},
    // Actions without an assignable key.
    {"View", "", "", "ActionWordWrap", "折り返しモード", "折り返しﾓｰﾄﾞ(&W)"},
    {"View", "", "", "ActionEditorEnvironment", "エディタ環境", "ｴﾃﾞｨﾀ環境(&Z)"},
    {"Window", "", "", "ActionDocMove", "ドキュメントの移動", "ﾄﾞｷｭﾒﾝﾄの移動(&D)"},
    {"Tool", "", "", "ActionFileOperate", "ファイル操作", "ﾌｧｲﾙ操作(&F)"},
    {"Help", "", "", "ActionMail", "作者にメールを作成", "作者にﾒｰﾙを作成(&M)"},
    {"Help", "", "", "ActionHome", "作者のホームページを表示", "作者のﾎｰﾑﾍﾟｰｼﾞを表示(&H)"},
    {"Project", "", "", "ActionProjectItemExport", "エクスポート", "エクスポート"},
    {"Other", "", "Shift+Alt+Right", "ActionKeyBoxSelectRight", "矩形選択(右)", "矩形選択(右)"},
    {"Other", "", "Shift+Alt+Left", "ActionKeyBoxSelectLeft", "矩形選択(左)", "矩形選択(左)"},
    {"Other", "", "Shift+Alt+Up", "ActionKeyBoxSelectUp", "矩形選択(上)", "矩形選択(上)"},
    {"Other", "", "Shift+Alt+Down", "ActionKeyBoxSelectDown", "矩形選択(下)", "矩形選択(下)"},
};
static_assert(std::size(kTable) == ActionCount);

// The dialog's tree, one line per section: the section's caption, then its children by key name in the
// dialog's order; "{caption: ...}" is a group node with its commands.
struct TreeSection {
    std::string_view Section;
    std::string_view Caption;
    std::string_view Children;
};

constexpr TreeSection kTree[] = {
    {"File", "ファイル",
     "New Open Favorite KanrenOpen {読み直す: EditAgainFirst} Save SaveAs AllSave SaveAsHTML Close AllClose "
     "PrintPreview Print SendMail CloseQxEditor ShutQxEditor"},
    {"Edit", "編集",
     "Undo Redo Cut Copy Paste Delete AllSelect BoxSelectMode "
     "{その他の選択: StartToLine1 StartToLine2 SelectNowLine LineToEnd2 LineToEnd1 SelectWord} "
     "{高度な編集: PlusCut PlusCopy InyouCut InyouCopy InyouPaste BoxPaste DoubleCurLine DeleteCurLine DeleteCRLF} "
     "{変換: Omoji Komoji Zenkaku Hankaku Hiragana Katakana Inyou ReHenkan} "
     "{挿入: InsertTime InsertSign InsertStr InsertFile TabIndent TabUnindent SpaceIndent SpaceUnindent "
     "UserInyou1 UserInyou2 AddCRLF AddLineNumToLine}"},
    {"Search", "検索",
     "Find FindNext FindPrev Replace "
     "{しおりの設定: ShioriSet0 ShioriSet1 ShioriSet2 ShioriSet3 ShioriSet4 ShioriSet5 ShioriSet6 ShioriSet7 "
     "ShioriSet8 ShioriSet9 ShioriDelAll} "
     "{しおりに移動: ShioriGo0 ShioriGo1 ShioriGo2 ShioriGo3 ShioriGo4 ShioriGo5 ShioriGo6 ShioriGo7 ShioriGo8 "
     "ShioriGo9} JumpTop JumpBottom Jump Grep TagJump"},
    {"View", "表示",
     "ToolBar1 ToolBar2 StatusBar HintBar {折り返しモード: NoWrap Wrap WrapWindow SetWrapByte WrapByteWindow} "
     "FreeCursorMode EditMode OverWriteMode"},
    {"Project", "プロジェクト",
     "ItemOpen New Open Save SaveAs MakeBox MakeFolder MakeFile {このアイテムの下にファイルを登録: LinkFile "
     "ImportFile} ItemCut ItemCopy ItemPaste ItemDelete ItemProperty"},
    {"Tool", "ツール",
     "ProjectManager Command ClipView {キーマクロ: KeyMacRec KeyMacExe KeyMacLoad KeyMacSave} CharCode "
     "FileProperty {ファイル操作: FileMove FileCopy FileRename FileDelete FileMoveRename FileCopyRename} "
     "TimeStmp EditorOption EnvironmentOption"},
    {"Window", "ウインドウ", "NextDoc PrevDoc FirstDoc LastDoc AllDocs Split StayOnTop QxEditor"},
    {"Help", "ヘルプ", "Help KeyWord OnePoint Version"},
    {"Other", "その他", "CutSub CopySub PasteSub CaretUp CaretDown CaretRight CaretLeft"},
};

std::vector<TKeyTreeNode> BuildTree()
{
    std::vector<TKeyTreeNode> nodes;
    for (const TreeSection& section : kTree) {
        nodes.push_back({section.Caption, 0, -1});
        std::string_view rest = section.Children;
        int level = 1;
        while (!rest.empty()) {
            if (rest.front() == ' ') {
                rest.remove_prefix(1);
                continue;
            }
            if (rest.front() == '{') {
                const std::size_t colon = rest.find(':');
                nodes.push_back({rest.substr(1, colon - 1), 1, -1});
                rest.remove_prefix(colon + 1);
                level = 2;
                continue;
            }
            std::size_t end = rest.find_first_of(" }");
            if (end == std::string_view::npos) end = rest.size();
            const int row = FindCommand(section.Section, rest.substr(0, end));
            if (row < 0) throw std::logic_error("key tree names an unknown command");
            nodes.push_back({kTable[row].Caption, level, row});
            rest.remove_prefix(end);
            if (!rest.empty() && rest.front() == '}') {
                rest.remove_prefix(1);
                level = 1;
            }
        }
    }
    return nodes;
}

} // namespace

std::span<const TCommandShortCut> CommandShortCutTable()
{
    return std::span<const TCommandShortCut>(kTable).first(CommandCount);
}

std::span<const TCommandShortCut> ActionTable()
{
    return kTable;
}

int FindAction(std::string_view action)
{
    for (int row = 0; row < ActionCount; ++row)
        if (kTable[row].Action == action) return row;
    return -1;
}

std::string_view ActionCategory(int row)
{
    const std::string_view section = kTable[static_cast<std::size_t>(row)].Section;
    for (std::size_t i = 0; i < kSections.size(); ++i)
        if (kSections[i] == section) return kCategories[i];
    return {};
}

std::span<const std::string_view> CommandSections()
{
    return kSections;
}

int FindCommandByAction(std::string_view action)
{
    const int row = FindAction(action);
    return row < CommandCount ? row : -1;
}

int FindCommand(std::string_view section, std::string_view name)
{
    for (int row = 0; row < CommandCount; ++row)
        if (SameText(kTable[row].Section, section) && SameText(kTable[row].Name, name)) return row;
    return -1;
}

std::span<const TKeyTreeNode> KeySetTree()
{
    static const std::vector<TKeyTreeNode> tree = BuildTree();
    return tree;
}

} // namespace qx
