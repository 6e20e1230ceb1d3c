#pragma once
// TFontStyles: the class library's set of font styles. Stored as the bit mask the settings files use
// (bold 1, italic 2, underline 4, strike-out 8); a single style converts to a set, and styles combine
// with |, so `SetStyle(fsBold | fsItalic)` and `Style().Contains(TFontStyle::fsItalic)` both read well.

#include <cstdint>
#include <initializer_list>

namespace qx {

enum class TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(TFontStyle s) : FBits(Bit(s)) {}  // NOLINT: a style is a one-element set
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles)
    {
        for (TFontStyle s : styles) Include(s);
    }
    static constexpr TFontStyles FromBits(unsigned bits)
    {
        TFontStyles styles;
        styles.FBits = static_cast<std::uint8_t>(bits & 0x0F);
        return styles;
    }
    constexpr std::uint8_t Bits() const { return FBits; }
    constexpr bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
    constexpr void Include(TFontStyle s) { FBits = static_cast<std::uint8_t>(FBits | Bit(s)); }
    constexpr void Exclude(TFontStyle s) { FBits = static_cast<std::uint8_t>(FBits & ~Bit(s)); }
    constexpr bool Empty() const { return FBits == 0; }
    friend constexpr bool operator==(TFontStyles a, TFontStyles b) = default;
    friend constexpr TFontStyles operator|(TFontStyles a, TFontStyles b) { return FromBits(a.FBits | b.FBits); }

private:
    static constexpr std::uint8_t Bit(TFontStyle s)
    {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(s));
    }
    std::uint8_t FBits = 0;
};

constexpr TFontStyles operator|(TFontStyle a, TFontStyle b) { return TFontStyles(a) | TFontStyles(b); }

constexpr TFontStyle fsBold = TFontStyle::fsBold;
constexpr TFontStyle fsItalic = TFontStyle::fsItalic;
constexpr TFontStyle fsUnderline = TFontStyle::fsUnderline;
constexpr TFontStyle fsStrikeOut = TFontStyle::fsStrikeOut;

} // namespace qx
