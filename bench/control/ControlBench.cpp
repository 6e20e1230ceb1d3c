// The editing control in its Qt host, offscreen, on a large text:
//   qx_control_bench FILE [FRAMES] [STEPS] [REFERENCE_LINES]
// 1. paint: a full 1280 x 900 window at the middle of the text, FRAMES times;
// 2. page down: STEPS pages from the middle with the caret kept, each step with its repaint, the text
//    unwrapped and wrapped at 80 columns.
// Each is timed per frame (median and 99th percentile), and the same is done with QPlainTextEdit (Qt's
// own plain-text widget, same font and window) holding the first REFERENCE_LINES lines of the text.

#include "editor/EditorControl.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/QtCanvas.h"

#include "../common/FrameTimes.h"
#include "../common/ReferenceEditor.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace qx;

namespace {

using bench::Figures;
using bench::Time;

// "median ... p99 ... (cpu median ... p99 ...)".
std::string Show(const Figures& F)
{
    char text[160];
    std::snprintf(text, sizeof text, "median %7.3f ms  p99 %7.3f ms (cpu median %6.3f, p99 %6.3f)", F.Median, F.P99,
                  F.CpuMedian, F.CpuP99);
    return text;
}

void Report(const char* What, Figures Ours, Figures Reference)
{
    std::printf("%-34s ours %s | QPlainTextEdit %s | x faster (median) %5.2f\n", What, Show(Ours).c_str(),
                Show(Reference).c_str(), Reference.Median / Ours.Median);
    std::fflush(stdout);
}

const TFontSpec BenchFont{"IPAGothic", 11, clBlack, {}};

void Look(TEditor& Editor)
{
    Editor.SetFont(BenchFont);
    Editor.SetScrollBars(ssBoth);
    Editor.Ruler().SetVisible(true);
    Editor.Leftbar().SetVisible(true);
    Editor.Marks().RetMark().SetVisible(true);
    Editor.Marks().EofMark().SetVisible(true);
    Editor.Marks().Underline().SetVisible(true);
    TEditorColors& colors = Editor.View().Colors();
    colors.Int().SetColor(clBlue);
    colors.Symbol().SetColor(clNavy);
    colors.DBCS().SetColor(clMaroon);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qx_control_bench FILE [FRAMES] [STEPS] [REFERENCE_LINES]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string file = argv[1];
    const int frames = argc > 2 ? std::atoi(argv[2]) : 300;
    const int steps = argc > 3 ? std::atoi(argv[3]) : 1000;
    const int referenceLines = argc > 4 ? std::atoi(argv[4]) : 200000;

    TEditorWidget widget;
    widget.resize(1280, 900);
    TEditor& editor = widget.Editor();
    Look(editor);
    editor.Lines().LoadFromFile(file);
    widget.show();
    app.processEvents();
    const int rows = editor.RowCount();
    std::printf("%d rows; window %dx%d, %d rows x %d columns visible\n", rows, widget.width(), widget.height(),
                editor.VisibleRows(), editor.VisibleCols());

    // The reference: the first lines of the same text in Qt's plain-text widget.
    std::unique_ptr<QPlainTextEdit> referenceEditor = bench::MakeReferenceEditor(file, referenceLines, BenchFont);
    QPlainTextEdit& reference = *referenceEditor;
    reference.show();
    app.processEvents();
    const auto referenceMiddle = [&] {
        QScrollBar* bar = reference.verticalScrollBar();
        bar->setValue((bar->minimum() + bar->maximum()) / 2);
        app.processEvents();
    };

    // 1. Full repaints at the middle.
    editor.SetTopRow(rows / 2);
    editor.SetRowCol(rows / 2 + 3, 0);
    app.processEvents();
    const Figures paint = Time(frames, [&] { widget.viewport()->repaint(); });
    // The control's own share: the same paint pass onto an image of the window's size.
    QImage image(widget.viewport()->size(), QImage::Format_RGB32);
    const Figures pass = Time(frames, [&] {
        QPainter painter(&image);
        TQtCanvas canvas(painter, widget.Fonts());
        editor.Paint(canvas, {0, 0, image.width(), image.height()});
    });
    std::printf("%-34s %s\n", "paint pass alone, onto an image", Show(pass).c_str());
    // The control's logic without any drawing: a canvas that drops every call.
    struct NullCanvas : TEditorCanvas {
        void FillRect(const TRect&, TColor) override {}
        void TextRun(const TRect&, int, int, unsigned, std::string_view, const TTextStyle&) override {}
        void Line(int, int, int, int, TColor) override {}
        void DotLine(int, int, int, TColor, TColor) override {}
        void DrawGlyph(int, int, const TGlyph&, TColor) override {}
        void PushClip(const TRect&) override {}
        void PopClip() override {}
    } null;
    const Figures logic = Time(frames, [&] { editor.Paint(null, {0, 0, image.width(), image.height()}); });
    std::printf("%-34s %s\n", "paint pass, nothing drawn", Show(logic).c_str());
    referenceMiddle();
    const Figures paintRef = Time(frames, [&] { reference.viewport()->repaint(); });
    Report("paint 1280x900 at the middle", paint, paintRef);

    // 2. Page down with the caret kept, each step repainted.
    for (int wrap : {0, 80}) {
        if (wrap > 0) {
            editor.WrapOption().SetWrapByte(wrap);
            editor.SetWordWrap(true);
            // Qt's widget wraps at its own width only (about 140 columns here).
            reference.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        }
        const int total = editor.RowCount();
        editor.SetTopRow(total / 2);
        editor.SetRowCol(total / 2 + 3, 0);
        app.processEvents();
        const Figures page = Time(steps, [&] {
            editor.ScrollRowsKeepCaret(editor.VisibleRows());
            widget.viewport()->repaint();
        });
        // The control's share of a step: the same without drawing.
        const Figures pageLogic = Time(steps / 4, [&] {
            editor.ScrollRowsKeepCaret(editor.VisibleRows());
            editor.Paint(null, {0, 0, image.width(), image.height()});
        });
        std::printf("%-34s %s\n", "  the same, nothing drawn", Show(pageLogic).c_str());
        referenceMiddle();
        const Figures pageRef = Time(steps, [&] {
            reference.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
            reference.viewport()->repaint();
        });
        char label[64];
        std::snprintf(label, sizeof label, "page down, %s", wrap > 0 ? "wrapped at 80" : "unwrapped");
        Report(label, page, pageRef);
    }
    std::fflush(stdout);
    std::_Exit(0);  // leave the memory to the system, as an editor that quits does
}
