#include "print/PrintLayout.h"

#include "editor/QxEditor.h"
#include "print/StringsPrinter.h"

#include <algorithm>
#include <cmath>

namespace qx {

int MmToPixels(int Mm, int Dpi) { return static_cast<int>(std::lround(Mm * Dpi / 25.4)); }

int DecimalDigits(long long N)
{
    int digits = 1;
    for (N = N < 0 ? -N : N; N >= 10; N /= 10) ++digits;
    return digits;
}

namespace {

// The screen's resolution, used for a device that cannot tell its own.
constexpr int ScreenDpi = 96;

// How many cells past the wrap column the line-break rules may hang a row: punctuation that follows
// the cut may take up to three more columns (a single-byte mark, then a double-byte one).
int HangingCells(const TEditorWrapOption& Option) { return Option.FollowPunctuation() ? 3 : 0; }

void ConfigureWrap(const TQxStringsPrinter& P, TEditorWrapOption& Option)
{
    if (P.WrapOptionUsed) {
        Option.SetFollowStr(P.WrapFollowStr);
        Option.SetLeadStr(P.WrapLeadStr);
        Option.SetPunctuationStr(P.WrapPunctuationStr);
        Option.SetWordBreak(P.WrapWordBreak);
        Option.SetFollowRetMark(P.WrapFollowRetMark);
        Option.SetLeading(P.WrapLeading);
        Option.SetFollowPunctuation(P.WrapFollowPunctuation);
    } else {
        // Every rule on, with the editor's own character lists.
        Option.SetWordBreak(true);
        Option.SetFollowRetMark(true);
        Option.SetLeading(true);
        Option.SetFollowPunctuation(true);
    }
}

} // namespace

TPrintGeometry ComputeGeometry(const TQxStringsPrinter& P, const TPrintDeviceInfo& Device,
                               const TFontMetrics& Metrics, int NumberDigits)
{
    TPrintGeometry g;
    g.Metrics = Metrics;
    TPrintPages& f = g.Frame;
    f.DpiX = Device.DpiX > 0 ? Device.DpiX : ScreenDpi;
    f.DpiY = Device.DpiY > 0 ? Device.DpiY : ScreenDpi;
    f.Font = P.Font();
    f.CellWidth = std::max(1, Metrics.AveCharWidth);

    // The sheet, then the printable area on it (centred, as the device does not say where it lies).
    TPaperItem paper{"", Device.PaperWidthMm, Device.PaperHeightMm, Device.PaperNumber};
    if (paper.Width <= 0 || paper.Height <= 0) paper = TQxStringsPrinterInfo{{}, Device.PaperNumber}.CurrentPaper();
    if (Device.Landscape) std::swap(paper.Width, paper.Height);
    f.PaperWidth = MmToPixels(paper.Width, f.DpiX);
    f.PaperHeight = MmToPixels(paper.Height, f.DpiY);
    f.PageWidth = Device.PageWidth > 0 ? Device.PageWidth : f.PaperWidth;
    f.PageHeight = Device.PageHeight > 0 ? Device.PageHeight : f.PaperHeight;
    const int left = (f.PaperWidth - f.PageWidth) / 2, top = (f.PaperHeight - f.PageHeight) / 2;
    g.Unprintable = {std::max(0, left), std::max(0, top), std::max(0, f.PaperWidth - f.PageWidth - left),
                     std::max(0, f.PaperHeight - f.PageHeight - top)};
    f.UnprintableLeft = g.Unprintable.Left;
    f.UnprintableTop = g.Unprintable.Top;

    g.Print.Left = std::max(0, MmToPixels(P.MarginLeft(), f.DpiX) - g.Unprintable.Left);
    g.Print.Top = std::max(0, MmToPixels(P.MarginTop(), f.DpiY) - g.Unprintable.Top);
    g.Print.Right = std::min(f.PageWidth, f.PageWidth - MmToPixels(P.MarginRight(), f.DpiX) + g.Unprintable.Right);
    g.Print.Bottom =
        std::min(f.PageHeight, f.PageHeight - MmToPixels(P.MarginBottom(), f.DpiY) + g.Unprintable.Bottom);

    g.RowHeight = std::max(1, Metrics.Height + Metrics.ExternalLeading);
    const int band = g.RowHeight * 3 / 2;
    const bool header = P.HeaderAlign != haNone && !P.Header.empty();
    const bool footer = P.FooterAlign != haNone && !P.Footer.empty();
    g.HeaderBand = {g.Print.Left, g.Print.Top, g.Print.Right, g.Print.Top + (header ? band : 0)};
    g.FooterBand = {g.Print.Left, g.Print.Bottom - (footer ? band : 0), g.Print.Right, g.Print.Bottom};
    const int cw = f.CellWidth;
    const int numberWidth = P.LineNumber ? (NumberDigits + 2) * cw : 0;
    g.NumberColumn = {g.Print.Left, g.HeaderBand.Bottom, g.Print.Left + numberWidth, g.FooterBand.Top};

    g.ColumnCount = P.ColumnCount();
    const int space = MmToPixels(P.ColumnSpace(), f.DpiX);
    g.TextLeft = g.NumberColumn.Right;
    g.TextWidth = (g.Print.Right - g.NumberColumn.Right - (space + numberWidth) * (g.ColumnCount - 1)) / g.ColumnCount;
    if (g.TextWidth <= 0 || g.FooterBand.Top <= g.HeaderBand.Bottom) throw EPrintError(PrintAreaError);
    g.ColumnPitch = numberWidth + g.TextWidth + space;
    g.RowGap = MmToPixels(P.MarginLine(), f.DpiY);

    // The cells a row may take: the column's, less one for an italic overhang and the cells that
    // hanging punctuation may add; never fewer than 2, so a narrow column still moves on.
    TEditorWrapOption option;
    ConfigureWrap(P, option);
    const int italic = P.Font().Style.Contains(fsItalic) ? 1 : 0;
    g.WrapWidth = std::max(2, g.TextWidth / cw - italic - HangingCells(option));
    // The editor's own wrap column, when narrower (0: none given).
    if (P.WrapOptionUsed && P.WrapWrapByte > 0 && P.WrapWrapByte <= g.WrapWidth) g.WrapWidth = std::max(2, P.WrapWrapByte);
    return g;
}

void WrapPrintLine(std::string_view Line, const TWrapRules& Rules, std::vector<std::string_view>& Rows)
{
    Rows.clear();
    WrapLine(Line, Rules, [&](std::size_t Offset, std::size_t Length, int) {
        // The editor keeps an empty row after a line that fills its last row (for the caret); paper
        // has no caret.
        if (Length == 0 && !Rows.empty()) return;
        Rows.push_back(Line.substr(Offset, Length));
    });
    if (Rows.empty()) Rows.push_back(Line);
}

namespace {

// One pass: places rows on pages, column by column.
class TLayoutPass {
public:
    TLayoutPass(const TQxStringsPrinter& P, const TPrintGeometry& G, const THeaderValues& Header, TPrintPages* Pages)
        : P(P), G(G), FHeader(Header), FPages(Pages)
    {
        ConfigureWrap(P, FOption);
        FRules.Layout.WordWrap = true;
        FRules.Layout.WrapByte = G.WrapWidth;
        FRules.Layout.TabSpaceCount = 8;
        FRules.Option = &FOption;
    }

