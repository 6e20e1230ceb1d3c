#include "editor/qt/FontResolver.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace qx {

const QString& TFontResolver::FallbackFamily()
{
    static const QString family = [] {
        for (const char* name : {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "VL Gothic"}) {
            const QString candidate = QString::fromUtf8(name);
            if (QFontDatabase::hasFamily(candidate)) return candidate;
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

QString TFontResolver::ResolveFamily(const std::string& Name)
{
    const QString family = QString::fromUtf8(Name.data(), static_cast<qsizetype>(Name.size()));
    // A family this system has, when its glyphs keep to a fixed pitch; anything else (a Windows font
    // that fontconfig would stand in for with a proportional or Latin-only one) takes the fallback.
    if (!family.isEmpty() && QFontDatabase::hasFamily(family) && IsGridFamily(family)) return family;
    return FallbackFamily();
}

bool TFontResolver::IsGridFamily(const QString& Family)
{
    if (QFontDatabase::isFixedPitch(Family)) return true;
    if (!QFontDatabase::writingSystems(Family).contains(QFontDatabase::Japanese)) return false;
    // Measured in the face alone: no glyph may come from another font.
    QFont font(Family);
    font.setPixelSize(24);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetrics metrics(font);
    const int cell = metrics.horizontalAdvance(QLatin1Char('M'));
    if (cell <= 0) return false;
    for (const char16_t c : {u'i', u'W', u'1'})
        if (metrics.horizontalAdvance(QChar(c)) != cell) return false;
    for (const char16_t c : {u'あ', u'ア', u'漢', u'Ｍ'})
        if (metrics.horizontalAdvance(QChar(c)) != 2 * cell) return false;
    return true;
}

quint32 TGlyphTable::Of(const QRawFont& Raw, char16_t C)
{
    auto& page = FPages[C >> 8];
    if (!page) {
        page = std::make_unique<std::array<quint32, 256>>();
        page->fill(0);
        QChar chars[256];
        for (int i = 0; i < 256; ++i) chars[i] = QChar(static_cast<char16_t>((C & 0xFF00) | i));
        // Surrogate halves map to no glyph on their own: they stay 0.
        int count = 256;
        Raw.glyphIndexesForChars(chars, 256, page->data(), &count);
        for (int i = 0; i < 256; ++i)
            if (chars[i].isSurrogate()) (*page)[static_cast<std::size_t>(i)] = 0;
    }
    return (*page)[C & 0xFF];
}

namespace {

QRawFont RawOf(QFont Font, int Variant)
{
    Font.setBold((Variant & 1) != 0);
    Font.setItalic((Variant & 2) != 0);
    return QRawFont::fromFont(Font);
}

} // namespace

QFont TFontResolver::Sized(const QString& Family, int Size) const
{
    if (FPixelsPerInch <= 0) return QFont(Family, Size);
    QFont font(Family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(Size * FPixelsPerInch / 72.0))));
    return font;
}

const TResolvedFont& TFontResolver::Resolve(const TFontSpec& Spec)
{
    const int size = Spec.Size > 0 ? Spec.Size : 8;
    if (FLast && size == FLastSize && Spec.Name == FLastName) return *FLast;
    auto& slot = FCache[{Spec.Name, size}];
    FLastName = Spec.Name;
    FLastSize = size;
    if (slot) return *(FLast = slot.get());
    auto resolved = std::make_unique<TResolvedFont>();
    resolved->Font = Sized(ResolveFamily(Spec.Name), size);
    resolved->Font.setStyleHint(QFont::TypeWriter);
    resolved->Font.setKerning(false);
    const QFont fallback = Sized(FallbackFamily(), size);
    for (std::size_t v = 0; v < 4; ++v) {
        resolved->Raw[v] = RawOf(resolved->Font, static_cast<int>(v));
        resolved->FallbackRaw[v] = RawOf(fallback, static_cast<int>(v));
        const bool bold = (v & 1) != 0, italic = (v & 2) != 0;
        resolved->SynthBold[v] = bold && resolved->Raw[v].weight() < QFont::DemiBold;
        resolved->SynthItalic[v] = italic && resolved->Raw[v].style() == QFont::StyleNormal;
        resolved->FallbackSynthBold[v] = bold && resolved->FallbackRaw[v].weight() < QFont::DemiBold;
        resolved->FallbackSynthItalic[v] = italic && resolved->FallbackRaw[v].style() == QFont::StyleNormal;
    }
    const QFontMetrics metrics(resolved->Font);
    resolved->Ascent = metrics.ascent();
    resolved->Metrics.Height = metrics.ascent() + metrics.descent();
    resolved->Metrics.ExternalLeading = std::max(0, metrics.leading());
    // The grid's cell is the half-width glyph's advance.
    resolved->Metrics.AveCharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    slot = std::move(resolved);
    FLast = slot.get();
    return *slot;
}

} // namespace qx
