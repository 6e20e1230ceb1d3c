#pragma once
// The two user tool bars: buttons by command number (0..82, 99 a separator), the action each number
// runs, the buttons' shapes and tips (the customisation dialog's model is dialogs/ToolBarSetModel.h).
// Bars hold their lists in the program state (UserToolBar1/2, read and written by the tool-bar file
// layer).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The action of a command number ("ActionNew"); "" for the separator and for numbers without one.
std::string_view ToolButtonAction(int Number);

enum class TToolButtonStyle { Button, DropDown, Separator };
struct TToolButtonShape {
    TToolButtonStyle Style = TToolButtonStyle::Button;
    int Width = 23;
    int Height = 22;
};
// Open (1), favourites (2) and project open (52) drop a menu down; 99 is a separator.
TToolButtonShape ToolButtonShape(int Number);

// The buttons a bar's list makes, in order: a separator, or a number with an action. Numbers without
// an action (a hand-edited file) make no button.
std::vector<int> ToolBarButtons(const std::vector<int>& List);

// A button's tip from its command's menu text ("caption\tkey"): nothing when tips are off ([ToolBar]
// "ToolTipHintShow"); else the plain caption, and its key in brackets when "ToolTipShortCut" is on.
std::string ToolButtonHint(std::string_view MenuText, bool ShowHint, bool ShowShortCut);

// Showing a bar that has no buttons.
inline constexpr const char* kConfigureToolBarFirst = "ユーザーツールバーの設定を行ってください。";

} // namespace qx
