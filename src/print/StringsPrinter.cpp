#include "print/StringsPrinter.h"

#include "platform/Prompter.h"
#include "print/PrintLayout.h"

#include <algorithm>
#include <memory>

namespace qx {

namespace {

int Clamp(int Value, int Low, int High) { return std::clamp(Value, Low, High); }

} // namespace

TQxStringsPrinter::TQxStringsPrinter(TComponent* AOwner) : TStoreComponent(AOwner)
{
    FFont.Name = "ＭＳ 明朝";
    FFont.Size = 10;
    FFont.Color = clBlack;
}

void TQxStringsPrinter::SetColumnCount(int Value) { FColumnCount = Clamp(Value, 1, 3); }
void TQxStringsPrinter::SetColumnSpace(int Value) { FColumnSpace = Clamp(Value, 0, 100); }
void TQxStringsPrinter::SetFirstLineNumber(int Value) { FFirstLineNumber = Clamp(Value, 1, 999999); }
void TQxStringsPrinter::SetFirstPageNumber(int Value) { FFirstPageNumber = Clamp(Value, 1, 999999); }
void TQxStringsPrinter::SetLastLine(int Value) { FLastLine = Clamp(Value, 1, 999999); }
void TQxStringsPrinter::SetLastPage(int Value) { FLastPage = Clamp(Value, 1, 999999); }
void TQxStringsPrinter::SetMarginLeft(int Value) { FMargins[0] = Clamp(Value, 0, 100); }
void TQxStringsPrinter::SetMarginTop(int Value) { FMargins[1] = Clamp(Value, 0, 100); }
void TQxStringsPrinter::SetMarginRight(int Value) { FMargins[2] = Clamp(Value, 0, 100); }
void TQxStringsPrinter::SetMarginBottom(int Value) { FMargins[3] = Clamp(Value, 0, 100); }
void TQxStringsPrinter::SetMarginLine(int Value) { FMarginLine = Clamp(Value, 0, 100); }
void TQxStringsPrinter::SetStartLine(int Value) { FStartLine = Clamp(Value, 1, 999999); }
void TQxStringsPrinter::SetStartPage(int Value) { FStartPage = Clamp(Value, 1, 999999); }

void TQxStringsPrinter::SetFont(const TFontSpec* Value)
{
    if (Value) FFont = *Value;
}

void TQxStringsPrinter::SetPreviewForm(TQxPreviewForm Value)
{
    FPreviewForm = Value;
    if (Value == pfDefault) {
        PreviewFormTop = 0;
        PreviewFormLeft = 0;
        PreviewFormHeight = 400;
        PreviewFormWidth = 400;
    }
}

void TQxStringsPrinter::Assign(const TPersistent& Source)
{
    const auto* other = dynamic_cast<const TQxStringsPrinter*>(&Source);
    if (!other) {
        TStoreComponent::Assign(Source);
        return;
    }
    FColumnCount = other->FColumnCount;
    FColumnSpace = other->FColumnSpace;
    FileName = other->FileName;
    FFirstLineNumber = other->FFirstLineNumber;
    FFirstPageNumber = other->FFirstPageNumber;
    FFont = other->FFont;
    Footer = other->Footer;
    FooterAlign = other->FooterAlign;
    FooterOption = other->FooterOption;
    FooterLine = other->FooterLine;
    Header = other->Header;
    HeaderAlign = other->HeaderAlign;
    HeaderOption = other->HeaderOption;
    HeaderLine = other->HeaderLine;
    FLastLine = other->FLastLine;
    FLastPage = other->FLastPage;
    LineNumber = other->LineNumber;
    LineNumberByLog = other->LineNumberByLog;
    LineRangeOption = other->LineRangeOption;
    std::copy(std::begin(other->FMargins), std::end(other->FMargins), std::begin(FMargins));
    FMarginLine = other->FMarginLine;
    PageOption = other->PageOption;
    RangeOption = other->RangeOption;
    FStartLine = other->FStartLine;
    FStartPage = other->FStartPage;
}

std::vector<int> TQxStringsPrinter::PagePlan(int PageCount) const
{
    std::vector<int> plan;
    for (int k = 1; k <= PageCount; ++k) {
        const int n = k - 1 + FFirstPageNumber;
        const bool inRange = RangeOption == roWhole || (FStartPage <= k && k <= FLastPage);
        const bool parity = PageOption == poBoth || (PageOption == poOdd && n % 2 == 1) ||
                            (PageOption == poEven && n % 2 == 0);
        if (inRange && n >= 1 && parity) plan.push_back(k - 1);
    }
    return plan;
}

bool TQxStringsPrinter::LayOut(const std::vector<std::string>& Lines, TPrintDevice& Device,
                               const TPrintServices& Services, const char* Caption, bool CheckPages,
                               TPrintPages& Pages)
{
    if (LineRangeOption == roLimited && !(1 <= FStartLine && FStartLine <= FLastLine))
        throw EPrintError(LineRangeError);
    const TPrintDeviceInfo info = Device.Info();
    FInfo.PaperNumber = info.PaperNumber;
    const TFontMetrics metrics = Device.Metrics(FFont);

    THeaderValues header;
    header.FileName = FileName;
    if (Services.Now) header.Date = Services.Now();
    std::unique_ptr<TPrintProgress> progress;
    if (Services.NewProgress) progress = Services.NewProgress(CountingCaption, PreviewWindowsPos == ppTopMost);

    // The line-number column is as wide as the largest number printed. Numbered by row, that number
    // is known only once the rows are: a pass that prints a wider one is run again with it.
    const int count = static_cast<int>(Lines.size());
    int lines = count;
    if (LineRangeOption == roLimited) lines = std::max(0, std::min(count, FLastLine) - (FStartLine - 1));
    int digits = DecimalDigits(static_cast<long long>(FFirstLineNumber) - 1 + lines);
    TPrintGeometry geometry;
    TLayoutResult result;
    for (int attempt = 0; attempt < 4; ++attempt) {
        geometry = ComputeGeometry(*this, info, metrics, digits);
        header.LastPage = FLastPageNumber;
        result = RunLayout(*this, Lines, geometry, header, progress.get(), CountingCaption, nullptr);
        if (!result.Completed) return false;
        const int needed = DecimalDigits(result.LargestNumber);
        if (!LineNumber || needed <= digits) break;
        digits = needed;
    }
    FPageCount = result.PageCount;
    FLastPageNumber = FFirstPageNumber + FPageCount - 1;

    if (CheckPages && RangeOption == roLimited &&
        !(1 <= FStartPage && FStartPage <= FPageCount && FStartPage <= FLastPage && FLastPage <= FPageCount))
        throw EPrintError(PageRangeError);

    Pages = geometry.Frame;
    Pages.Pages.reserve(static_cast<std::size_t>(FPageCount));
    header.LastPage = FLastPageNumber;
    result = RunLayout(*this, Lines, geometry, header, progress.get(), Caption, &Pages);
    return result.Completed;
}

bool TQxStringsPrinter::Print(const std::vector<std::string>& Lines, const TPrintServices& Services)
{
    if (!Services.NewDevice) return false;
    const std::unique_ptr<TPrintDevice> device = Services.NewDevice();
    TPrintPages pages;
    if (!LayOut(Lines, *device, Services, PrintingCaption, true, pages)) return false;
    const std::vector<int> plan = PagePlan(static_cast<int>(pages.Pages.size()));
    if (PrintNumberOfCopies <= 0 || plan.empty()) return true;

    const auto fail = [&Services](const char* headline, const std::string& error) {
        if (Services.Prompter) {
            TPromptRequest request;
            request.Text = error.empty() ? std::string(headline) : std::string(headline) + "\n" + error;
            request.Kind = TMsgDlgType::mtError;
            Services.Prompter->Show(request);
        }
        return false;
    };
    std::string error;
    if (!device->BeginDoc("QxEditor - [" + FileName + "]", error)) return !error.empty() && fail(PrintStartError, error);
    // The copies are one job that repeats the pages: one output file holds them all.
    bool first = true;
    for (int copy = 0; copy < PrintNumberOfCopies; ++copy) {
        for (const int k : plan) {
            if (!first) device->NewPage();
            first = false;
            device->DrawPage(pages, pages.Pages[static_cast<std::size_t>(k)]);
        }
    }
    if (!device->EndDoc(error)) return fail(PrintEndError, error);
    return true;
}

bool TQxStringsPrinter::Preview(const std::vector<std::string>& Lines, const TPrintServices& Services)
{
    if (!Services.NewDevice) return false;
    const std::unique_ptr<TPrintDevice> device = Services.NewDevice();
    TPrintPages pages;
    if (!LayOut(Lines, *device, Services, PreviewCaption, false, pages)) return false;
    if (Services.ShowPreview) Services.ShowPreview(*this, std::move(pages));
    return true;
}

} // namespace qx
