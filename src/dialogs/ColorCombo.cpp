#include "dialogs/ColorCombo.h"

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

const TNamedColor kExtendedColorNames[140] = {
    {"aliceblue", 0xFFF8F0}, {"antiquewhite", 0xD7EBFA}, {"aqua", 0xFFFF00}, {"aquamarine", 0xD4FF7F},
    {"azure", 0xFFFFF0}, {"beige", 0xDCF5F5}, {"bisque", 0xC4E4FF}, {"black", 0x000000},
    {"blanchedalmond", 0xCDEBFF}, {"blue", 0xFF0000}, {"blueviolet", 0xE22B8A}, {"brown", 0x2A2AA5},
    {"burlywood", 0x87B8DE}, {"cadetblue", 0xA09E5F}, {"chartreuse", 0x00FF7F}, {"chocolate", 0x1E69D2},
    {"coral", 0x507FFF}, {"cornflowerblue", 0xED9564}, {"cornsilk", 0xDCF8FF}, {"crimson", 0x3C14DC},
    {"cyan", 0xFFFF00}, {"darkblue", 0x8B0000}, {"darkcyan", 0x8B8B00}, {"darkgoldenrod", 0x0B86B8},
    {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkkhaki", 0x6BB7BD}, {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x2F6B55}, {"darkorange", 0x008CFF}, {"darkorchid", 0xCC3299}, {"darkred", 0x00008B},
    {"darksalmon", 0x7A96E9}, {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x8B3D48},
    {"darkslategray", 0x4F4F2F}, {"darkturquoise", 0xD1CE00}, {"darkviolet", 0xD30094}, {"deeppink", 0x9314FF},
    {"deepskyblue", 0xFFBF00}, {"dimgray", 0x696969}, {"dodgerblue", 0xFF901E}, {"firebrick", 0x2222B2},
    {"floralwhite", 0xF0FAFF}, {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xFFF8F8}, {"gold", 0x00D7FF}, {"goldenrod", 0x20A5DA}, {"gray", 0x808080},
    {"green", 0x008000}, {"greenyellow", 0x2FFFAD}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xB469FF},
    {"indianred", 0x5C5CCD}, {"indigo", 0x82004B}, {"ivory", 0xF0FFFF}, {"khaki", 0x8CE6F0},
    {"lavender", 0xFAE6E6}, {"lavenderblush", 0xF5F0FF}, {"lawngreen", 0x00FC7C}, {"lemonchiffon", 0xCDFAFF},
    {"lightblue", 0xE6D8AD}, {"lightcoral", 0x8080F0}, {"lightcyan", 0xFFFFE0},
    {"lightgoldenrodyellow", 0xD2FAFA}, {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90},
    {"lightpink", 0xC1B6FF}, {"lightsalmon", 0x7AA0FF}, {"lightseagreen", 0xAAB220},
    {"lightskyblue", 0xFACE87}, {"lightslategray", 0x998877}, {"lightsteelblue", 0xDEC4B0},
    {"lightyellow", 0xE0FFFF}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32}, {"linen", 0xE6F0FA},
    {"magenta", 0xFF00FF}, {"maroon", 0x000080}, {"mediumaquamarine", 0xAACD66}, {"mediumblue", 0xCD0000},
    {"mediumorchid", 0xD355BA}, {"mediumpurple", 0xDB7093}, {"mediumseagreen", 0x71B33C},
    {"mediumslateblue", 0xEE687B}, {"mediumspringgreen", 0x9AFA00}, {"mediumturquoise", 0xCCD148},
    {"mediumvioletred", 0x8515C7}, {"midnightblue", 0x701919}, {"mintcream", 0xFAFFF5},
    {"mistyrose", 0xE1E4FF}, {"moccasin", 0xB5E4FF}, {"navajowhite", 0xADDEFF}, {"navy", 0x800000},
    {"oldlace", 0xE6F5FD}, {"olive", 0x008080}, {"olivedrab", 0x238E6B}, {"orange", 0x00A5FF},
    {"orangered", 0x0045FF}, {"orchid", 0xD670DA}, {"palegoldenrod", 0xAAE8EE}, {"palegreen", 0x98FB98},
    {"paleturquoise", 0xEEEEAF}, {"palevioletred", 0x9370DB}, {"papayawhip", 0xD5EFFF},
    {"peachpuff", 0xB9DAFF}, {"peru", 0x3F85CD}, {"pink", 0xCBC0FF}, {"plum", 0xDDA0DD},
    {"powderblue", 0xE6E0B0}, {"purple", 0x800080}, {"red", 0x0000FF}, {"rosybrown", 0x8F8FBC},
    {"royalblue", 0xE16941}, {"saddlebrown", 0x13458B}, {"salmon", 0x7280FA}, {"sandybrown", 0x60A4F4},
    {"seagreen", 0x578B2E}, {"seashell", 0xEEF5FF}, {"sienna", 0x2D52A0}, {"silver", 0xC0C0C0},
    {"skyblue", 0xEBCE87}, {"slateblue", 0xCD5A6A}, {"slategray", 0x908070}, {"snow", 0xFAFAFF},
    {"springgreen", 0x7FFF00}, {"steelblue", 0xB48246}, {"tan", 0x8CB4D2}, {"teal", 0x808000},
    {"thistle", 0xD8BFD8}, {"tomato", 0x4763FF}, {"turquoise", 0xD0E040}, {"violet", 0xEE82EE},
    {"wheat", 0xB3DEF5}, {"white", 0xFFFFFF}, {"whitesmoke", 0xF5F5F5}, {"yellow", 0x00FFFF},
    {"yellowgreen", 0x32CD9A},
};

TStringList ExtendedColorLines()
{
    TStringList lines;
    for (const TNamedColor& c : kExtendedColorNames) lines.Add(std::string(c.Name) + "=" + CustomColorName(c.Color));
    return lines;
}

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
    if (FSelection & ColorSelection::csCurrent) FItems.push_back({kCurrentColorName, FCurrentColor});
    if (FSelection & ColorSelection::csDefault) FItems.push_back({kDefaultColorName, FDefaultColor});
    if (FSelection & ColorSelection::csSystem)
        for (const TColorName& c : kSystemColors) FItems.push_back({c.English, c.Color});
    if (FSelection & ColorSelection::csSystemJ)
        for (const TColorName& c : kSystemColors) FItems.push_back({c.Japanese, c.Color});
    if (FSelection & ColorSelection::csExtended) {
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

void ShowOptionColor(TColorComboModel& Model, TColor Stored)
{
    Model.SetCurrentColor(Stored);
    Model.SetSelection(ColorSelection::csCurrent);
    Model.SetItemIndex(0);
    if (Model.OnChange) Model.OnChange();
}

void OpenOptionColors(TColorComboModel& Model, TColor Stored)
{
    if (Model.ExtendedColors().Empty()) Model.SetExtendedColors(ExtendedColorLines());
    Model.SetSelection(ColorSelection::csExtended | ColorSelection::csCustom);
    Model.SetSelectedColor(Stored);
    if (Model.ItemIndex() < 0) {
        Model.SetItemIndex(Model.Count() - 2);
        if (Model.OnChange) Model.OnChange();
    }
}

} // namespace qx
