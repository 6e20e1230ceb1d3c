#include "print/qt/QtPrintDevice.h"

#include "print/qt/PageReplay.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace qx {

TPrintDeviceInfo DescribePrinter(QPrinter& Printer)
{
    TPrintDeviceInfo info;
    const int dpi = Printer.resolution();
    info.DpiX = info.DpiY = dpi;
    const QPageLayout layout = Printer.pageLayout();
    const QRect paint = layout.paintRectPixels(dpi);
    info.PageWidth = paint.width();
    info.PageHeight = paint.height();
    const QPageSize size = layout.pageSize();
    info.PaperNumber = size.windowsId() > 0 ? size.windowsId() : 9;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    info.PaperWidthMm = static_cast<int>(std::lround(mm.width()));
    info.PaperHeightMm = static_cast<int>(std::lround(mm.height()));
    info.Landscape = layout.orientation() == QPageLayout::Landscape;
    info.PrinterName = Printer.outputFormat() == QPrinter::PdfFormat ? std::string("PDF")
                                                                      : Printer.printerName().toStdString();
    info.PaperName = size.name().toStdString();
    return info;
}

std::unique_ptr<QPrinter> NewJobPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(QPageLayout::Portrait);
        // A file has no unprintable edge: the margins of the layout are the whole story.
        printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
    return printer;
}

TQtPrintDevice::TQtPrintDevice(std::unique_ptr<QPrinter> Printer, std::function<std::string()> AskFileName)
    : FPrinter(std::move(Printer)), FAskFileName(std::move(AskFileName)), FFonts(FPrinter->resolution())
{
}

TQtPrintDevice::~TQtPrintDevice()
{
    if (FPainter.isActive()) FPainter.end();
}

TPrintDeviceInfo TQtPrintDevice::Info() { return DescribePrinter(*FPrinter); }

TFontMetrics TQtPrintDevice::Metrics(const TFontSpec& Font) { return FFonts.Resolve(Font).Metrics; }

bool TQtPrintDevice::BeginDoc(const std::string& Title, std::string& Error)
{
    const bool file = FPrinter->outputFormat() == QPrinter::PdfFormat;
    if (file && FPrinter->outputFileName().isEmpty() && FAskFileName)
        FPrinter->setOutputFileName(QString::fromStdString(FAskFileName()));
    FPrinter->setDocName(QString::fromStdString(Title));
    if (file && FPrinter->outputFileName().isEmpty()) return false;  // the user cancelled the choice
    if (!FPainter.begin(FPrinter.get())) {
        Error = file ? "ファイルに書き込めません: " + FPrinter->outputFileName().toStdString()
                    : "プリンタを使えません: " + FPrinter->printerName().toStdString();
        return false;
    }
    return true;
}

void TQtPrintDevice::NewPage() { FPrinter->newPage(); }

void TQtPrintDevice::DrawPage(const TPrintPages& Pages, const TPrintPage& Page)
{
    ReplayPage(FPainter, FFonts, Pages, Page);
}

bool TQtPrintDevice::EndDoc(std::string& Error)
{
    if (!FPainter.isActive()) return true;
    if (!FPainter.end()) {
        Error = FPrinter->outputFileName().toStdString();
        return false;
    }
    return true;
}

} // namespace qx
