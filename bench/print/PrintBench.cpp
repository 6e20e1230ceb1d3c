// The string-list printer on a generated document: the layout of every page (the counting pass and
// the real pass, as a job runs them), on a device of A4 at 600 dpi with IPAGothic's metrics, and one
// page replayed onto an image at the preview's scale (offscreen).
//   qx_print_bench generate <file> <lines>     writes the document (UTF-8, for outside tools too)
//   qx_print_bench run <file> [rounds]         prints the median milliseconds of each step

#include "editor/QxEditor.h"
#include "editor/qt/FontResolver.h"
#include "platform/Cp932.h"
#include "print/PrintSettings.h"
#include "print/StringsPrinter.h"
#include "print/qt/PageReplay.h"
#include "print/qt/StrProgress.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace qx;

namespace {

class BenchDevice : public TPrintDevice {
public:
    explicit BenchDevice(TFontMetrics Metrics) : FMetrics(Metrics) {}
    TPrintDeviceInfo Info() override
    {
        TPrintDeviceInfo info;
        info.DpiX = info.DpiY = 600;
        info.PageWidth = 4960;
        info.PageHeight = 7016;
        return info;
    }
    TFontMetrics Metrics(const TFontSpec&) override { return FMetrics; }
    bool BeginDoc(const std::string&, std::string&) override { return true; }
    void NewPage() override {}
    void DrawPage(const TPrintPages&, const TPrintPage&) override {}
    bool EndDoc(std::string&) override { return true; }

private:
    TFontMetrics FMetrics;
};

// Counts the updates, as a progress window would see them.
class CountingProgress : public TPrintProgress {
public:
    bool Update(const std::string&, int, int) override
    {
        ++Updates;
        return false;
    }
    long Updates = 0;
};

int Generate(const char* path, int lines)
{
    std::mt19937 random(142);
    const char* words[] = {"印刷", "プレビュー", "の", "ページ", "は", "、", "。", "text", "line", " ", "日本語",
                           "折り返し", "(", ")", "「", "」", "1234"};
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < lines; ++i) {
        const int n = static_cast<int>(random() % 40);
        for (int k = 0; k < n; ++k) out << words[random() % std::size(words)];
        out << "\n";
    }
    return out ? 0 : 1;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::string(argv[1]) == "generate") return Generate(argv[2], std::atoi(argv[3]));
    if (argc < 3 || std::string(argv[1]) != "run") {
        std::fprintf(stderr, "usage: qx_print_bench generate <file> <lines> | run <file> [rounds]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc >= 4 ? std::max(1, std::atoi(argv[3])) : 5;
    std::ifstream in(argv[2], std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(Utf8ToCp932(line));

    TQxStringsPrinter printer;
    printer.SetMarginLeft(20);
    printer.SetMarginRight(15);
    printer.SetMarginTop(15);
    printer.SetMarginBottom(15);
    printer.Header = "%F %y/%m/%d";
    printer.HeaderAlign = haRight;
    printer.Footer = "- %p / %P -";
    printer.FooterAlign = haCenter;
    printer.LineNumber = true;
    printer.WrapOptionUsed = false;  // every line-break rule on
    TFontResolver fonts(600);
    const TFontMetrics metrics = fonts.Resolve(printer.Font()).Metrics;

    // The lines as the preview command takes them from a document editor: tabs expanded.
    auto editor = Construct<TQxEditor>();
    {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        editor->Lines().SetText(text);
    }
    std::vector<double> expand;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<std::string> expanded = ExpandedLines(*editor, 4);
        expand.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (expanded.size() != lines.size()) return 1;
    }

    std::vector<double> layout, window, page;
    TPrintPages pages;
    long updates = 0;
    for (int r = 0; r < rounds; ++r) {
        BenchDevice device(metrics);
        CountingProgress progress;
        TPrintServices services;
        services.NewProgress = [&progress](const std::string&, bool) {
            struct Forward : TPrintProgress {
                TPrintProgress& To;
                explicit Forward(TPrintProgress& T) : To(T) {}
                bool Update(const std::string& C, int M, int P) override { return To.Update(C, M, P); }
            };
            return std::make_unique<Forward>(progress);
        };
        pages = {};
        const auto start = std::chrono::steady_clock::now();
        printer.LayOut(lines, device, services, PrintingCaption, true, pages);
        layout.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        updates = progress.Updates;

        // The same with the progress window (offscreen) asked on every line.
        services.NewProgress = [](const std::string& Caption, bool TopMost) -> std::unique_ptr<TPrintProgress> {
            return std::make_unique<TQxFormStrProgress>(QString::fromStdString(Caption), TopMost);
        };
        TPrintPages windowed;
        const auto windowStart = std::chrono::steady_clock::now();
        printer.LayOut(lines, device, services, PrintingCaption, true, windowed);
        window.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - windowStart).count());

        // One page as the preview shows it: fit to a 800-pixel-high window.
        QImage image(566, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        const auto drawStart = std::chrono::steady_clock::now();
        {
            QPainter painter(&image);
            painter.scale(800.0 / pages.PageHeight, 800.0 / pages.PageHeight);
            ReplayPage(painter, fonts, pages, pages.Pages[pages.Pages.size() / 2]);
        }
        page.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - drawStart).count());
    }
    std::printf("lines %zu\npages %zu\nprogress_updates %ld\nlayout_ms %.2f\nlayout_with_window_ms %.2f\n"
                "preview_page_ms %.2f\nexpanded_lines_ms %.2f\n",
                lines.size(), pages.Pages.size(), updates, Median(layout), Median(window), Median(page),
                Median(expand));
    return 0;
}
