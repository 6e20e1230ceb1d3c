#include "mainwindow/bars/UserToolBars.h"

#include "documents/ToolBarFile.h"
#include "mainwindow/bars/MainMenu.h"

#include <array>

namespace qx {

namespace {

// Command numbers 0..82; 42, 43 and 49 run nothing.
constexpr std::array<std::string_view, LastToolCommandIndex + 1> kToolActions = {
    "ActionNew", "ActionOpen", "ActionFavorite", "ActionSave", "ActionSaveAs", "ActionAllSave", "ActionClose",
    "ActionAllClose", "ActionPrintPreview", "ActionPrint", "ActionSendMail", "ActionShutQxEditor", "ActionUndo",
    "ActionRedo", "ActionCut", "ActionCopy", "ActionPaste", "ActionDelete", "ActionAllSelect", "ActionStartToLine",
    "ActionStartToLine2", "ActionSelectNowLine", "ActionLineToEnd2", "ActionLineToEnd", "ActionPlusCut",
    "ActionPlusCopy", "ActionInyouCut", "ActionInyouCopy", "ActionInyouPaste", "ActionInyou", "ActionUserInyou",
    "ActionUserInyou2", "ActionOmoji", "ActionKomoji", "ActionInsertTime", "ActionInsertSign", "ActionInsertStr",
    "ActionInsertFile", "ActionFind", "ActionFindNext", "ActionFindPrev", "ActionReplace", "", "",
    "ActionTopJump", "ActionBottomJump", "ActionJump", "ActionWordWrap", "ActionEditorEnvironment", "",
    "ActionEditMode", "ActionProjectNew", "ActionProjectOpen", "ActionProjectSave", "ActionCommand",
    "ActionClipView", "ActionProjectManager", "ActionFileProperty", "ActionEdtOption", "ActionOption",
    "ActionFileOperate", "ActionTimeStmp", "ActionAllDocs", "ActionDocMove", "ActionStayOnTop", "ActionQxEditor",
    "ActionHelp", "ActionKeyWord", "ActionOnePoint", "ActionMail", "ActionHome", "ActionVersion",
    "ActionCloseQxEditor", "ActionBoxSelectMode", "ActionBoxPaste", "ActionSplit", "ActionGrep",
    "ActionTabIndent", "ActionTabUnindent", "ActionSpaceIndent", "ActionSpaceUnindent", "ActionKeyMacRec",
    "ActionKeyMacExe"};

} // namespace

std::string_view ToolButtonAction(int Number)
{
    if (Number < 0 || Number > LastToolCommandIndex) return {};
    return kToolActions[static_cast<std::size_t>(Number)];
}

TToolButtonShape ToolButtonShape(int Number)
{
    if (Number == ToolButtonSeparator) return {TToolButtonStyle::Separator, 8, 22};
    if (Number == 1 || Number == 2 || Number == 52) return {TToolButtonStyle::DropDown, 34, 22};
    return {};
}

std::string ToolButtonHint(std::string_view MenuText, bool ShowHint, bool ShowShortCut)
{
    if (!ShowHint) return {};
    std::string hint = PlainMenuCaption(MenuText);
    const std::string_view key = MenuKeyPart(MenuText);
    if (ShowShortCut && !key.empty()) hint += " (" + std::string(key) + ")";
    return hint;
}

std::vector<int> ToolBarButtons(const std::vector<int>& List)
{
    std::vector<int> buttons;
    for (int n : List)
        if (n == ToolButtonSeparator || !ToolButtonAction(n).empty()) buttons.push_back(n);
    return buttons;
}

} // namespace qx
