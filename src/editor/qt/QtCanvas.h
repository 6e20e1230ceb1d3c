#pragma once
// The control's canvas over a QPainter: a widget's paint event, an image, a printer page. Text is laid
// out on the control's cell grid as glyph runs (each character at its cell, whatever the font's own
// advance), decoded from Shift-JIS through the code page 932 codec.
//
// A paint pass hands over hundreds of short runs (a token each). Glyphs stay in their cells, so runs
// that need no clip of their own are gathered by font and colour and drawn together, one glyph run a
// colour, when something is to be drawn where they stand, when the clip changes and at the latest when
// the canvas goes (or on Flush): the picture is the same as drawing each run at once.

#include "editor/EditorCanvas.h"
#include "editor/qt/FontResolver.h"

#include <QPainter>
#include <QPointF>
#include <QString>
#include <QVector>

#include <cstdint>
#include <vector>

namespace qx {

class TQtCanvas : public TEditorCanvas {
public:
    TQtCanvas(QPainter& Painter, TFontResolver& Fonts);
    ~TQtCanvas() override;
    TQtCanvas(const TQtCanvas&) = delete;
    TQtCanvas& operator=(const TQtCanvas&) = delete;

    // Draws the gathered runs now (before the painter is used directly).
    void Flush();

    void FillRect(const TRect& R, TColor Color) override;
    void TextRun(const TRect& Clip, int X, int Y, unsigned Options, std::string_view Text,
                 const TTextStyle& Style) override;
    void Line(int X1, int Y1, int X2, int Y2, TColor Color) override;
    void DotLine(int X1, int Y, int X2, TColor Bk, TColor Dot) override;
    void DrawGlyph(int X, int Y, const TGlyph& Glyph, TColor Color) override;
    void PushClip(const TRect& R) override;
    void PopClip() override;

private:
    // Glyphs of one raw font in one colour, waiting to be drawn.
    struct TBatch {
        const QRawFont* Raw = nullptr;
        QRgb Color = 0;
        QVector<quint32> Glyphs;
        QVector<QPointF> Positions;
    };
    // The cells covered by gathered glyphs on one text row: Left..Right, Top..Bottom.
    struct TBand {
        int Top, Bottom, Left, Right;
    };

    void DrawRun(const QRawFont& Raw, const QVector<quint32>& Glyphs, const QVector<QPointF>& Positions,
                 const QColor& Color, bool SynthBold, bool SynthItalic, qreal Baseline);
    // Flushes when R meets a cell under gathered glyphs.
    void Touch(const TRect& R);
    // Keeps the glyphs of a run that fills Cells for the next flush.
    void Gather(const QRawFont& Raw, const QVector<quint32>& Glyphs, const QVector<QPointF>& Positions, QRgb Color);
    void AddBand(const TRect& Cells);

    QPainter& FPainter;
    TFontResolver& FFonts;
    // Buffers reused from run to run.
    QVector<quint32> FGlyphs, FFallbackGlyphs;
    QVector<QPointF> FPositions, FFallbackPositions;
    std::vector<TBatch> FBatches;
    std::vector<TBand> FBands;
    TRect FPending;          // the bands' bounds
    bool FBandsDown = true;  // each band below the one before (rows painted from the top)
};

} // namespace qx
