#include "documents/SettingsCodec.h"

#include "platform/IniFile.h"

#include <cstdio>

namespace qx {

std::string AddQuotes(std::string_view value)
{
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
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

int FontStylesToInt(TFontStyles styles) { return styles.Bits(); }

TFontStyles IntToFontStyles(int mask) { return TFontStyles::FromBits(static_cast<unsigned>(mask)); }

} // namespace qx
