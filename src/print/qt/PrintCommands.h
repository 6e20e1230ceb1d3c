#pragma once
// The main window's printing: its printer component (the stored settings), the printer whose page
// setup the user chose (a fresh copy of it prints each job), the preview command and the print
// dialog. Without a print server the printer writes PDF files, whose names are asked when a job starts.

#include "print/PrintServices.h"
#include "print/StringsPrinter.h"

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace qx {

struct TGlobalState;
class TPrompter;
class TQxEditor;

class TPrintCommands {
public:
    TPrintCommands(TGlobalState& State, TPrompter& Prompter, QWidget* Parent);
    ~TPrintCommands();
    TPrintCommands(const TPrintCommands&) = delete;
    TPrintCommands& operator=(const TPrintCommands&) = delete;

    // The main form's printer.
    TQxStringsPrinter StringsPrinter;
    // Whether the main window stays on top (the progress and preview windows follow it).
    std::function<bool()> StayOnTop;
    // The PDF file a job writes ("" : none chosen); by default a save dialog asks.
    std::function<std::string()> AskPdfFile;
    // The clock of the header codes; local time by default.
    std::function<TPrintDate()> Now;
    // Shows the preview modally; by default the preview window.
    std::function<void(TQxStringsPrinter&, TPrintPages&&)> ShowPreview;

    // ActionPrintPreview: the current document's preview.
    bool PreviewMenuClick(TQxEditor& Editor);
    // ActionPrint: the print dialog for the active document (modal).
    void PrintMenuClick(TQxEditor* Editor);
    // The printer setup: a printer's own dialog where there are printers, the page setup otherwise;
    // true when the user accepted.
    bool PrinterSetup(QWidget* Parent);

    TPrintServices Services();
    QPrinter& Printer() { return *FPrinter; }
    TGlobalState& State() { return FState; }
    QWidget* Parent() const { return FParent; }

private:
    TGlobalState& FState;
    TPrompter& FPrompter;
    QWidget* FParent;
    std::unique_ptr<QPrinter> FPrinter;
};

} // namespace qx
