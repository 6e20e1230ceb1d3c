#include "print/PrintCommand.h"

#include "documents/MainSettings.h"
#include "documents/MessageDialog.h"
#include "editor/QxEditor.h"
#include "platform/Prompter.h"
#include "print/PrintSettings.h"

namespace qx {

bool RunReportingPrintErrors(const TPrintServices& Services, const std::function<bool()>& Job)
{
    try {
        return Job();
    } catch (const EPrintError& e) {
        if (Services.Prompter) ErrorBox(*Services.Prompter)(e);
        return false;
    }
}

bool PreviewDocument(TGlobalState& State, TQxStringsPrinter& Printer, TQxEditor& Editor, bool StayOnTop,
                     const TPrintServices& Services)
{
    LoadPrinterSettings(State);
    PrinterFromSettings(State.Settings.Printer, Printer);
    Printer.FileName = Editor.FileName;
    Printer.SetFirstPageNumber(1);
    Printer.SetFirstLineNumber(1);
    CopyEditorWrap(Editor, Printer);
    Printer.PreviewWindowsPos = StayOnTop ? ppTopMost : ppNoTopMost;
    const std::vector<std::string> lines = ExpandedLines(Editor, Editor.Caret().TabSpaceCount());
    const bool shown = RunReportingPrintErrors(Services, [&] { return Printer.Preview(lines, Services); });
    PrinterToSettings(Printer, State.Settings.Printer);
    SavePrinterSettings(State);
    return shown;
}

} // namespace qx
