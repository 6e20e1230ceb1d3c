// Typing into the main window, offscreen, as a user types: each keystroke a key press and release sent
// to the focused document pane through the application (so the window's key router and event filters
// see it), then everything it posted handled (the status bar's refresh, the repaint) until the window
// is idle again.
//   qx_window_typing_bench FILE [CHARACTERS]
// The same keys go to the editing control alone in its host widget, and to Qt's QPlainTextEdit with
// the same text, each key handled the same way. Figures per keystroke: median and 99th percentile of
// the wall clock and of the thread's processor time; the window's own cost is the window's median less
// the control's. The settings files opened while typing are counted.

#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "documents/SettingsFile.h"
#include "documents/qt/QxMessageDialog.h"
#include "editor/EditorControl.h"
#include "editor/qt/EditorWidget.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "platform/Cp932.h"
#include "platform/SettingsBytes.h"

#include "../common/FrameTimes.h"
#include "../common/ReferenceEditor.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace qx;

namespace {

using bench::Figures;
using bench::Time;

// The i-th key: a letter, or "あ" every eighth key.
QString KeyText(int I) { return I % 8 == 7 ? QString::fromUtf8("あ") : QString(QChar('a' + I % 26)); }

// One keystroke to Target as the platform delivers it, then the window idle again.
void Type(QWidget& Target, int I)
{
    const QString text = KeyText(I);
    const int key = I % 8 == 7 ? 0 : Qt::Key_A + I % 26;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&Target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&Target, &release);
    QApplication::processEvents();
}

void Print(const char* Label, const Figures& F)
{
    std::printf("%-34s median %7.4f p99 %7.4f ms (cpu median %7.4f p99 %7.4f)\n", Label, F.Median, F.P99, F.CpuMedian,
                F.CpuP99);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qx_window_typing_bench FILE [CHARACTERS]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string file = QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString();
    const int characters = argc > 2 ? std::atoi(argv[2]) : 2000;

    // A program folder of its own, the tips not shown at the start.
    QTemporaryDir home;
    std::ofstream(home.filePath("QxEditor.ini").toStdString()) << "[OnePoint]\r\nShowAtStart=0\r\n";
    TGlobalState state;
    state.ProgramFolder = home.path().toStdString() + "/";
    TQtPrompter prompter;
    TQxEditorMain window(state, prompter);
    LoadMainSettings(state, &window);
    window.resize(1280, 900);
    window.show();
    window.FormShow({file}, QDir::currentPath().toStdString());
    app.processEvents();
    TEditorWidget& pane = window.CurrentFrame()->MainHost();
    pane.setFocus();
    app.processEvents();

    TEditorWidget alone;
    alone.resize(pane.size());
    alone.Editor().SetFont(pane.Editor().Font());
    alone.Editor().Lines().LoadFromFile(file);
    alone.show();

    std::unique_ptr<QPlainTextEdit> reference = bench::MakeReferenceEditor(file.c_str(), 1 << 30, pane.Editor().Font());
    reference->resize(pane.size());
    reference->show();
    app.processEvents();

    std::printf("%s: %d rows; %d keystrokes each, typed at the end of the first row\n", argv[1],
                pane.Editor().RowCount(), characters);
    const auto atFirstRowEnd = [&](TEditor& Editor) {
        Editor.SetRowCol(0, 0);
        Editor.SetCol(Editor.RowDisplayWidth(0));
        app.processEvents();
    };

    atFirstRowEnd(pane.Editor());
    const long opens = SettingsFileReads();
    int key = 0;
    window.activateWindow();
    pane.setFocus();
    const Figures inWindow = Time(characters, [&] { Type(pane, key++); });
    const long opened = SettingsFileReads() - opens;

    atFirstRowEnd(alone.Editor());
    alone.activateWindow();
    alone.setFocus();
    const Figures control = Time(characters, [&] { Type(alone, key++); });

    QTextCursor cursor = reference->textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::EndOfBlock);
    reference->setTextCursor(cursor);
    reference->activateWindow();
    reference->setFocus();
    app.processEvents();
    const Figures plain = Time(characters, [&] { Type(*reference, key++); });

    Print("main window, per keystroke", inWindow);
    Print("the control alone", control);
    Print("QPlainTextEdit", plain);
    std::printf("the window's own cost per keystroke: %.4f ms (median less the control's); "
                "settings files opened while typing: %ld\n",
                inWindow.Median - control.Median, opened);
    std::printf("main window / QPlainTextEdit (median): %.2f\n", inWindow.Median / plain.Median);
    std::fflush(stdout);
    std::_Exit(0);
}
