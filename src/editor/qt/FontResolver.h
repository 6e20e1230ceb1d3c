#pragma once
// Turns the control's font names into fonts of this system. A stored name is often a Windows font
// ("FixedSys", "ＭＳ ゴシック"): when this system has no family of that name (fontconfig knows them
// all), or it is not of fixed pitch, the Japanese monospaced fallback (IPAGothic) is used instead.
// Glyphs the chosen font lacks (kana and kanji in a Latin font) come from the fallback.

#include "editor/EditorCanvas.h"

#include <QFont>
#include <QRawFont>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <string>

namespace qx {

// The glyph index of each character in one raw font, looked up a page of 256 characters at a time
// and kept: drawing a character then costs a table read instead of a search of the font's cmap.
class TGlyphTable {
public:
    // 0 when the font has no glyph for C.
    quint32 Of(const QRawFont& Raw, char16_t C);

private:
    std::array<std::unique_ptr<std::array<quint32, 256>>, 256> FPages;
};

// One font description as the canvas draws it.
struct TResolvedFont {
    QFont Font;
    // Regular, bold, italic, bold italic (index: bold | italic << 1), and the same of the fallback.
    std::array<QRawFont, 4> Raw;
    std::array<QRawFont, 4> FallbackRaw;
    // Whether the face of a variant lacks the weight or slant asked for (the canvas then makes it).
    std::array<bool, 4> SynthBold{}, SynthItalic{}, FallbackSynthBold{}, FallbackSynthItalic{};
    // The glyphs of Raw and FallbackRaw, filled as characters are drawn.
    mutable std::array<TGlyphTable, 4> Glyphs, FallbackGlyphs;
    TFontMetrics Metrics;
    int Ascent = 0;
};

class TFontResolver {
public:
    // PixelsPerInch 0: sizes are points on the screen. A printer or an image of a page gives its
    // resolution: fonts are then made in device pixels, which draw the same on any paint device.
    explicit TFontResolver(int PixelsPerInch = 0) : FPixelsPerInch(PixelsPerInch) {}

    // The family used when a stored name has no fixed-pitch match here.
    static const QString& FallbackFamily();
    // The family a stored name stands for here.
    static QString ResolveFamily(const std::string& Name);
    // Whether a family keeps to the editor's grid: half-width characters one cell wide, full-width
    // ones two (fontconfig calls a Japanese face of that kind dual-width, not fixed-pitch).
    static bool IsGridFamily(const QString& Family);

    const TResolvedFont& Resolve(const TFontSpec& Spec);

private:
    // A font of the family at a size in points, in the resolver's units.
    QFont Sized(const QString& Family, int Size) const;

    int FPixelsPerInch;
    std::map<std::pair<std::string, int>, std::unique_ptr<TResolvedFont>> FCache;
    // The font resolved last: runs mostly ask for the same one.
    const TResolvedFont* FLast = nullptr;
    std::string FLastName;
    int FLastSize = 0;
};

} // namespace qx
