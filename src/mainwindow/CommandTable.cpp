#include "mainwindow/CommandTable.h"

#include "platform/StringList.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace qx {

namespace {

constexpr std::array<std::string_view, 9> kSections = {"File", "Edit", "Search", "View", "Project",
                                                       "Tool", "Window", "Help", "Other"};

constexpr TCommandShortCut kTable[] = {
    // [File]
    {"File", "New", "Ctrl+N", "ActionNew", "新規作成"},
    {"File", "Open", "Ctrl+O", "ActionOpen", "開く"},
    {"File", "KanrenOpen", "", "ActionKanrenOpen", "関連付けから開く"},
    {"File", "Save", "Ctrl+S", "ActionSave", "上書き保存"},
    {"File", "Favorite", "", "ActionFavorite", "お気に入りから開く"},
    {"File", "SaveAs", "", "ActionSaveAs", "名前を付けて保存"},
    {"File", "AllSave", "", "ActionAllSave", "すべて保存"},
    {"File", "SaveAsHTML", "", "ActionSaveAsHTML", "HTML形式で保存"},
    {"File", "Close", "Ctrl+F4", "ActionClose", "閉じる"},
    {"File", "AllClose", "", "ActionAllClose", "すべて閉じる"},
    {"File", "PrintPreview", "", "ActionPrintPreview", "印刷プレビュー"},
    {"File", "Print", "Ctrl+P", "ActionPrint", "印刷"},
    {"File", "SendMail", "", "ActionSendMail", "メーラへ送信"},
    {"File", "CloseQxEditor", "", "ActionCloseQxEditor", "閉じてタスクトレイへ"},
    {"File", "ShutQxEditor", "", "ActionShutQxEditor", "QxEditorの終了"},
    {"File", "EditAgainFirst", "", "ActionEditAgainFirst", "現在の漢字コード"},
    // [Edit]
    {"Edit", "Undo", "Ctrl+Z", "ActionUndo", "元に戻す"},
    {"Edit", "Redo", "Ctrl+Y", "ActionRedo", "やり直す"},
    {"Edit", "Cut", "Ctrl+X", "ActionCut", "切り取り"},
    {"Edit", "Copy", "Ctrl+C", "ActionCopy", "コピー"},
    {"Edit", "Paste", "Ctrl+V", "ActionPaste", "貼り付け"},
    {"Edit", "Delete", "", "ActionDelete", "削除"},
    {"Edit", "AllSelect", "Ctrl+A", "ActionAllSelect", "すべて選択"},
    {"Edit", "BoxSelectMode", "Ctrl+B", "ActionBoxSelectMode", "矩形選択"},
    {"Edit", "StartToLine1", "", "ActionStartToLine", "文章先頭まで選択"},
    {"Edit", "StartToLine2", "", "ActionStartToLine2", "行頭の桁まで選択"},
    {"Edit", "SelectNowLine", "", "ActionSelectNowLine", "現在行選択"},
    {"Edit", "LineToEnd1", "", "ActionLineToEnd", "文章末尾まで選択"},
    {"Edit", "LineToEnd2", "", "ActionLineToEnd2", "行末の桁まで選択"},
    {"Edit", "SelectWord", "", "ActionSelectWord", "現在位置の単語選択"},
    {"Edit", "PlusCut", "", "ActionPlusCut", "追加切り取り"},
    {"Edit", "PlusCopy", "", "ActionPlusCopy", "追加コピー"},
    {"Edit", "InyouCut", "", "ActionInyouCut", "引用符付き切り取り"},
    {"Edit", "InyouCopy", "", "ActionInyouCopy", "引用符付きコピー"},
    {"Edit", "InyouPaste", "", "ActionInyouPaste", "引用符付き貼り付け"},
    {"Edit", "BoxPaste", "", "ActionBoxPaste", "箱型貼り付け"},
    {"Edit", "DoubleCurLine", "", "ActionDoubleCurLine", "現在行二重化"},
    {"Edit", "DeleteCurLine", "", "ActionDeleteCurLine", "現在行削除"},
    {"Edit", "DeleteCRLF", "", "ActionDeleteCRLF", "改行を削除"},
    {"Edit", "Omoji", "", "ActionOmoji", "大文字に変換(ALPHABET)"},
    {"Edit", "Komoji", "", "ActionKomoji", "小文字に変換(alphabet)"},
    {"Edit", "Zenkaku", "", "ActionZenkaku", "全角に変換"},
    {"Edit", "Hankaku", "", "ActionHankaku", "半角に変換"},
    {"Edit", "Hiragana", "", "ActionHiragana", "ひらがなに変換"},
    {"Edit", "Katakana", "", "ActionKatakana", "カタカナに変換"},
    {"Edit", "Inyou", "", "ActionInyou", "引用符付き文字列に変換"},
    {"Edit", "ReHenkan", "", "ActionReHenkan", "再変換"},
    {"Edit", "InsertTime", "F5", "ActionInsertTime", "日付と時刻"},
    {"Edit", "InsertSign", "F6", "ActionInsertSign", "署名"},
    {"Edit", "InsertFile", "", "ActionInsertFile", "ファイル"},
    {"Edit", "InsertStr", "F12", "ActionInsertStr", "定型文字列"},
    {"Edit", "TabIndent", "Ctrl+I", "ActionTabIndent", "タブインデント"},
    {"Edit", "TabUnindent", "Ctrl+U", "ActionTabUnindent", "タブアンインデント"},
    {"Edit", "SpaceIndent", "Shift+Ctrl+I", "ActionSpaceIndent", "スペースインデント"},
    {"Edit", "SpaceUnindent", "Shift+Ctrl+U", "ActionSpaceUnindent", "スペースアンインデント"},
    {"Edit", "UserInyou1", "", "ActionUserInyou", "行頭へ文字列を挿入"},
    {"Edit", "UserInyou2", "", "ActionUserInyou2", "行末へ文字列を挿入"},
    {"Edit", "AddCRLF", "", "ActionAddCRLF", "折り返し位置へ改行を挿入"},
    {"Edit", "AddLineNumToLine", "", "ActionAddLineNumToLine", "行頭へ行番号を挿入"},
    // [Search]
    {"Search", "Find", "Ctrl+F", "ActionFind", "検索"},
    {"Search", "FindNext", "F3", "ActionFindNext", "次を検索"},
    {"Search", "FindPrev", "Shift+F3", "ActionFindPrev", "前を検索"},
    {"Search", "Replace", "Ctrl+R", "ActionReplace", "置換"},
    {"Search", "ShioriSet0", "Shift+Ctrl+0", "ActionShioriSet0", "しおり0"},
    {"Search", "ShioriSet1", "Shift+Ctrl+1", "ActionShioriSet1", "しおり1"},
    {"Search", "ShioriSet2", "Shift+Ctrl+2", "ActionShioriSet2", "しおり2"},
    {"Search", "ShioriSet3", "Shift+Ctrl+3", "ActionShioriSet3", "しおり3"},
    {"Search", "ShioriSet4", "Shift+Ctrl+4", "ActionShioriSet4", "しおり4"},
    {"Search", "ShioriSet5", "Shift+Ctrl+5", "ActionShioriSet5", "しおり5"},
    {"Search", "ShioriSet6", "Shift+Ctrl+6", "ActionShioriSet6", "しおり6"},
    {"Search", "ShioriSet7", "Shift+Ctrl+7", "ActionShioriSet7", "しおり7"},
    {"Search", "ShioriSet8", "Shift+Ctrl+8", "ActionShioriSet8", "しおり8"},
    {"Search", "ShioriSet9", "Shift+Ctrl+9", "ActionShioriSet9", "しおり9"},
    {"Search", "ShioriDelAll", "", "ActionShioriDelAll", "全しおり解除"},
    {"Search", "ShioriGo0", "Ctrl+0", "ActionShioriGo0", "しおり0"},
    {"Search", "ShioriGo1", "Ctrl+1", "ActionShioriGo1", "しおり1"},
    {"Search", "ShioriGo2", "Ctrl+2", "ActionShioriGo2", "しおり2"},
    {"Search", "ShioriGo3", "Ctrl+3", "ActionShioriGo3", "しおり3"},
    {"Search", "ShioriGo4", "Ctrl+4", "ActionShioriGo4", "しおり4"},
    {"Search", "ShioriGo5", "Ctrl+5", "ActionShioriGo5", "しおり5"},
    {"Search", "ShioriGo6", "Ctrl+6", "ActionShioriGo6", "しおり6"},
    {"Search", "ShioriGo7", "Ctrl+7", "ActionShioriGo7", "しおり7"},
    {"Search", "ShioriGo8", "Ctrl+8", "ActionShioriGo8", "しおり8"},
    {"Search", "ShioriGo9", "Ctrl+9", "ActionShioriGo9", "しおり9"},
    {"Search", "JumpTop", "Ctrl+Home", "ActionTopJump", "先頭行へ移動"},
    {"Search", "JumpBottom", "Ctrl+End", "ActionBottomJump", "最終行へ移動"},
    {"Search", "Jump", "Ctrl+J", "ActionJump", "指定行へ移動"},
    {"Search", "Grep", "Ctrl+G", "ActionGrep", "Grepの実行"},
    {"Search", "TagJump", "Ctrl+Enter", "ActionTagJump", "タグジャンプ"},
    // [View]
    {"View", "ToolBar1", "", "ActionToolBar1", "ツールバー 1"},
    {"View", "ToolBar2", "", "ActionToolBar2", "ツールバー 2"},
    {"View", "StatusBar", "", "ActionStatusBar", "ステータスバー"},
    {"View", "HintBar", "", "ActionHintBar", "ヒントバー"},
    {"View", "NoWrap", "", "ActionNoWrap", "折り返さない"},
    {"View", "Wrap", "", "ActionWrap", "指定文字数で折り返し"},
    {"View", "SetWrapByte", "", "ActionSetWrapByte", "折り返し文字数の指定"},
    {"View", "WrapWindow", "", "ActionWrapWindow", "ウインドウの右端で折り返し"},
    {"View", "WrapByteWindow", "", "ActionWrapByteWindow", "ウインドウの右端に合わせる"},
    {"View", "FreeCursorMode", "", "ActionFreeCursorMode", "フリーカーソルモード"},
    {"View", "EditMode", "", "ActionEditMode", "編集モード"},
    {"View", "OverWriteMode", "Ins", "ActionOverWriteMode", "上書きモード"},
    // [Project]
    {"Project", "New", "", "ActionProjectNew", "プロジェクトの新規作成"},
    {"Project", "Open", "", "ActionProjectOpen", "プロジェクトを開く"},
    {"Project", "Save", "", "ActionProjectOverSave", "プロジェクトを上書き保存"},
    {"Project", "SaveAs", "", "ActionProjectSave", "プロジェクトに名前を付けて保存"},
    {"Project", "MakeBox", "", "ActionProjectMakeBox", "このアイテムの下にボックスを作成"},
    {"Project", "MakeFolder", "", "ActionProjectMakeFolder", "このアイテムの下にフォルダを作成"},
    {"Project", "MakeFile", "", "ActionProjectMakeFile", "このアイテムの下にファイルを作成"},
    {"Project", "LinkFile", "", "ActionProjectLinkFile", "リンク"},
    {"Project", "ImportFile", "", "ActionProjectImportFile", "インポート"},
    {"Project", "ItemCut", "", "ActionProjectItemCut", "アイテムを切り取り"},
    {"Project", "ItemCopy", "", "ActionProjectItemCopy", "アイテムをコピー"},
    {"Project", "ItemPaste", "", "ActionProjectItemPaste", "アイテムを貼り付け"},
    {"Project", "ItemDelete", "", "ActionProjectItemDelete", "アイテムを削除"},
    {"Project", "ItemProperty", "", "ActionProjectItemProperty", "アイテムの名前を変更"},
    {"Project", "ItemOpen", "", "ActionProjectItemOpen", "このアイテムを開く"},
    // [Tool]
    {"Tool", "ProjectManager", "", "ActionProjectManager", "プロジェクトマネージャ"},
    {"Tool", "Command", "", "ActionCommand", "コマンド"},
    {"Tool", "ClipView", "", "ActionClipView", "クリップボードビューア"},
    {"Tool", "KeyMacRec", "Shift+Ctrl+R", "ActionKeyMacRec", "マクロ記録"},
    {"Tool", "KeyMacExe", "Shift+Ctrl+P", "ActionKeyMacExe", "マクロ実行"},
    {"Tool", "KeyMacLoad", "", "ActionKeyMacLoad", "マクロの読み込み"},
    {"Tool", "KeyMacSave", "", "ActionKeyMacSave", "マクロの保存"},
    {"Tool", "CharCode", "", "ActionCharCode", "文字コード"},
    {"Tool", "FileProperty", "", "ActionFileProperty", "ファイルのプロパティー"},
    {"Tool", "FileMove", "", "ActionFileMove", "移動"},
    {"Tool", "FileCopy", "", "ActionFileCopy", "コピー"},
    {"Tool", "FileRename", "", "ActionFileRename", "リネーム"},
    {"Tool", "FileDelete", "", "ActionFileDelete", "ごみ箱"},
    {"Tool", "FileMoveRename", "", "ActionFileMoveRename", "移動 & リネーム"},
    {"Tool", "FileCopyRename", "", "ActionFileCopyRename", "コピー & リネーム"},
    {"Tool", "TimeStmp", "", "ActionTimeStmp", "タイムスタンプマネージャ"},
    {"Tool", "EditorOption", "", "ActionEdtOption", "エディタオプション"},
    {"Tool", "EnvironmentOption", "", "ActionOption", "環境オプション"},
    // [Window]
    {"Window", "NextDoc", "Ctrl+Tab", "ActionNextDoc", "次のドキュメント"},
    {"Window", "PrevDoc", "Shift+Ctrl+Tab", "ActionPrevDoc", "前のドキュメント"},
    {"Window", "FirstDoc", "", "ActionFirstDoc", "先頭のドキュメント"},
    {"Window", "LastDoc", "", "ActionLastDoc", "末尾のドキュメント"},
    {"Window", "AllDocs", "", "ActionAllDocs", "すべてのドキュメント"},
    {"Window", "Split", "", "ActionSplit", "ウインドウを分割"},
    {"Window", "StayOnTop", "", "ActionStayOnTop", "常に最前面に表示"},
    {"Window", "QxEditor", "", "ActionQxEditor", "新しいウインドウ"},
    // [Help]
    {"Help", "Help", "F1", "ActionHelp", "目次"},
    {"Help", "KeyWord", "", "ActionKeyWord", "キーワード検索"},
    {"Help", "OnePoint", "", "ActionOnePoint", "ワンポイント"},
    {"Help", "Version", "", "ActionVersion", "バージョン情報"},
    // [Other]
    {"Other", "CutSub", "Shift+Del", "ActionCutKeySub", "切り取り"},
    {"Other", "CopySub", "Ctrl+Ins", "ActionCopyKeySub", "コピー"},
    {"Other", "PasteSub", "Shift+Ins", "ActionPasteKeySub", "貼り付け"},
    {"Other", "CaretUp", "", "ActionCaretUp", "カーソル上移動"},
    {"Other", "CaretDown", "", "ActionCaretDown", "カーソル下移動"},
    {"Other", "CaretRight", "", "ActionCaretRight", "カーソル右移動"},
    {"Other", "CaretLeft", "", "ActionCaretLeft", "カーソル左移動"},
};
static_assert(std::size(kTable) == CommandCount);

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
    return kTable;
}

std::span<const std::string_view> CommandSections()
{
    return kSections;
}

int FindCommandByAction(std::string_view action)
{
    for (int row = 0; row < CommandCount; ++row)
        if (kTable[row].Action == action) return row;
    return -1;
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
