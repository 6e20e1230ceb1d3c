// Benchmark driver for the text commands on a document editor, run by bench/bench-textcommands.sh:
//   qx_textcommands_bench quote FILE LINES     loads FILE, puts "> " before its first LINES lines
//   qx_textcommands_bench number FILE LINES    loads FILE, numbers its first LINES lines
//   qx_textcommands_bench hankaku FILE         loads FILE, selects all of it and converts it to half width
// Each prints the milliseconds of the command after the load (steady clock, in process) and the undo
// steps it left (1 each), so the driver script can set them against another program doing the same.
#include "editor/QxEditor.h"
#include "mainwindow/commands/TextCommands.h"
#include "mainwindow/commands/TextConvert.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace qx;

namespace {

double Millis(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

// The undo steps the command left: undo until nothing is left.
int UndoSteps(TEditor& Editor)
{
    int steps = 0;
    while (Editor.CanUndo() && steps < 10) {
        Editor.Undo();
        ++steps;
    }
    return steps;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: qx_textcommands_bench quote|number FILE LINES | hankaku FILE\n");
        return 2;
    }
    const std::string command = argv[1];
    try {
        auto editor = Construct<TQxEditor>();
        editor->Lines().LoadFromFile(argv[2]);
        editor->TextLength();  // the line index, as a load for the status bar builds it
        const int lines = argc > 3 ? std::stoi(argv[3]) : 0;
        const auto start = std::chrono::steady_clock::now();
        if (command == "quote") {
            EditLines(*editor, 0, lines - 1, [](std::string_view Line) { return "> " + std::string(Line); });
        } else if (command == "number") {
            InsertLineNumbers(*editor, true, 0, 1, lines, 1, 1);
        } else if (command == "hankaku") {
            editor->SelectAll();
            ConvertSelection(*editor, ConvertToHankaku, true);  // as the command converts
        } else {
            std::fprintf(stderr, "qx_textcommands_bench: unknown command %s\n", command.c_str());
            return 2;
        }
        const double ms = Millis(start);
        std::printf("%.1f %d\n", ms, UndoSteps(*editor));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qx_textcommands_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
