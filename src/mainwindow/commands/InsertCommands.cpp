#include "mainwindow/commands/InsertCommands.h"

#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"
#include "mainwindow/commands/TextCommands.h"

#include <algorithm>

namespace qx {

void InsertLineNumbersFromDialog(TEditor& Editor, const TLineNumberOptions& Options)
{
    const int count = Editor.Lines().Count();
    int first = 1, last = count;
    if (!Options.AllLines) {
        first = std::clamp(Options.FirstLine, 1, std::max(1, count));
        last = std::clamp(Options.LastLine, 1, std::max(1, count));
    }
    if (count == 0 || first > last) return;
    InsertLineNumbers(Editor, Options.AutoDigits, std::clamp(Options.Digits, 1, 8), Options.StartNumber, last, first,
                      std::max(1, Options.Step));
}

} // namespace qx
