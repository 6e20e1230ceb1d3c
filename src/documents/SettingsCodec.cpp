#include "documents/SettingsCodec.h"

#include "platform/IniFile.h"

#include <cstdio>

namespace qx {

namespace {
constexpr TFontStyle kStyleBits[] = {TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline,
                                     TFontStyle::fsStrikeOut};
}

std::string AddQuotes(std::string_view value)
{
    return "\"" + std::string(value) + "\"";
}

std::string StripQuotes(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return std::string(text.substr(1, text.size() - 2));
    return std::string(text);
}

std::string ColorToString(TColor color)
{
    if (auto ident = ColorToIdent(color)) return *ident;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.8X", static_cast<unsigned>(color));
    return buffer;
}

TColor StringToColor(std::string_view text, TColor defaultColor)
{
    if (auto color = IdentToColor(text)) return *color;
    int value;
    return TryStrToInt(text, value) ? value : defaultColor;
}

int FontStylesToInt(TFontStyles styles)
{
    int mask = 0;
    for (std::size_t i = 0; i < std::size(kStyleBits); ++i)
        if (styles.Contains(kStyleBits[i])) mask |= 1 << i;
    return mask;
}

TFontStyles IntToFontStyles(int mask)
{
    TFontStyles styles;
    for (std::size_t i = 0; i < std::size(kStyleBits); ++i)
        if (mask & (1 << i)) styles.Include(kStyleBits[i]);
    return styles;
}

} // namespace qx
