#include "dialogs/ToolBarSetModel.h"

#include "documents/ToolBarFile.h"

#include <initializer_list>
#include <utility>

namespace qx {

namespace {

std::vector<int> Numbers(std::initializer_list<std::pair<int, int>> Ranges)
{
    std::vector<int> numbers{ToolButtonSeparator};
    for (auto [first, last] : Ranges)
        for (int n = first; n <= last; ++n) numbers.push_back(n);
    return numbers;
}

} // namespace

const std::array<TToolCategory, 8>& ToolCategories()
{
    static const std::array<TToolCategory, 8> categories = {{
        {"ファイル系", Numbers({{0, 11}, {72, 72}})},
        {"編集系", Numbers({{12, 18}, {73, 73}, {19, 28}, {74, 74}, {32, 33}, {29, 29}, {34, 37}, {77, 80}, {30, 31}})},
        {"検索系", Numbers({{38, 41}, {44, 46}, {76, 76}})},
        {"表示系", Numbers({{47, 48}, {50, 50}})},
        {"ツール系", Numbers({{54, 57}, {81, 82}, {60, 61}, {58, 59}})},
        {"ウインドウ系", Numbers({{62, 63}, {75, 75}, {64, 65}})},
        {"ヘルプ系", Numbers({{66, 71}})},
        {"プロジェクト系", Numbers({{51, 53}})},
    }};
    return categories;
}

int TToolBarSetModel::Add(int B, int Number, int Selected)
{
    std::vector<int>& bar = FBars[B];
    const int at = Selected > 0 && Selected < static_cast<int>(bar.size()) ? Selected : 0;
    bar.insert(bar.begin() + at, Number);
    return at;
}

void TToolBarSetModel::Delete(int B, int Selected)
{
    std::vector<int>& bar = FBars[B];
    if (Selected >= 0 && Selected < static_cast<int>(bar.size())) bar.erase(bar.begin() + Selected);
}

int TToolBarSetModel::Up(int B, int Selected)
{
    std::vector<int>& bar = FBars[B];
    if (Selected < 1 || Selected >= static_cast<int>(bar.size())) return Selected;
    std::swap(bar[Selected - 1], bar[Selected]);
    return Selected - 1;
}

int TToolBarSetModel::Down(int B, int Selected)
{
    std::vector<int>& bar = FBars[B];
    if (Selected < 0 || Selected + 1 >= static_cast<int>(bar.size())) return Selected;
    std::swap(bar[Selected], bar[Selected + 1]);
    return Selected + 1;
}

void TToolBarSetModel::Reset()
{
    FBars = {DefaultUserToolBar(1), DefaultUserToolBar(2)};
}

} // namespace qx
