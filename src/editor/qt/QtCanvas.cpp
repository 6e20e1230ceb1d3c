#include "editor/qt/QtCanvas.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"
#include "platform/qt/QtColor.h"

#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <map>
#include <utility>

namespace qx {

namespace {

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

// What a cell shows for bytes that are no character: a middle dot of the cell's width.
constexpr char16_t NarrowSubstitute = 0xFF65;
constexpr char16_t WideSubstitute = kCp932Substitute;

// The character one or two bytes stand for, or the substitute of their width.
char16_t CharOf(std::string_view Text, std::size_t I, std::size_t& Length)
{
    const auto b = static_cast<unsigned char>(Text[I]);
    if (IsDBCSLeadByte(b) && I + 1 < Text.size()) {
        Length = 2;
        const int u = Cp932CodeToUnicode((b << 8) | static_cast<unsigned char>(Text[I + 1]));
        return u > 0 && u <= 0xFFFF ? static_cast<char16_t>(u) : WideSubstitute;
    }
    Length = 1;
    if (b < 0x20 || b == 0x7F) return NarrowSubstitute;
    if (IsDBCSLeadByte(b)) return NarrowSubstitute;  // a lead byte that ends the text
    const int u = Cp932CodeToUnicode(b);
    return u > 0 && u <= 0xFFFF ? static_cast<char16_t>(u) : NarrowSubstitute;
}

} // namespace

TQtCanvas::TQtCanvas(QPainter& Painter, TFontResolver& Fonts) : FPainter(Painter), FFonts(Fonts)
{
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setRenderHint(QPainter::TextAntialiasing, true);
}

TQtCanvas::~TQtCanvas() { Flush(); }

void TQtCanvas::FillRect(const TRect& R, TColor Color)
{
    if (R.Empty()) return;
    Touch(R);
    FPainter.fillRect(ToQRect(R), ToQColor(Color));
}

void TQtCanvas::TextRun(const TRect& Clip, int X, int Y, unsigned Options, std::string_view Text,
                        const TTextStyle& Style)
{
    if (Options & etoOpaque) FillRect(Clip, Style.Background);
    if (Text.empty()) return;
    const TResolvedFont& font = FFonts.Resolve(Style.Font);
    const bool bold = Style.Font.Style.Contains(fsBold);
    const bool italic = Style.Font.Style.Contains(fsItalic);
    const std::size_t variant = (bold ? 1u : 0u) | (italic ? 2u : 0u);
    const QRawFont& raw = font.Raw[variant];
    const QRawFont& fallback = font.FallbackRaw[variant];

    // Each character's glyph at the cell it begins in; a glyph the font lacks comes from the
    // fallback, else the fallback's replacement character.
    FGlyphs.clear();
    FPositions.clear();
    FFallbackGlyphs.clear();
    FFallbackPositions.clear();
    const qreal baseline = Y + font.Ascent;
    bool inked = false;
    for (std::size_t i = 0; i < Text.size();) {
        std::size_t length;
        const char16_t c = CharOf(Text, i, length);
        const QPointF at(X + static_cast<int>(i) * Style.CellWidth, baseline);
        i += length;
        if (c == u' ' || c == 0x3000) continue;
        inked = true;
        if (const quint32 glyph = font.Glyphs[variant].Of(raw, c)) {
            FGlyphs.append(glyph);
            FPositions.append(at);
            continue;
        }
        quint32 glyph = font.FallbackGlyphs[variant].Of(fallback, c);
        if (glyph == 0) glyph = font.FallbackGlyphs[variant].Of(fallback, QChar::ReplacementCharacter);
        if (glyph != 0) {
            FFallbackGlyphs.append(glyph);
            FFallbackPositions.append(at);
        }
    }
    if (!inked) return;

    // Glyphs stay in their cells: a run that lies inside the clip needs no clipping of its own.
    const int runRight = X + static_cast<int>(Text.size()) * Style.CellWidth;
    const bool inside = X >= Clip.Left && runRight <= Clip.Right && Y >= Clip.Top &&
                        Y + font.Metrics.Height <= Clip.Bottom && !italic && !bold;
    const bool clip = (Options & etoClipped) && !inside;
    const bool strikeOut = Style.Font.Style.Contains(fsStrikeOut);
    const QColor color = ToQColor(Style.Font.Color);
    if (!clip && !strikeOut && !font.SynthBold[variant] && !font.SynthItalic[variant] &&
        !font.FallbackSynthBold[variant] && !font.FallbackSynthItalic[variant]) {
        const TRect cells{X, Y, runRight, Y + font.Metrics.Height};
        Touch(cells);  // drawn over gathered glyphs: those go first
        Gather(raw, FGlyphs, FPositions, color.rgb());
        Gather(fallback, FFallbackGlyphs, FFallbackPositions, color.rgb());
        AddBand(cells);
        return;
    }
    Flush();
    if (clip) {
        FPainter.save();
        FPainter.setClipRect(ToQRect(Clip), Qt::IntersectClip);
    }
    DrawRun(raw, FGlyphs, FPositions, color, font.SynthBold[variant], font.SynthItalic[variant], baseline);
    DrawRun(fallback, FFallbackGlyphs, FFallbackPositions, color, font.FallbackSynthBold[variant],
            font.FallbackSynthItalic[variant], baseline);
    if (strikeOut) {
        const int y = Y + font.Ascent * 2 / 3;
        FPainter.fillRect(QRect(X, y, static_cast<int>(Text.size()) * Style.CellWidth, 1), color);
    }
    if (clip) FPainter.restore();
}

void TQtCanvas::Gather(const QRawFont& Raw, const QVector<quint32>& Glyphs, const QVector<QPointF>& Positions,
                       QRgb Color)
{
    if (Glyphs.isEmpty()) return;
    auto batch = std::find_if(FBatches.begin(), FBatches.end(),
                              [&](const TBatch& B) { return B.Raw == &Raw && B.Color == Color; });
    if (batch == FBatches.end()) {
        batch = FBatches.insert(FBatches.end(), TBatch{&Raw, Color, {}, {}});
        batch->Glyphs.reserve(1024);  // about a screenful of one colour
        batch->Positions.reserve(1024);
    }
    batch->Glyphs.append(Glyphs);
    batch->Positions.append(Positions);
}

void TQtCanvas::AddBand(const TRect& Cells)
{
    FPending = FBands.empty() ? Cells
                              : TRect{std::min(FPending.Left, Cells.Left), std::min(FPending.Top, Cells.Top),
                                      std::max(FPending.Right, Cells.Right), std::max(FPending.Bottom, Cells.Bottom)};
    // Runs come row by row: the band of a row is mostly the last one.
    for (auto band = FBands.rbegin(); band != FBands.rend(); ++band) {
        if (band->Top != Cells.Top || band->Bottom != Cells.Bottom) continue;
        band->Left = std::min(band->Left, Cells.Left);
        band->Right = std::max(band->Right, Cells.Right);
        return;
    }
    if (!FBands.empty() && Cells.Top < FBands.back().Bottom) FBandsDown = false;
    FBands.push_back({Cells.Top, Cells.Bottom, Cells.Left, Cells.Right});
}

void TQtCanvas::Touch(const TRect& R)
{
    if (FBands.empty() || !Intersects(R, FPending)) return;
    auto band = FBands.begin();
    // Bands that follow each other down the page: only those from the first that reaches R's top.
    if (FBandsDown)
        band = std::partition_point(FBands.begin(), FBands.end(), [&](const TBand& B) { return B.Bottom <= R.Top; });
    for (; band != FBands.end(); ++band) {
        if (FBandsDown && band->Top >= R.Bottom) return;
        if (Intersects(R, {band->Left, band->Top, band->Right, band->Bottom})) {
            Flush();
            return;
        }
    }
}

void TQtCanvas::Flush()
{
    for (TBatch& batch : FBatches) DrawRun(*batch.Raw, batch.Glyphs, batch.Positions, QColor(batch.Color), false, false, 0);
    FBatches.clear();
    FBands.clear();
    FBandsDown = true;
    FPending = {};
}

void TQtCanvas::DrawRun(const QRawFont& Raw, const QVector<quint32>& Glyphs, const QVector<QPointF>& Positions,
                        const QColor& Color, bool SynthBold, bool SynthItalic, qreal Baseline)
{
    if (Glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(Raw);
    run.setGlyphIndexes(Glyphs);
    run.setPositions(Positions);
    FPainter.setPen(Color);
    if (SynthItalic) {
        // A font without an italic face: slant the glyphs about the baseline.
        FPainter.save();
        FPainter.translate(0, Baseline);
        FPainter.shear(-0.2, 0);
        FPainter.translate(0, -Baseline);
    }
    FPainter.drawGlyphRun(QPointF(0, 0), run);
    if (SynthBold) FPainter.drawGlyphRun(QPointF(1, 0), run);  // a font without a bold face: overstrike
    if (SynthItalic) FPainter.restore();
}

void TQtCanvas::Line(int X1, int Y1, int X2, int Y2, TColor Color)
{
    if (X1 == X2 && Y1 == Y2) return;
    Touch({std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2) + 1, std::max(Y1, Y2) + 1});
    const QColor color = ToQColor(Color);
    // The end point is left out, as the platform's LineTo leaves it.
    if (Y1 == Y2) {
        FPainter.fillRect(QRect(std::min(X1, X2 + 1), Y1, std::abs(X2 - X1), 1), color);
        return;
    }
    if (X1 == X2) {
        FPainter.fillRect(QRect(X1, std::min(Y1, Y2 + 1), 1, std::abs(Y2 - Y1)), color);
        return;
    }
    const int dx = X2 - X1, dy = Y2 - Y1;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        const int x = X1 + (dx * i + (dx >= 0 ? steps / 2 : -steps / 2)) / steps;
        const int y = Y1 + (dy * i + (dy >= 0 ? steps / 2 : -steps / 2)) / steps;
        FPainter.fillRect(QRect(x, y, 1, 1), color);
    }
}

