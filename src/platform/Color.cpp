#include "platform/Color.h"

#include "platform/StringList.h"

#include <array>

namespace qx {
namespace {

struct ColorIdent {
    TColor color;
    const char* name;
};

constexpr ColorIdent kIdents[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    // Aliases last so that ColorToIdent finds the primary names first.
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};

// Classic Windows system colours, $00BBGGRR, by index.
constexpr std::array<TColor, 25> kSystemFallback{{
    0xC8C8C8, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF,
}};

} // namespace

std::optional<TColor> IdentToColor(std::string_view ident)
{
    for (const auto& entry : kIdents)
        if (SameText(ident, entry.name)) return entry.color;
    return std::nullopt;
}

std::optional<std::string> ColorToIdent(TColor color)
{
    for (const auto& entry : kIdents)
        if (entry.color == color) return std::string(entry.name);
    return std::nullopt;
}

TColor SystemColorFallback(TColor color)
{
    if (!IsSystemColor(color)) return color;
    const int index = SystemColorIndex(color);
    return index < static_cast<int>(kSystemFallback.size()) ? kSystemFallback[index] : clBlack;
}

} // namespace qx
