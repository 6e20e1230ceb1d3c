// The preview's counter, page buttons, zoom sizes and window placement; the settings bridge.

#include "documents/Settings.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "print/PreviewModel.h"
#include "print/PrintSettings.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// An A4 sheet at 254 dpi with a printable area 50 pixels in from each edge.
TPrintPages SheetOf(int Count)
{
    TPrintPages pages;
    pages.PaperWidth = 2100;
    pages.PaperHeight = 2970;
    pages.PageWidth = 2000;
    pages.PageHeight = 2870;
    pages.UnprintableLeft = pages.UnprintableTop = 50;
    pages.DpiX = pages.DpiY = 254;
    pages.Pages.resize(static_cast<std::size_t>(Count));
    return pages;
}

TEST(PreviewModel, CounterAndButtonsFollowThePage)
{
    const TPrintPages one = SheetOf(1);
    TPreviewModel single(one, 96);
    EXPECT_EQ(single.Counter(), "  1 /   1");
    EXPECT_FALSE(single.CanFirst() || single.CanPrior() || single.CanNext() || single.CanLast());

    const TPrintPages many = SheetOf(12);
    TPreviewModel m(many, 96);
    struct Step {
        int GoTo;
        int Index;
        const char* Counter;
        bool Back, Forward;
    };
    const Step steps[] = {{0, 0, "  1 /  12", false, true},
                          {5, 5, "  6 /  12", true, true},
                          {11, 11, " 12 /  12", true, false},
                          {40, 11, " 12 /  12", true, false},
                          {-3, 0, "  1 /  12", false, true}};
    for (const Step& s : steps) {
        m.GoTo(s.GoTo);
        EXPECT_EQ(m.Index(), s.Index) << s.GoTo;
        EXPECT_EQ(m.Counter(), s.Counter) << s.GoTo;
        EXPECT_EQ(m.CanFirst(), s.Back) << s.GoTo;
        EXPECT_EQ(m.CanPrior(), s.Back) << s.GoTo;
        EXPECT_EQ(m.CanNext(), s.Forward) << s.GoTo;
        EXPECT_EQ(m.CanLast(), s.Forward) << s.GoTo;
    }
}

TEST(PreviewModel, ZoomModesSizeAndCentreTheSheet)
{
    const TPrintPages pages = SheetOf(1);
    TPreviewModel m(pages, 96);
    struct Case {
        TPreviewZoom Zoom;
        int ClientWidth, ClientHeight;
        TRect Image;
        TRect Printable;
    };
    // 100%: 2100 x 2970 device pixels at 254 dpi are 794 x 1123 screen pixels at 96 dpi.
    // Fit width: 1000 - 16 - 10 = 974 wide. Fit height: 700 - 16 - 10 = 674 high.
    const Case cases[] = {
        {pzActualSize, 1000, 700, {105, 5, 899, 1128}, {124, 24, 880, 1109}},
        {pzFitWidth, 1000, 700, {15, 5, 989, 1383}, {38, 28, 966, 1359}},
        {pzFitHeight, 1000, 700, {264, 15, 741, 689}, {275, 26, 729, 677}},
    };
    for (const Case& c : cases) {
        m.Zoom = c.Zoom;
        const TPreviewPlacement p = m.Place(c.ClientWidth, c.ClientHeight, 16, 16);
        EXPECT_EQ(p.Image, c.Image) << c.Zoom;
        EXPECT_EQ(p.Printable, c.Printable) << c.Zoom;
    }
}

TEST(PreviewModel, AStoredRectangleOffTheScreenIsMovedOntoIt)
{
    const TRect screen{0, 0, 1920, 1080};
    const struct {
        TRect Stored, Placed;
    } cases[] = {
        {{20, 20, 520, 420}, {20, 20, 520, 420}},
        {{3000, 2000, 3500, 2400}, {1420, 680, 1920, 1080}},
        {{-800, -50, -300, 350}, {0, 0, 500, 400}},
        {{100, 100, 2500, 1500}, {0, 0, 1920, 1080}},
    };
    for (const auto& c : cases) EXPECT_EQ(FitOnScreen(c.Stored, screen), c.Placed);
}

TEST(PrintSettings, StoredSettingsRoundTripThroughThePrinter)
{
    TPrinterSettings s;
    s.FontName = Utf8ToCp932("ＭＳ ゴシック");
    s.FontSize = 12;
    s.LeftMargin = 11;
    s.HeaderPosition = 1;
    s.FooterOption = 2;
    s.ColumnMargin = 7;
    s.ColumnCount = 2;
    s.PreviewFormWidth = 640;
    s.WrapOptionUsed = true;
    TQxStringsPrinter p;
    PrinterFromSettings(s, p);
    EXPECT_EQ(p.Font().Name, "ＭＳ ゴシック");
    EXPECT_EQ(p.Font().Size, 12);
    EXPECT_EQ(p.HeaderAlign, haLeft);
    EXPECT_EQ(p.FooterAlign, haCenter);
    EXPECT_EQ(p.FooterOption, hoEven);
    EXPECT_EQ(p.ColumnSpace(), 7);
    EXPECT_EQ(p.PreviewForm(), pfUser);
    EXPECT_EQ(p.PreviewFormWidth, 640);
    TPrinterSettings back;
    back.TabSpaceCount = 8;
    PrinterToSettings(p, back);
    EXPECT_EQ(back.FontName, s.FontName);
    EXPECT_EQ(back.LeftMargin, 11);
    EXPECT_EQ(back.HeaderPosition, 1);
    EXPECT_EQ(back.ColumnCount, 2);
    EXPECT_EQ(back.PreviewFormWidth, 640);
    EXPECT_TRUE(back.WrapOptionUsed);
    EXPECT_EQ(back.TabSpaceCount, 8);  // not the printer's

    // Out-of-range modes fall back to the defaults.
    s.HeaderPosition = 9;
    s.HeaderOption = -1;
    PrinterFromSettings(s, p);
    EXPECT_EQ(p.HeaderAlign, haRight);
    EXPECT_EQ(p.HeaderOption, hoNone);
}

TEST(PrintSettings, TheEditorGivesItsWrapRulesAndExpandedLines)
{
    auto editor = Construct<TQxEditor>();
    editor->Lines().SetText("a\tb\r\n\tc\r\n");
    editor->WrapOption().SetWordBreak(true);
    editor->WrapOption().SetWrapByte(30);
    TQxStringsPrinter p;
    editor->SetWordWrap(false);
    CopyEditorWrap(*editor, p);
    EXPECT_TRUE(p.WrapWordBreak);
    EXPECT_EQ(p.WrapWrapByte, 9999);
    editor->SetWordWrap(true);
    CopyEditorWrap(*editor, p);
    EXPECT_EQ(p.WrapWrapByte, 30);
    EXPECT_EQ(ExpandedLines(*editor, 4), (std::vector<std::string>{"a   b", "    c"}));
    EXPECT_EQ(ExpandedLines(*editor, 2), (std::vector<std::string>{"a b", "  c"}));
}

} // namespace
} // namespace qx
