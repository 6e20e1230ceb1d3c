#pragma once
// TFontStyles: the class library's set of font styles.

#include <cstdint>
#include <initializer_list>

namespace qx {

enum class TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles)
    {
        for (TFontStyle s : styles) Include(s);
    }
    constexpr bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
    constexpr void Include(TFontStyle s) { FBits = static_cast<std::uint8_t>(FBits | Bit(s)); }
    constexpr void Exclude(TFontStyle s) { FBits = static_cast<std::uint8_t>(FBits & ~Bit(s)); }
    constexpr bool Empty() const { return FBits == 0; }
    friend constexpr bool operator==(TFontStyles a, TFontStyles b) = default;

private:
    static constexpr std::uint8_t Bit(TFontStyle s)
    {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(s));
    }
    std::uint8_t FBits = 0;
};

} // namespace qx
