// Typing into the editing control in its Qt host, offscreen, on a large text:
//   qx_typing_bench FILE [CHARACTERS] [REFERENCE_LINES]
// CHARACTERS keystrokes (ASCII letters and a double-byte character every eighth key) are typed at the
// end, the middle and the start of the text, unwrapped and wrapped at 80 columns. Each keystroke is
// timed through the control's character entry point, which makes the edit and the repaint requests;
// then, for the same keys again, with the widget's repaint of what they asked for (the posted update
// requests delivered at once). Figures per keystroke: median and 99th percentile, wall clock and the
// thread's processor time; and the share of the window a keystroke repainted. The same keys go to
// Qt's QPlainTextEdit holding the first REFERENCE_LINES lines of the text, as key events, each with
// its repaint.

#include "editor/EditorControl.h"
#include "editor/qt/EditorWidget.h"

#include "../common/FrameTimes.h"
#include "../common/ReferenceEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace qx;

namespace {

using bench::Figures;
using bench::Time;

// The i-th key: a letter, or "あ" every eighth key.
std::string KeyText(int I) { return I % 8 == 7 ? std::string("\x82\xA0") : std::string(1, static_cast<char>('a' + I % 26)); }

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qx_typing_bench FILE [CHARACTERS] [REFERENCE_LINES]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int characters = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int referenceLines = argc > 3 ? std::atoi(argv[3]) : 200000;
    const TFontSpec font{"IPAGothic", 11, clBlack, {}};

    // Counts the pixels each paint event of the text's viewport covers.
    struct TPaintCounter : QObject {
        long long Pixels = 0;
        bool eventFilter(QObject*, QEvent* Event) override
        {
            if (Event->type() == QEvent::Paint)
                for (const QRect& r : static_cast<QPaintEvent*>(Event)->region()) Pixels += 1LL * r.width() * r.height();
            return false;
        }
    } painter;
    TEditorWidget widget;
    widget.resize(1280, 900);
    TEditor& editor = widget.Editor();
    editor.SetFont(font);
    editor.SetScrollBars(ssBoth);
    editor.Ruler().SetVisible(true);
    editor.Leftbar().SetVisible(true);
    editor.Marks().RetMark().SetVisible(true);
    editor.Marks().Underline().SetVisible(true);
    editor.Lines().LoadFromFile(argv[1]);
    widget.viewport()->installEventFilter(&painter);
    widget.show();
    widget.setFocus();
    app.processEvents();
    // The reference takes the same keys as key events, each with its repaint.
    std::unique_ptr<QPlainTextEdit> reference = bench::MakeReferenceEditor(argv[1], referenceLines, font);
    reference->move(0, 1000);
    reference->show();
    widget.activateWindow();
    widget.setFocus();
    app.processEvents();
    std::printf("%d rows (the reference %d lines); %d keystrokes per place\n", editor.RowCount(), referenceLines,
                characters);
    std::printf("%-28s %-44s %-64s %s\n", "place", "keystroke (edit + repaint requests)", "keystroke + repaint",
                "QPlainTextEdit keystroke + repaint");

    for (int wrap : {0, 80}) {
        if (wrap > 0) {
            editor.WrapOption().SetWrapByte(wrap);
            editor.SetWordWrap(true);
            // Qt's widget wraps at its own width only (about 140 columns here).
            reference->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        }
        for (const char* place : {"end", "middle", "start"}) {
            const auto goTo = [&] {
                const int rows = editor.RowCount();
                const int row = place[0] == 'e' ? rows - 1 : place[0] == 'm' ? rows / 2 : 0;
                editor.SetRowCol(row, 0);
                if (place[0] == 'e') editor.SetCol(editor.RowDisplayWidth(row));
                app.processEvents();
            };
            goTo();
            int key = 0;
            const Figures typed = Time(characters, [&] { editor.KeyPress(KeyText(key++)); });
            app.processEvents();
            goTo();
            painter.Pixels = 0;
            const Figures painted = Time(characters, [&] {
                editor.KeyPress(KeyText(key++));
                QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
            });
            QTextCursor cursor = reference->textCursor();
            cursor.movePosition(place[0] == 'e' ? QTextCursor::End : QTextCursor::Start);
            if (place[0] == 'm') cursor.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, referenceLines / 2);
            reference->setTextCursor(cursor);
            reference->ensureCursorVisible();
            app.processEvents();
            const Figures referenced = Time(characters, [&] {
                const std::string typed = KeyText(key++);
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromStdString(Cp932ToUtf8(typed)));
                QCoreApplication::sendEvent(reference.get(), &press);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
            });
            char label[64], a[96], b[96], c[96];
            std::snprintf(label, sizeof label, "%s, %s", place, wrap > 0 ? "wrapped at 80" : "unwrapped");
            std::snprintf(a, sizeof a, "median %6.3f p99 %6.3f ms (cpu p99 %6.3f)", typed.Median, typed.P99, typed.CpuP99);
            std::snprintf(b, sizeof b, "median %6.3f p99 %6.3f ms (cpu p99 %6.3f)", painted.Median, painted.P99,
                          painted.CpuP99);
            std::snprintf(c, sizeof c, "median %6.3f p99 %6.3f ms (cpu p99 %6.3f)", referenced.Median, referenced.P99,
                          referenced.CpuP99);
            std::printf("%-28s %-44s %s, %4.1f%% of the window a key  %s, x faster (median) %.2f\n", label, a, b,
                        100.0 * static_cast<double>(painter.Pixels) / characters /
                            (widget.viewport()->width() * widget.viewport()->height()),
                        c, referenced.Median / painted.Median);
            std::fflush(stdout);
        }
    }
    std::_Exit(0);
}
