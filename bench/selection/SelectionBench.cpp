// Benchmark driver for the editing control's selection and clipboard, run by bench/bench-selection.sh:
//   qx_selection_bench select FILE         loads FILE, selects all of it and copies it to a clipboard
//   qx_selection_bench paste FILE PASTE    loads FILE, then pastes the text of PASTE in the middle of it
// Each prints the milliseconds of the step after the load (steady clock, in process), the size of
// what it moved and the processor milliseconds the step took, so the driver script can set them against another program's time for the same step.
#include "editor/EditorClipboardPort.h"
#include "editor/EditorControl.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

using namespace qx;

namespace {

class StringClipboard : public TEditorClipboardPort {
public:
    std::string Content;
    bool HasText() const override { return !Content.empty(); }
    std::string Text(std::size_t*) const override { return Content; }
    bool HasBoxFormat() const override { return false; }
    void SetText(const std::string& Text, bool) override { Content = Text; }
};

double Millis(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

// The process's processor time: what a step cost apart from the time other programs had the cores.
double CpuMillis()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: qx_selection_bench select FILE | paste FILE PASTE\n");
        return 2;
    }
    const std::string command = argv[1];
    try {
        auto editor = Construct<TEditor>();
        StringClipboard clipboard;
        editor->SetClipboard(&clipboard);
        editor->Lines().LoadFromFile(argv[2]);
        editor->TextLength();  // the line index, as a load for the status bar builds it
        if (command == "select") {
            const auto start = std::chrono::steady_clock::now();
            const double cpu = CpuMillis();
            editor->SelectAll();
            editor->CopyToClipboard();
            const double ms = Millis(start);
            std::printf("%.1f %zu %.1f\n", ms, clipboard.Content.size(), CpuMillis() - cpu);
            return clipboard.Content.size() == static_cast<std::size_t>(editor->TextLength()) ? 0 : 1;
        }
        if (command == "paste" && argc > 3) {
            std::ifstream in(argv[3], std::ios::binary);
            clipboard.Content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            const std::int64_t before = editor->TextLength();
            editor->SetRowCol(editor->RowCount() / 2, 0);
            const auto start = std::chrono::steady_clock::now();
            const double cpu = CpuMillis();
            editor->PasteFromClipboard();
            const double ms = Millis(start);
            std::printf("%.1f %zu %.1f\n", ms, clipboard.Content.size(), CpuMillis() - cpu);
            return editor->TextLength() > before ? 0 : 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qx_selection_bench: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "qx_selection_bench: unknown command %s\n", command.c_str());
    return 2;
}
