#include "mainwindow/ColorCombo.h"

#include "platform/IniFile.h"

#include <algorithm>
#include <cstdio>

namespace qx {

const TColorName kSystemColors[16] = {
    {"Black", "黒", 0x000000},      {"Maroon", "茶色", 0x000080},  {"Green", "緑", 0x008000},
    {"Olive", "オリーブ", 0x008080}, {"Navy", "紺", 0x800000},      {"Purple", "紫", 0x800080},
    {"Teal", "青緑", 0x808000},     {"Gray", "灰色", 0x808080},    {"Silver", "銀色", 0xC0C0C0},
    {"Red", "赤", 0x0000FF},        {"Lime", "黄緑", 0x00FF00},    {"Yellow", "黄", 0x00FFFF},
    {"Blue", "青", 0xFF0000},       {"Fuchsia", "赤紫", 0xFF00FF}, {"Aqua", "水色", 0xFFFF00},
    {"White", "白", 0xFFFFFF},
};

std::string CustomColorName(TColor color)
{
    char text[16];
    std::snprintf(text, sizeof text, "$%.6X", static_cast<unsigned>(color));
    return text;
}

void TColorComboModel::SetMaxCustomCount(int value)
{
    Store(FMaxCustomCount, std::clamp(value, 0, 255));
}

void TColorComboModel::Rebuild()
{
    // The extended-colours handler may fill the list through SetExtendedColors: that only stores it.
    if (FRebuilding) return;
    FRebuilding = true;
    struct Done {
        bool& Flag;
        ~Done() { Flag = false; }
    } done{FRebuilding};
    FItems.clear();
    FItemIndex = -1;
    // The custom colours go with the list, and so does their count (a stale count would make the next
    // custom colour push out an item that is not one).
    FCustomCount = 0;
    if (FSelection & csCurrent) FItems.push_back({kCurrentColorName, FCurrentColor});
    if (FSelection & csDefault) FItems.push_back({kDefaultColorName, FDefaultColor});
    if (FSelection & csSystem)
        for (const TColorName& c : kSystemColors) FItems.push_back({c.English, c.Color});
    if (FSelection & csSystemJ)
        for (const TColorName& c : kSystemColors) FItems.push_back({c.Japanese, c.Color});
    if (FSelection & csExtended) {
        if (OnLoadExtendedColors) OnLoadExtendedColors();
        for (const std::string& line : FExtendedColors.Items()) {
            const std::string_view name = IniLineName(line);
            if (name.empty()) continue;
            int value = 0;
            FItems.push_back({std::string(name), TryStrToInt(IniLineValue(line), value) ? value : clNone});
        }
    }
    if (HasOther()) FItems.push_back({kOtherColorName, clNone});
    Changed();
}

TColor TColorComboModel::GetSelectedColor() const
{
    return FItemIndex < 0 ? clNone : FItems[FItemIndex].Color;
}

void TColorComboModel::SetSelectedColor(TColor color)
{
    int index = -1;
    if (color != clNone) {
        for (int i = 0; i < Count() && index < 0; ++i)
            if (FItems[i].Color == color && !(HasOther() && i == Count() - 1)) index = i;
        // A colour the list does not hold is added and selected, so that reading it back gives it.
        if (index < 0 && HasOther()) index = AddCustomColor("", color);
    }
    FItemIndex = index;
    Changed();
}

int TColorComboModel::AddCustomColor(const std::string& name, TColor color)
{
    if (!HasOther() || FMaxCustomCount == 0) return -1;
    if (FCustomCount >= FMaxCustomCount) {
        const int oldest = Count() - 1 - FCustomCount;
        FItems.erase(FItems.begin() + oldest);
        if (FItemIndex == oldest) FItemIndex = -1;
        else if (FItemIndex > oldest) --FItemIndex;
        --FCustomCount;
    }
    const int at = Count() - 1;
    FItems.insert(FItems.begin() + at, {name.empty() ? CustomColorName(color) : name, color});
    if (FItemIndex >= at) ++FItemIndex;
    ++FCustomCount;
    Changed();
    return at;
}

void TColorComboModel::Choose(int index)
{
    if (index < 0 || index >= Count()) return;
    if (HasOther() && index == Count() - 1) {
        if (ColorChooser) {
            if (const auto chosen = ColorChooser(GetSelectedColor())) AddCustomColor("", *chosen);
        }
        index = Count() - 2;  // -1 when "その他..." is the only item
    }
    FItemIndex = index;
    Changed();
}

void TColorComboModel::Changed()
{
    if (OnChange) OnChange();
}

} // namespace qx
