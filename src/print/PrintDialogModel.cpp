#include "print/PrintDialogModel.h"

#include "documents/MainSettings.h"
#include "editor/QxEditor.h"
#include "print/PrintCommand.h"
#include "print/PrintSettings.h"

#include <algorithm>

namespace qx {

namespace {

// The fields the dialog shares with the main form's printer, both ways.
void CopyShared(const TQxStringsPrinter& From, TQxStringsPrinter& To)
{
    TFontSpec font = To.Font();
    font.Name = From.Font().Name;
    font.Size = From.Font().Size;
    To.SetFont(&font);
    To.SetMarginLeft(From.MarginLeft());
    To.SetMarginRight(From.MarginRight());
    To.SetMarginTop(From.MarginTop());
    To.SetMarginBottom(From.MarginBottom());
    To.SetMarginLine(From.MarginLine());
    To.LineNumber = From.LineNumber;
    To.LineNumberByLog = From.LineNumberByLog;
    To.Header = From.Header;
    To.HeaderAlign = From.HeaderAlign;
    To.HeaderLine = From.HeaderLine;
    To.HeaderOption = From.HeaderOption;
    To.Footer = From.Footer;
    To.FooterAlign = From.FooterAlign;
    To.FooterLine = From.FooterLine;
    To.FooterOption = From.FooterOption;
    To.SetColumnCount(From.ColumnCount());
    To.SetColumnSpace(From.ColumnSpace());
    To.PreviewFormTop = From.PreviewFormTop;
    To.PreviewFormLeft = From.PreviewFormLeft;
    To.PreviewFormHeight = From.PreviewFormHeight;
    To.PreviewFormWidth = From.PreviewFormWidth;
    To.WrapOptionUsed = From.WrapOptionUsed;
}

} // namespace

TPrintDialogModel::TPrintDialogModel(TGlobalState& State, TQxStringsPrinter& Main, TEditor* Editor)
    : FState(State), FMain(Main), FEditor(Editor)
{
}

void TPrintDialogModel::Show(bool StayOnTop)
{
    LoadPrinterSettings(FState);
    PrinterFromSettings(FState.Settings.Printer, FMain);
    StringsPrinter1.PreviewWindowsPos = StayOnTop ? ppTopMost : ppNoTopMost;
    CopyShared(FMain, StringsPrinter1);
    StringsPrinter1.SetPreviewForm(pfUser);
    if (FEditor) {
        CopyEditorWrap(*FEditor, StringsPrinter1);
        if (auto* document = dynamic_cast<TQxEditor*>(FEditor)) StringsPrinter1.FileName = document->FileName;
        EndLine = std::max(1, FEditor->Lines().Count());
    }
    const int stored = FState.Settings.Printer.TabSpaceCount;
    TabWidth = (stored == 2 || stored == 4 || stored == 6 || stored == 8) ? stored : 4;
}

std::string TPrintDialogModel::Caption(const TPrintDeviceInfo& Device)
{
    return "印刷 - [Printer: " + Device.PrinterName + " - " + Device.PaperName + " " +
           (Device.Landscape ? "横" : "縦") + "]";
}

const std::array<const char*, 8>& TPrintDialogModel::FormatItems()
{
    static const std::array<const char*, 8> items = {
        "総ページ数(%P)",           "ページ番号(%p)", "ファイル名パス付き(%f)", "ファイル名パス無し(%F)",
        "年(%y)", "月(%m)", "日(%d)", "時間(%t)"};
    return items;
}

void TPrintDialogModel::InsertFormatCode(std::u16string& Text, int& Caret, int Index)
{
    if (Index < 0 || Index >= static_cast<int>(FormatItems().size())) return;
    const std::string item = FormatItems()[static_cast<std::size_t>(Index)];
    const auto percent = item.find('%');
    if (percent == std::string::npos || percent + 1 >= item.size()) return;
    const std::u16string code{u'%', static_cast<char16_t>(item[percent + 1])};
    const auto at = static_cast<std::size_t>(std::clamp(Caret, 0, static_cast<int>(Text.size())));
    Text.insert(at, code);
    Caret = static_cast<int>(at + code.size());
}

void TPrintDialogModel::PrepareJob(bool Copies)
{
    if (Copies) StringsPrinter1.PrintNumberOfCopies = std::clamp(NumberOfCopies, 1, 999);
    StringsPrinter1.SetFirstLineNumber(FirstLineNumber);
    StringsPrinter1.SetFirstPageNumber(FirstPageNumber);
    if (StringsPrinter1.RangeOption == roLimited) {
        StringsPrinter1.SetStartPage(StartPage);
        StringsPrinter1.SetLastPage(EndPage);
    }
    if (StringsPrinter1.LineRangeOption == roLimited) {
        StringsPrinter1.SetStartLine(StartLine);
        StringsPrinter1.SetLastLine(EndLine);
    }
}

bool TPrintDialogModel::Print(const TPrintServices& Services)
{
    if (!FEditor) return false;
    PrepareJob(true);
    const std::vector<std::string> lines = ExpandedLines(*FEditor, TabWidth);
    return RunReportingPrintErrors(Services, [&] { return StringsPrinter1.Print(lines, Services); });
}

bool TPrintDialogModel::Preview(const TPrintServices& Services)
{
    if (!FEditor) return false;
    PrepareJob(false);
    const std::vector<std::string> lines = ExpandedLines(*FEditor, TabWidth);
    return RunReportingPrintErrors(Services, [&] { return StringsPrinter1.Preview(lines, Services); });
}

void TPrintDialogModel::Close()
{
    CopyShared(StringsPrinter1, FMain);
    PrinterToSettings(FMain, FState.Settings.Printer);
    FState.Settings.Printer.TabSpaceCount = TabWidth;
    SavePrinterSettings(FState);
}

} // namespace qx
