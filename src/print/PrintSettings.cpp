#include "print/PrintSettings.h"

#include "editor/QxEditor.h"
#include "platform/Cp932.h"

namespace qx {

namespace {

template <class E>
E EnumOf(int Value, int Last, E Default)
{
    return Value >= 0 && Value <= Last ? static_cast<E>(Value) : Default;
}

} // namespace

void PrinterFromSettings(const TPrinterSettings& S, TQxStringsPrinter& P)
{
    TFontSpec font = P.Font();
    font.Name = Cp932ToUtf8(S.FontName);
    font.Size = S.FontSize;
    P.SetFont(&font);
    P.SetMarginLeft(S.LeftMargin);
    P.SetMarginRight(S.RightMargin);
    P.SetMarginTop(S.TopMargin);
    P.SetMarginBottom(S.BottomMargin);
    P.SetMarginLine(S.LineMargin);
    P.LineNumber = S.LineNumber;
    P.LineNumberByLog = S.LineNumberByLog;
    P.Header = S.Header;
    P.HeaderAlign = EnumOf(S.HeaderPosition, haRight, haRight);
    P.HeaderLine = S.HeaderLine;
    P.HeaderOption = EnumOf(S.HeaderOption, hoEven, hoNone);
    P.Footer = S.Footer;
    P.FooterAlign = EnumOf(S.FooterPosition, haRight, haCenter);
    P.FooterLine = S.FooterLine;
    P.FooterOption = EnumOf(S.FooterOption, hoEven, hoNone);
    P.SetColumnSpace(S.ColumnMargin);
    P.SetColumnCount(S.ColumnCount);
    P.SetPreviewForm(pfUser);
    P.PreviewFormTop = S.PreviewFormTop;
    P.PreviewFormLeft = S.PreviewFormLeft;
    P.PreviewFormHeight = S.PreviewFormHeight;
    P.PreviewFormWidth = S.PreviewFormWidth;
    P.WrapOptionUsed = S.WrapOptionUsed;
}

void PrinterToSettings(const TQxStringsPrinter& P, TPrinterSettings& S)
{
    S.FontName = Utf8ToCp932(P.Font().Name);
    S.FontSize = P.Font().Size;
    S.LeftMargin = P.MarginLeft();
    S.RightMargin = P.MarginRight();
    S.TopMargin = P.MarginTop();
    S.BottomMargin = P.MarginBottom();
    S.LineMargin = P.MarginLine();
    S.LineNumber = P.LineNumber;
    S.LineNumberByLog = P.LineNumberByLog;
    S.Header = P.Header;
    S.HeaderPosition = P.HeaderAlign;
    S.HeaderLine = P.HeaderLine;
    S.HeaderOption = P.HeaderOption;
    S.Footer = P.Footer;
    S.FooterPosition = P.FooterAlign;
    S.FooterLine = P.FooterLine;
    S.FooterOption = P.FooterOption;
    S.ColumnMargin = P.ColumnSpace();
    S.ColumnCount = P.ColumnCount();
    S.PreviewFormTop = P.PreviewFormTop;
    S.PreviewFormLeft = P.PreviewFormLeft;
    S.PreviewFormHeight = P.PreviewFormHeight;
    S.PreviewFormWidth = P.PreviewFormWidth;
    S.WrapOptionUsed = P.WrapOptionUsed;
}

void CopyEditorWrap(TEditor& Editor, TQxStringsPrinter& P)
{
    const TEditorWrapOption& w = Editor.WrapOption();
    P.WrapFollowRetMark = w.FollowRetMark();
    P.WrapFollowPunctuation = w.FollowPunctuation();
    P.WrapFollowStr = w.FollowStr();
    P.WrapLeading = w.Leading();
    P.WrapLeadStr = w.LeadStr();
    P.WrapPunctuationStr = w.PunctuationStr();
    P.WrapWordBreak = w.WordBreak();
    P.WrapWrapByte = Editor.WordWrap() ? w.WrapByte() : 9999;
}

std::vector<std::string> ExpandedLines(TEditor& Editor, int TabWidth)
{
    const auto scratch = Construct<TQxEditor>();
    scratch->Caret().SetTabSpaceCount(TabWidth);
    TEditorStrings& lines = Editor.Lines();
    const int count = lines.Count();
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) out.push_back(scratch->ExpandTabs(lines.Get(i)));
    return out;
}

} // namespace qx
