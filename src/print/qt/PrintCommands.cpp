#include "print/qt/PrintCommands.h"

#include "documents/GlobalState.h"
#include "editor/QxEditor.h"
#include "print/PrintCommand.h"
#include "print/qt/PrinterDialog.h"
#include "print/qt/QtPrintDevice.h"
#include "print/qt/StrPreview.h"
#include "print/qt/StrProgress.h"

#include <QDateTime>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qx {

namespace {

// A new printer with the chosen printer's name, format and page layout: no state of an earlier job
// (an output file, a page count) carries over.
std::unique_ptr<QPrinter> CopyOf(QPrinter& Setup)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(Setup.outputFormat());
    if (Setup.outputFormat() == QPrinter::NativeFormat) printer->setPrinterName(Setup.printerName());
    printer->setPageLayout(Setup.pageLayout());
    return printer;
}

} // namespace

TPrintCommands::TPrintCommands(TGlobalState& State, TPrompter& Prompter, QWidget* Parent)
    : FState(State), FPrompter(Prompter), FParent(Parent), FPrinter(NewJobPrinter())
{
    StayOnTop = [] { return false; };
    AskPdfFile = [this] {
        const QString name = QFileDialog::getSaveFileName(FParent, QString::fromUtf8("PDF ファイルに印刷"),
                                                          QString(), "PDF (*.pdf)", nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        return name.toStdString();
    };
    Now = [] {
        const QDateTime now = QDateTime::currentDateTime();
        return TPrintDate{now.date().year(), now.date().month(), now.date().day(),
                          now.time().hour(), now.time().minute(), now.time().second()};
    };
    ShowPreview = [this](TQxStringsPrinter& Printer, TPrintPages&& Pages) {
        TQxFormStrPreview::ShowPreview(Printer, std::move(Pages), FParent);
    };
}

TPrintCommands::~TPrintCommands() = default;

TPrintServices TPrintCommands::Services()
{
    TPrintServices s;
    s.NewDevice = [this]() -> std::unique_ptr<TPrintDevice> {
        return std::make_unique<TQtPrintDevice>(CopyOf(*FPrinter), AskPdfFile);
    };
    s.NewProgress = [this](const std::string& Caption, bool TopMost) -> std::unique_ptr<TPrintProgress> {
        return std::make_unique<TQxFormStrProgress>(QString::fromStdString(Caption), TopMost, FParent);
    };
    s.ShowPreview = ShowPreview;
    s.Now = Now;
    s.Prompter = &FPrompter;
    return s;
}

bool TPrintCommands::PreviewMenuClick(TQxEditor& Editor)
{
    return PreviewDocument(FState, StringsPrinter, Editor, StayOnTop(), Services());
}

void TPrintCommands::PrintMenuClick(TQxEditor* Editor)
{
    TPrinterDialog dialog(*this, Editor, FParent);
    dialog.exec();
}

bool TPrintCommands::PrinterSetup(QWidget* Parent)
{
    if (FPrinter->outputFormat() == QPrinter::NativeFormat && !QPrinterInfo::availablePrinters().isEmpty()) {
        QPrintDialog dialog(FPrinter.get(), Parent);
        return dialog.exec() == QDialog::Accepted;
    }
    QPageSetupDialog dialog(FPrinter.get(), Parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qx
