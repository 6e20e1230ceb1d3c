#pragma once
// The two user tool bars: buttons by command number (0..82, 99 a separator), the action each number
// runs, the buttons' shapes, and the customisation dialog's model (eight categories of commands, the
// two bars' lists, add, delete, up, down, reset). Bars hold their lists in the program state
// (UserToolBar1/2, read and written by the tool-bar file layer).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TPrompter;

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

// The dialog's categories: caption and numbers (the separator first).
struct TToolCategory {
    std::string_view Caption;
    std::vector<int> Numbers;
};
const std::array<TToolCategory, 8>& ToolCategories();

// The customisation dialog without its window. Bars are 0 and 1; an index of -1 is no selection.
class TToolBarSetModel {
public:
    TToolBarSetModel(std::vector<int> Bar1, std::vector<int> Bar2) : FBars{std::move(Bar1), std::move(Bar2)} {}

    const std::vector<int>& Bar(int B) const { return FBars[B]; }
    // Puts Number before the selected entry, at the top when none or the first is selected; answers the
    // new entry's index.
    int Add(int B, int Number, int Selected);
    void Delete(int B, int Selected);
    // Swap the entry with its neighbour; answer where it is now (it stays where it was at an end).
    int Up(int B, int Selected);
    int Down(int B, int Selected);
    // Both bars get their default layouts.
    void Reset();

private:
    std::array<std::vector<int>, 2> FBars;
};

// The dialog's messages when nothing is selected.
inline constexpr const char* kNoCommandToAdd = "登録するツールボタンが選択されていません。";
inline constexpr const char* kNoButtonToDelete = "削除するツールボタンが選択されていません。";
// Showing a bar that has no buttons.
inline constexpr const char* kConfigureToolBarFirst = "ユーザーツールバーの設定を行ってください。";

} // namespace qx
