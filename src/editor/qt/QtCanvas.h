#pragma once
// The control's canvas over a QPainter: a widget's paint event, an image, a printer page. Text is laid
// out on the control's cell grid as glyph runs (each character at its cell, whatever the font's own
// advance), decoded from Shift-JIS through the code page 932 codec.

#include "editor/EditorCanvas.h"
#include "editor/qt/FontResolver.h"

#include <QPainter>
#include <QPointF>
#include <QString>
#include <QVector>

#include <cstdint>

namespace qx {

class TQtCanvas : public TEditorCanvas {
public:
    TQtCanvas(QPainter& Painter, TFontResolver& Fonts);

    void FillRect(const TRect& R, TColor Color) override;
    void TextRun(const TRect& Clip, int X, int Y, unsigned Options, std::string_view Text,
                 const TTextStyle& Style) override;
    void Line(int X1, int Y1, int X2, int Y2, TColor Color) override;
    void DotLine(int X1, int Y, int X2, TColor Bk, TColor Dot) override;
    void DrawGlyph(int X, int Y, const TGlyph& Glyph, TColor Color) override;
    void PushClip(const TRect& R) override;
    void PopClip() override;

private:
    void DrawRun(const QRawFont& Raw, const QVector<quint32>& Glyphs, const QVector<QPointF>& Positions,
                 const QColor& Color, bool SynthBold, bool SynthItalic, qreal Baseline);

    QPainter& FPainter;
    TFontResolver& FFonts;
    // Buffers reused from run to run.
    QString FChars;
    QVector<int> FCells;
    QVector<quint32> FIndexes, FGlyphs, FFallbackGlyphs;
    QVector<QPointF> FPositions, FFallbackPositions;
};

} // namespace qx
