#include "mainwindow/bars/MainMenu.h"

#include "dialogs/CommandTable.h"

#include <stdexcept>
#include <string>

namespace qx {

namespace {

// One line per top-level menu: its object name, caption and items. An item is an action's name, "-" a
// separator, "@Name" a slot the window fills, "{Name|Caption: ...}" a sub-menu and "{Name=Action: ...}"
// a sub-menu that stands for a command (its caption is the command's).
struct TMenuLine {
    std::string_view Name;
    std::string_view Caption;
    std::string_view Items;
};

constexpr TMenuLine kMenus[] = {
    {"FileMenu", "ファイル(&F)",
     "ActionNew ActionOpen ActionFavorite ActionKanrenOpen "
     "{ReloadMenu|開き直す(&R): ActionEditAgainFirst - @ReloadCodes} - "
     "ActionSave ActionSaveAs ActionAllSave ActionSaveAsHTML - ActionClose ActionAllClose - "
     "ActionPrintPreview ActionPrint ActionSendMail - "
     "{RecentFilesMenu|最近使ったﾌｧｲﾙ(&I): @RecentFiles} {RecentDirsMenu|最近使ったﾌｫﾙﾀﾞ(&D): @RecentDirs} - "
     "ActionCloseQxEditor ActionShutQxEditor"},
    {"EditMenu", "編集(&E)",
     "ActionUndo ActionRedo - ActionCut ActionCopy ActionPaste ActionDelete - ActionAllSelect ActionBoxSelectMode "
     "{SelectMenu|その他の選択(&O): ActionStartToLine ActionStartToLine2 ActionSelectNowLine ActionLineToEnd2 "
     "ActionLineToEnd ActionSelectWord} - "
     "{AdvancedEditMenu|高度な編集(&H): ActionPlusCut ActionPlusCopy - ActionInyouCut ActionInyouCopy "
     "ActionInyouPaste - ActionBoxPaste - ActionDoubleCurLine ActionDeleteCurLine ActionDeleteCRLF} "
     "{ConvertMenu|変換(&V): ActionOmoji ActionKomoji ActionZenkaku ActionHankaku ActionHiragana ActionKatakana - "
     "ActionInyou - ActionReHenkan} "
     "{InsertMenu|挿入(&I): ActionInsertTime ActionInsertSign ActionInsertStr ActionInsertFile - "
     "ActionUserInyou ActionUserInyou2 ActionAddCRLF ActionAddLineNumToLine} "
     "{IndentMenu|ｲﾝﾃﾞﾝﾄ(&N): ActionTabIndent ActionTabUnindent ActionSpaceIndent ActionSpaceUnindent}"},
    {"SearchMenu", "検索(&S)",
     "ActionFind ActionFindNext ActionFindPrev ActionReplace - "
     "{ShioriSetMenu|しおりの設定(&M): ActionShioriSet0 ActionShioriSet1 ActionShioriSet2 ActionShioriSet3 "
     "ActionShioriSet4 ActionShioriSet5 ActionShioriSet6 ActionShioriSet7 ActionShioriSet8 ActionShioriSet9 - "
     "ActionShioriDelAll} "
     "{ShioriGoMenu|しおりに移動(&G): ActionShioriGo0 ActionShioriGo1 ActionShioriGo2 ActionShioriGo3 "
     "ActionShioriGo4 ActionShioriGo5 ActionShioriGo6 ActionShioriGo7 ActionShioriGo8 ActionShioriGo9} - "
     "ActionTopJump ActionBottomJump ActionJump - ActionGrep ActionTagJump"},
    {"FormatMenu", "表示(&V)",
     "ActionToolBar1 ActionToolBar2 ActionStatusBar ActionHintBar - "
     "{WrapMenu=ActionWordWrap: ActionNoWrap ActionWrap ActionWrapWindow - ActionSetWrapByte ActionWrapByteWindow} "
     "{EnvMenu=ActionEditorEnvironment: @Environments} - "
     "ActionFreeCursorMode ActionEditMode ActionOverWriteMode"},
    {"ProjectMenu", "ﾌﾟﾛｼﾞｪｸﾄ(&P)",
     "ActionProjectNew ActionProjectOpen ActionProjectOverSave ActionProjectSave - "
     "{RecentProjectsMenu|最近使ったﾌﾟﾛｼﾞｪｸﾄ(&R): @RecentProjects} - "
     "ActionProjectItemOpen - ActionProjectMakeBox ActionProjectMakeFolder ActionProjectMakeFile "
     "{ProjectRegisterMenu|このアイテムの下にファイルを登録: ActionProjectLinkFile ActionProjectImportFile} "
     "ActionProjectItemExport - ActionProjectItemCut ActionProjectItemCopy ActionProjectItemPaste "
     "ActionProjectItemDelete ActionProjectItemProperty"},
    {"ToolMenu", "ﾂｰﾙ(&T)",
     "ActionProjectManager ActionCommand ActionClipView - "
     "{KeyMacroMenu|ｷｰﾏｸﾛ(&K): ActionKeyMacRec ActionKeyMacExe @MacroClear - ActionKeyMacLoad ActionKeyMacSave} "
     "ActionCharCode - ActionFileProperty "
     "{FileOperateMenu=ActionFileOperate: ActionFileMove ActionFileCopy ActionFileRename ActionFileDelete - "
     "ActionFileMoveRename ActionFileCopyRename} ActionTimeStmp - @Customize - ActionEdtOption ActionOption"},
    {"WindowMenu", "ｳｲﾝﾄﾞｳ(&W)",
     "ActionNextDoc ActionPrevDoc ActionFirstDoc ActionLastDoc ActionAllDocs "
     "{DocMoveMenu=ActionDocMove: @DocMoves} - ActionSplit ActionStayOnTop - ActionQxEditor"},
    {"HelpMenu", "ﾍﾙﾌﾟ(&H)",
     "ActionHelp ActionKeyWord - ActionOnePoint - ActionMail ActionHome - ActionVersion"},
};

class TMenuParser {
public:
    explicit TMenuParser(std::string_view Text) : FRest(Text) {}