    TLayoutResult Run(const std::vector<std::string>& Lines, TPrintProgress* Progress, const char* Caption)
    {
        TLayoutResult result;
        FPageNumber = P.FirstPageNumber();
        FRunning = P.FirstLineNumber() - 1;
        StartPage();
        const int count = static_cast<int>(Lines.size());
        const bool limited = P.LineRangeOption == roLimited;
        std::vector<std::string_view> rows;
        for (int i = 0; i < count; ++i) {
            if (Progress && Progress->Update(Caption, count - 1, i)) return result;
            if (limited && (i < P.StartLine() - 1 || i > P.LastLine() - 1)) continue;
            ++FRunning;
            WrapPrintLine(Lines[static_cast<std::size_t>(i)], FRules, rows);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (r > 0 && !P.LineNumberByLog) ++FRunning;
                PlaceRow(rows[r], P.LineNumber && (r == 0 || !P.LineNumberByLog));
            }
        }
        FinishPage();
        result.Completed = true;
        result.PageCount = FPageCount;
        result.LargestNumber = P.LineNumber ? FRunning : 0;
        return result;
    }

private:
    bool Shows(TQxStringsPrinterHeaderOption Option) const
    {
        return Option == hoNone || (Option == hoOdd && FPageNumber % 2 != 0) ||
               (Option == hoEven && FPageNumber % 2 == 0);
    }