void TQtCanvas::DotLine(int X1, int Y, int X2, TColor Bk, TColor Dot)
{
    if (X2 < X1) return;
    Touch({X1, Y, X2 + 1, Y + 1});
    // One screen-wide row of the pattern per colour pair, made once; a line is one copy of its start,
    // so the dots begin at X1 whatever X1 is.
    static std::map<std::pair<TColor, TColor>, QPixmap> cache;
    QPixmap& pattern = cache[{Bk, Dot}];
    if (pattern.isNull()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int width = std::max(2048, screen ? screen->size().width() : 0);
        QImage image(width, 1, QImage::Format_RGB32);
        const QRgb bk = ToQColor(Bk).rgb(), dot = ToQColor(Dot).rgb();
        for (int x = 0; x < width; ++x) image.setPixel(x, 0, x % 2 == 0 ? dot : bk);
        pattern = QPixmap::fromImage(image);
    }
    int x = X1;
    while (x <= X2) {
        const int n = std::min(X2 - x + 1, pattern.width() - (pattern.width() % 2));
        FPainter.drawPixmap(QPoint(x, Y), pattern, QRect(0, 0, n, 1));
        x += n;
    }
}

void TQtCanvas::DrawGlyph(int X, int Y, const TGlyph& Glyph, TColor Color)
{
    Touch({X, Y, X + Glyph.Width, Y + Glyph.Height});
    static QHash<QPair<const void*, TColor>, QImage> cache;
    QImage& image = cache[{Glyph.Rows, Color}];
    if (image.isNull()) {
        image = QImage(Glyph.Width, Glyph.Height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QRgb rgb = ToQColor(Color).rgb();
        for (int y = 0; y < Glyph.Height; ++y)
            for (int x = 0; x < Glyph.Width; ++x)
                if (Glyph.Rows[y] & (1u << (Glyph.Width - 1 - x))) image.setPixel(x, y, rgb);
    }
    FPainter.drawImage(QPoint(X, Y), image);
}

void TQtCanvas::PushClip(const TRect& R)
{
    Flush();
    FPainter.save();
    FPainter.setClipRect(ToQRect(R), Qt::IntersectClip);
}

void TQtCanvas::PopClip()
{
    Flush();
    FPainter.restore();
}

} // namespace qx
