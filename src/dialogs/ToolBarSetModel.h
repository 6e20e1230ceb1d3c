#pragma once
// The tool-bar customisation dialog's model: eight categories of commands (by tool-bar command number,
// 0..82, 99 a separator), the two bars' lists, add, delete, up, down, reset; and the dialog's messages.
// The bars themselves (the action of a number, the buttons' shapes) are the main window's.

#include <array>
#include <string_view>
#include <vector>

namespace qx {

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

} // namespace qx