    void AddText(const TRect& Clip, int X, int Y, std::string Text)
    {
        FPage->Texts.push_back({Clip, X, Y, std::move(Text)});
    }

    // A header or footer text in its band: aligned across it, at its top or centred in it.
    void BandText(const TRect& Band, const std::string& Format, TQxStringsPrinterHeaderAlign Align, bool Centre)
    {
        FHeader.Page = FPageNumber;
        std::string text = ExpandHeaderFormat(Format, FHeader);
        const int width = static_cast<int>(text.size()) * G.Frame.CellWidth;
        int x = Band.Left;
        if (Align == haCenter) x = Band.Left + (Band.Width() - width) / 2;
        if (Align == haRight) x = Band.Right - width;
        const int y = Centre ? Band.Top + (Band.Height() - G.Metrics.Height) / 2 : Band.Top;
        AddText(Band, x, y, std::move(text));
    }

    void StartPage()
    {
        ++FPageCount;
        FColumn = 0;
        FY = G.HeaderBand.Bottom;
        FRowsInColumn = 0;
        if (!FPages) return;
        FPages->Pages.emplace_back();
        FPage = &FPages->Pages.back();
        FPage->Number = FPageNumber;
        if (G.HeaderBand.Height() == 0) return;
        if (Shows(P.HeaderOption)) BandText(G.HeaderBand, P.Header, P.HeaderAlign, false);
        if (P.HeaderLine) {
            const int y = G.HeaderBand.Bottom - MmToPixels(1, G.Frame.DpiY);
            FPage->Rules.push_back({G.Print.Left, G.Print.Right, y});
        }
    }

    void FinishPage()
    {
        if (!FPages || G.FooterBand.Height() == 0) return;
        if (P.FooterLine) FPage->Rules.push_back({G.Print.Left, G.Print.Right, G.FooterBand.Top});
        if (Shows(P.FooterOption)) BandText(G.FooterBand, P.Footer, P.FooterAlign, true);
    }

    void PlaceRow(std::string_view Row, bool Numbered)
    {
        // A column takes one row however short it is, so that a slot lower than a row still moves on.
        if (FRowsInColumn > 0 && FY + G.RowHeight + G.RowGap > G.FooterBand.Top) {
            if (FColumn + 1 < G.ColumnCount) {
                ++FColumn;
                FY = G.HeaderBand.Bottom;
                FRowsInColumn = 0;
            } else {
                FinishPage();
                ++FPageNumber;
                StartPage();
            }
        }
        if (FPages) {
            const int shift = FColumn * G.ColumnPitch;
            const int cw = G.Frame.CellWidth;
            if (Numbered) {
                std::string number = std::to_string(FRunning) + ":";
                const int right = G.NumberColumn.Right + shift;
                const int x = right - static_cast<int>(number.size()) * cw;
                AddText({G.NumberColumn.Left + shift, FY, right, FY + G.RowHeight}, x, FY, std::move(number));
            }
            const int left = G.TextLeft + shift;
            // A row wider than its column (only where the column holds fewer than two cells) is not cut.
            const int right = left + std::max(G.TextWidth, static_cast<int>(Row.size()) * cw);
            AddText({left, FY, right, FY + G.RowHeight}, left, FY, std::string(Row));
        }
        FY += G.RowHeight + G.RowGap;
        ++FRowsInColumn;
    }

    const TQxStringsPrinter& P;
    const TPrintGeometry& G;
    THeaderValues FHeader;
    TPrintPages* FPages;
    TPrintPage* FPage = nullptr;
    TEditorWrapOption FOption;
    TWrapRules FRules;
    int FPageNumber = 1;
    long long FRunning = 0;
    int FPageCount = 0;
    int FColumn = 0;
    int FY = 0;
    int FRowsInColumn = 0;
};

} // namespace

TLayoutResult RunLayout(const TQxStringsPrinter& Printer, const std::vector<std::string>& Lines,
                        const TPrintGeometry& Geometry, const THeaderValues& Header, TPrintProgress* Progress,
                        const char* Caption, TPrintPages* Pages)
{
    TLayoutPass pass(Printer, Geometry, Header, Pages);
    return pass.Run(Lines, Progress, Caption);
}

} // namespace qx
