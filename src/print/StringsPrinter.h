#pragma once
// TQxStringsPrinter: prints a list of Shift-JIS lines, or shows them in the preview, with margins in
// millimetres, a header and a footer from format codes, optional line numbers, one to three columns,
// page and line ranges, odd or even pages and copies. Long lines wrap under the editor's line-break
// rules. Every job lays the text out twice: a counting pass (for "%P" and the page range) and the real
// pass, which records the pages (print/PageModel.h); printing and the preview replay them.

#include "editor/EditorCanvas.h"
#include "editor/NotifyObjects.h"
#include "platform/Exception.h"
#include "print/PageModel.h"
#include "print/PaperTable.h"
#include "print/PrintServices.h"
#include "print/PrintTypes.h"

#include <string>
#include <vector>

namespace qx {

// A page range, line range or print area that cannot be printed; nothing was printed.
class EPrintError : public Exception {
public:
    using Exception::Exception;
};

// Progress captions and error texts.
inline constexpr const char* CountingCaption = "総ページ数を取得中";
inline constexpr const char* PrintingCaption = "印刷中";
inline constexpr const char* PreviewCaption = "プレビューを作成中";
inline constexpr const char* PageRangeError = "印刷範囲(ページ)が正しくありません";
inline constexpr const char* LineRangeError = "印刷範囲(行)が正しくありません";
inline constexpr const char* PrintAreaError = "印刷領域が狭すぎます。余白、段組、フォントの大きさを見直してください";
inline constexpr const char* PrintStartError = "印刷を開始できませんでした";
inline constexpr const char* PrintEndError = "印刷を終えられませんでした";

class TQxStringsPrinter : public TStoreComponent {
public:
    explicit TQxStringsPrinter(TComponent* AOwner = nullptr);

    // ---- properties (setters clamp as noted) ----
    int ColumnCount() const { return FColumnCount; }
    void SetColumnCount(int Value);  // 1..3
    int ColumnSpace() const { return FColumnSpace; }
    void SetColumnSpace(int Value);  // mm, 0..100
    std::string FileName;            // the file system's bytes
    int FirstLineNumber() const { return FFirstLineNumber; }
    void SetFirstLineNumber(int Value);  // 1..999999
    int FirstPageNumber() const { return FFirstPageNumber; }
    void SetFirstPageNumber(int Value);  // 1..999999
    const TFontSpec& Font() const { return FFont; }
    void SetFont(const TFontSpec* Value);  // copies; nothing for null
    std::string Footer;  // Shift-JIS format
    TQxStringsPrinterHeaderAlign FooterAlign = haNone;
    TQxStringsPrinterHeaderOption FooterOption = hoNone;
    bool FooterLine = false;
    std::string Header;  // Shift-JIS format
    TQxStringsPrinterHeaderAlign HeaderAlign = haNone;
    TQxStringsPrinterHeaderOption HeaderOption = hoNone;
    bool HeaderLine = false;
    int LastLine() const { return FLastLine; }
    void SetLastLine(int Value);  // 1..999999
    int LastPage() const { return FLastPage; }
    void SetLastPage(int Value);  // 1..999999
    bool LineNumber = false;
    bool LineNumberByLog = false;
    TQxStringsPrinterRangeOption LineRangeOption = roWhole;
    int MarginBottom() const { return FMargins[3]; }
    int MarginLeft() const { return FMargins[0]; }
    int MarginRight() const { return FMargins[2]; }
    int MarginTop() const { return FMargins[1]; }
    int MarginLine() const { return FMarginLine; }
    void SetMarginBottom(int Value);  // mm, 0..100 each
    void SetMarginLeft(int Value);
    void SetMarginRight(int Value);
    void SetMarginTop(int Value);
    void SetMarginLine(int Value);
    TQxStringsPrinterPageOption PageOption = poBoth;
    TQxStringsPrinterRangeOption RangeOption = roWhole;
    int StartLine() const { return FStartLine; }
    void SetStartLine(int Value);  // 1..999999
    int StartPage() const { return FStartPage; }
    void SetStartPage(int Value);  // 1..999999
    TQxPreviewForm PreviewForm() const { return FPreviewForm; }
    // pfDefault also puts the preview rectangle back to 400 x 400 at 0, 0.
    void SetPreviewForm(TQxPreviewForm Value);
    int PreviewFormTop = 0, PreviewFormLeft = 0, PreviewFormHeight = 400, PreviewFormWidth = 400;
    TQxPreviewWindowsPos PreviewWindowsPos = ppNoTopMost;
    int PrintNumberOfCopies = 0;
    bool WrapOptionUsed = true;
    bool WrapFollowRetMark = false, WrapFollowPunctuation = false, WrapLeading = false, WrapWordBreak = false;
    std::string WrapFollowStr, WrapLeadStr, WrapPunctuationStr;  // Shift-JIS
    int WrapWrapByte = 0;

    // Copies the layout settings of another printer (not the preview, copies and wrap settings).
    void Assign(const TPersistent& Source) override;

    // ---- jobs ----
    // Lines come with their tabs already expanded at the print's tab width (ExpandedLines).
    // Lays out and prints PrintNumberOfCopies copies in one job; false when cancelled or the printer
    // could not start (which is reported). Range and area errors raise EPrintError.
    bool Print(const std::vector<std::string>& Lines, const TPrintServices& Services);
    // Lays out and shows the preview; false when cancelled.
    bool Preview(const std::vector<std::string>& Lines, const TPrintServices& Services);

    // The indexes (0-based) of the laid-out pages a job prints, in order, for PageCount pages.
    std::vector<int> PagePlan(int PageCount) const;

    // Run-time state of the last layout.
    int PageCount() const { return FPageCount; }
    // The number the last page of the last counting pass carried ("%P").
    int LastPageNumber() const { return FLastPageNumber; }
    TQxStringsPrinterInfo& PrinterInfo() { return FInfo; }

    // The pages a job would lay out, without printing or showing them: the counting pass, the range
    // checks the job makes, and the real pass. False when cancelled.
    bool LayOut(const std::vector<std::string>& Lines, TPrintDevice& Device, const TPrintServices& Services,
                const char* Caption, bool CheckPages, TPrintPages& Pages);

private:
    int FColumnCount = 1;
    int FColumnSpace = 4;
    int FFirstLineNumber = 1;
    int FFirstPageNumber = 1;
    TFontSpec FFont;
    int FLastLine = 1;
    int FLastPage = 999999;
    int FMargins[4] = {0, 0, 0, 0};  // left, top, right, bottom
    int FMarginLine = 0;
    int FStartLine = 1;
    int FStartPage = 1;
    TQxPreviewForm FPreviewForm = pfDefault;

    int FPageCount = 0;
    int FLastPageNumber = 0;
    TQxStringsPrinterInfo FInfo;
};

} // namespace qx
