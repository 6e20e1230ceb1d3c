// Long lines and big texts in the editing control, in its Qt host offscreen:
//   qx_longline_bench keys FILE ROW COL [KEYS]   keystrokes at ROW:COL, each with its repaint
//   qx_longline_bench idle FILE ROW COL [SECONDS] processor time per second, caret at ROW:COL, focused
//   qx_longline_bench end FILE [SECONDS]          the first Ctrl+End after the load, with its repaint;
//                                                 then the longest stretch without an event-loop turn
//   qx_longline_bench generate FILE MB [LINE_MB]  a text: LINE_MB of one line (0: none), an empty line,
//                                                 then short lines up to MB
// Figures in milliseconds: per keystroke the median and 99th percentile, wall clock and the thread's
// processor time.

#include "editor/EditorControl.h"
#include "editor/qt/EditorWidget.h"
#include "platform/VirtualKeyCodes.h"

#include "../common/FrameTimes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace qx;

namespace {

using bench::Figures;
using bench::Time;

double ProcessCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Words of ASCII, digits, kanji and kana (Shift-JIS), a tab now and then.
std::string Piece(unsigned& Seed)
{
    static const char* const words[] = {"editor", "long", "line", "12345", "\x8a\xbf\x8e\x9a", "\x82\xa9\x82\xc8",
                                        "(x)", "\"quoted\"", "0x1F", "\x83\x4a\x83\x69"};
    Seed = Seed * 1103515245u + 12345u;
    std::string out = words[(Seed >> 16) % 10];
    out += (Seed >> 8) % 16 == 0 ? '\t' : ' ';
    return out;
}

void Generate(const char* Path, double Mb, double LineMb)
{
    std::ofstream out(Path, std::ios::binary);
    unsigned seed = 1;
    std::string line;
    const auto bytes = [](double m) { return static_cast<std::size_t>(m * 1024 * 1024); };
    std::size_t written = 0;
    if (LineMb > 0) {
        while (line.size() < bytes(LineMb)) line += Piece(seed);
        out << line << "\r\n\r\n";
        written += line.size() + 4;
    }
    while (written < bytes(Mb)) {
        line.clear();
        const unsigned n = 3 + (seed >> 4) % 12;
        for (unsigned i = 0; i < n; ++i) line += Piece(seed);
        line += "\r\n";
        out << line;
        written += line.size();
    }
}

// The i-th key: a letter, or a double-byte character every eighth key.
std::string KeyText(int I) { return I % 8 == 7 ? std::string("\x82\xA0") : std::string(1, static_cast<char>('a' + I % 26)); }

struct TWindow {
    TEditorWidget Widget;
    TEditor& Editor = Widget.Editor();
    explicit TWindow(const char* File)
    {
        Widget.resize(1280, 900);
        Editor.SetFont({"IPAGothic", 11, clBlack, {}});
        Editor.SetScrollBars(ssBoth);
        Editor.Ruler().SetVisible(true);
        Editor.Leftbar().SetVisible(true);
        Editor.Marks().RetMark().SetVisible(true);
        Editor.Marks().Underline().SetVisible(true);
        Editor.Lines().LoadFromFile(File);
        Widget.show();
        Widget.activateWindow();
        Widget.setFocus();
        QCoreApplication::processEvents();
    }
    // Runs the event loop for Ms milliseconds, waiting for events as the program's loop does. Watch:
    // answers the longest time between two ticks of a 1 ms timer, the longest the loop was kept from
    // turning (the timer's own wake-ups cost processor time, so an idle measurement runs without it).
    double LongestCpu = 0;  // the most processor time the thread spent between two ticks, as Run watched
    double Run(int Ms, bool Watch = false)
    {
        QEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        double longest = 0, last = 0, lastCpu = bench::ThreadMs();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6, cpu = bench::ThreadMs();
            longest = std::max(longest, now - last);
            LongestCpu = std::max(LongestCpu, cpu - lastCpu);
            last = now;
            lastCpu = cpu;
        });
        if (Watch) tick.start(1);
        QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
        loop.exec();
        return longest;
    }
};

void Print(const char* Label, const Figures& F)
{
    std::printf("%-40s median %7.3f p99 %7.3f ms (cpu median %7.3f p99 %7.3f)\n", Label, F.Median, F.P99, F.CpuMedian,
                F.CpuP99);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: qx_longline_bench keys|idle|end|generate FILE ...\n");
        return 2;
    }
    const std::string mode = argv[1];
    if (mode == "generate") {
        Generate(argv[2], argc > 3 ? std::atof(argv[3]) : 6, argc > 4 ? std::atof(argv[4]) : 0);
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto arg = [&](int I, int Default) { return argc > I ? std::atoi(argv[I]) : Default; };

    if (mode == "keys") {
        TWindow w(argv[2]);
        w.Run(200);
        w.Editor.SetRowCol(arg(3, 0), arg(4, 0));
        w.Run(50);
        int key = 0;
        // The edit with its repaint requests, then (from the same place) the same with the repaint done.
        const Figures typed = Time(arg(5, 200), [&] { w.Editor.KeyPress(KeyText(key++)); });
        w.Run(50);
        w.Editor.SetRowCol(arg(3, 0), arg(4, 0));
        w.Run(50);
        const Figures painted = Time(arg(5, 200), [&] {
            w.Editor.KeyPress(KeyText(key++));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        });
        char label[80];
        std::snprintf(label, sizeof label, "keystroke at %d:%d, the edit", arg(3, 0), arg(4, 0));
        Print(label, typed);
        std::snprintf(label, sizeof label, "keystroke at %d:%d, with its repaint", arg(3, 0), arg(4, 0));
        Print(label, painted);
    } else if (mode == "idle") {
        TWindow w(argv[2]);
        w.Editor.SetRowCol(arg(3, 0), arg(4, 0));
        w.Run(1500);  // the lexer's work ahead and the first paints done
        // Counts the paint events of the text's viewport: the caret's blink.
        struct TPaints : QObject {
            int Count = 0;
            bool eventFilter(QObject*, QEvent* Event) override
            {
                if (Event->type() == QEvent::Paint) ++Count;
                return false;
            }
        } paints;
        w.Widget.viewport()->installEventFilter(&paints);
        const int seconds = arg(5, 5);
        const double cpu = ProcessCpuMs();
        w.Run(seconds * 1000);
        std::printf("idle at %d:%d: %.2f ms of processor time per second (%d paints of the caret's blink)\n", arg(3, 0),
                    arg(4, 0), (ProcessCpuMs() - cpu) / seconds, paints.Count);
    } else if (mode == "end") {
        const auto loadStart = std::chrono::steady_clock::now();
        TWindow w(argv[2]);
        const double load = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - loadStart).count();
        const Figures f = Time(1, [&] {
            w.Editor.KeyDown(VK_END, ssCtrl, false);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        });
        const double longest = w.Run(arg(3, 10) * 1000, true);
        std::printf("load and show %.0f ms, %d rows; first Ctrl+End with its repaint %.1f ms (cpu %.1f); then the "
                    "longest stretch between event-loop turns %.1f ms, the most processor time between two %.1f ms\n",
                    load, w.Editor.RowCount(), f.Median, f.CpuMedian, longest, w.LongestCpu);
    }
    std::fflush(stdout);
    std::_Exit(0);
}