    // The items up to the end or up to the "}" that closes the current sub-menu.
    std::vector<TMenuNode> Items()
    {
        std::vector<TMenuNode> items;
        for (;;) {
            while (!FRest.empty() && FRest.front() == ' ') FRest.remove_prefix(1);
            if (FRest.empty()) return items;
            if (FRest.front() == '}') {
                FRest.remove_prefix(1);
                return items;
            }
            if (FRest.front() == '{') {
                items.push_back(SubMenu());
                continue;
            }
            std::size_t end = FRest.find_first_of(" }");
            if (end == std::string_view::npos) end = FRest.size();
            const std::string_view word = FRest.substr(0, end);
            FRest.remove_prefix(end);
            TMenuNode node;
            if (word == "-") {
                node.Kind = TMenuNodeKind::Separator;
            } else if (word.front() == '@') {
                node.Kind = TMenuNodeKind::Slot;
                node.Name = word.substr(1);
            } else {
                if (FindAction(word) < 0) throw std::logic_error("menu item without an action: " + std::string(word));
                node.Name = word;
            }
            items.push_back(std::move(node));
        }
    }

private:
    TMenuNode SubMenu()
    {
        const std::size_t colon = FRest.find(':');
        const std::string_view head = FRest.substr(1, colon - 1);
        FRest.remove_prefix(colon + 1);
        TMenuNode node;
        node.Kind = TMenuNodeKind::SubMenu;
        const std::size_t bar = head.find_first_of("|=");
        node.Name = head.substr(0, bar);
        if (head[bar] == '=') {
            node.Command = head.substr(bar + 1);
            const int row = FindAction(node.Command);
            if (row < 0) throw std::logic_error("sub-menu without an action: " + std::string(node.Command));
            node.Caption = ActionTable()[static_cast<std::size_t>(row)].MenuCaption;
        } else {
            node.Caption = head.substr(bar + 1);
        }
        node.Children = Items();
        return node;
    }

    std::string_view FRest;
};

std::vector<TMenuNode> BuildTree()
{
    std::vector<TMenuNode> menus;
    for (const TMenuLine& line : kMenus) {
        TMenuNode menu;
        menu.Kind = TMenuNodeKind::SubMenu;
        menu.Name = line.Name;
        menu.Caption = line.Caption;
        menu.Children = TMenuParser(line.Items).Items();
        menus.push_back(std::move(menu));
    }
    return menus;
}

void CollectActions(std::span<const TMenuNode> Nodes, std::vector<std::string_view>& Out)
{
    for (const TMenuNode& node : Nodes) {
        if (node.Kind == TMenuNodeKind::Action) Out.push_back(node.Name);
        if (node.Kind != TMenuNodeKind::SubMenu) continue;
        if (!node.Command.empty()) Out.push_back(node.Command);
        CollectActions(node.Children, Out);
    }
}

} // namespace

std::span<const TMenuNode> MainMenuTree()
{
    static const std::vector<TMenuNode> tree = BuildTree();
    return tree;
}

std::vector<std::string_view> MainMenuActions()
{
    std::vector<std::string_view> actions;
    CollectActions(MainMenuTree(), actions);
    return actions;
}

std::string_view MenuKeyPart(std::string_view MenuText)
{
    const std::size_t tab = MenuText.find('\t');
    return tab == std::string_view::npos ? std::string_view() : MenuText.substr(tab + 1);
}

std::string PlainMenuCaption(std::string_view MenuText)
{
    std::string_view caption = MenuText.substr(0, MenuText.find('\t'));
    if (caption.ends_with("...")) caption.remove_suffix(3);
    if (caption.size() >= 4 && caption.substr(caption.size() - 4, 2) == "(&" && caption.back() == ')')
        caption.remove_suffix(4);
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') plain += '&';
            ++i;
            if (i < caption.size() && caption[i] != '&') plain += caption[i];
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

bool ActionBelongsInMenu(int Row) { return ActionCategory(Row) != "特殊"; }

} // namespace qx
