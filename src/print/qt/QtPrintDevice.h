#pragma once
// The string-list printer's device over a QPrinter: the paper and resolution from its page layout,
// fonts in device pixels, and the laid-out pages replayed onto it. Without a print server the printer
// writes a PDF file, whose name is asked when the job starts.

#include "editor/qt/FontResolver.h"
#include "print/PrintServices.h"

#include <QPainter>

#include <functional>
#include <memory>

class QPrinter;

namespace qx {

class TQtPrintDevice : public TPrintDevice {
public:
    // AskFileName gives the PDF file of a printer that writes one ("" when the user chose none); a
    // printer whose output file is set already is not asked.
    TQtPrintDevice(std::unique_ptr<QPrinter> Printer, std::function<std::string()> AskFileName = {});
    ~TQtPrintDevice() override;

    TPrintDeviceInfo Info() override;
    TFontMetrics Metrics(const TFontSpec& Font) override;
    bool BeginDoc(const std::string& Title, std::string& Error) override;
    void NewPage() override;
    void DrawPage(const TPrintPages& Pages, const TPrintPage& Page) override;
    bool EndDoc(std::string& Error) override;

    QPrinter& Printer() { return *FPrinter; }

private:
    std::unique_ptr<QPrinter> FPrinter;
    std::function<std::string()> FAskFileName;
    TFontResolver FFonts;
    QPainter FPainter;
};

// A printer as a job starts with it: the system's default printer when there is one, else a PDF
// writer; A4 portrait unless the printer says otherwise, at high resolution.
std::unique_ptr<QPrinter> NewJobPrinter();

// Describes a printer's paper as the device does (for captions).
TPrintDeviceInfo DescribePrinter(QPrinter& Printer);

} // namespace qx
