// The string-list printer without a printer: properties, header codes, geometry, layout and page plans
// on a fake device at 254 dpi (10 pixels a millimetre, cells of 20 x 40 pixels).

#include "print/FakePrintDevice.h"
#include "support/ScriptedPrompter.h"
#include "platform/Cp932.h"
#include "print/HeaderFormat.h"
#include "print/PrintLayout.h"
#include "print/StringsPrinter.h"
#include "editor/QxEditor.h"

#include <gtest/gtest.h>

#include <random>

namespace qx {
namespace {

using test::FakeServices;

// Margins 20, 15, 15, 15 mm: the print rectangle is 150..1900 x 100..2770 on the printable area.
void UsualMargins(TQxStringsPrinter& P)
{
    P.SetMarginLeft(20);
    P.SetMarginRight(15);
    P.SetMarginTop(15);
    P.SetMarginBottom(15);
}

std::vector<std::string> NumberedLines(int Count, const std::string& Prefix = "line ")
{
    std::vector<std::string> lines;
    for (int i = 1; i <= Count; ++i) lines.push_back(Prefix + std::to_string(i));
    return lines;
}

TPrintPages LayOut(TQxStringsPrinter& P, const std::vector<std::string>& Lines, FakeServices& F)
{
    auto device = F.Services.NewDevice();
    TPrintPages pages;
    EXPECT_TRUE(P.LayOut(Lines, *device, F.Services, PrintingCaption, true, pages));
    return pages;
}

// The texts of a page that begin at X (a column's left edge or a number column).
std::vector<std::string> TextsAt(const TPrintPage& Page, int X)
{
    std::vector<std::string> out;
    for (const TPrintText& t : Page.Texts)
        if (t.X == X) out.push_back(t.Text);
    return out;
}

TEST(StringsPrinterProperties, SettersClampAndAssignCopiesTheLayoutOnly)
{
    TQxStringsPrinter p;
    struct Case {
        const char* Name;
        void (TQxStringsPrinter::*Set)(int);
        int (TQxStringsPrinter::*Get)() const;
        int Value, Stored;
    };
    const Case cases[] = {
        {"ColumnCount 5", &TQxStringsPrinter::SetColumnCount, &TQxStringsPrinter::ColumnCount, 5, 3},
        {"ColumnCount 0", &TQxStringsPrinter::SetColumnCount, &TQxStringsPrinter::ColumnCount, 0, 1},
        {"ColumnSpace 101", &TQxStringsPrinter::SetColumnSpace, &TQxStringsPrinter::ColumnSpace, 101, 100},
        {"MarginLeft 150", &TQxStringsPrinter::SetMarginLeft, &TQxStringsPrinter::MarginLeft, 150, 100},
        {"MarginBottom -1", &TQxStringsPrinter::SetMarginBottom, &TQxStringsPrinter::MarginBottom, -1, 0},
        {"MarginLine 100", &TQxStringsPrinter::SetMarginLine, &TQxStringsPrinter::MarginLine, 100, 100},
        {"StartPage 0", &TQxStringsPrinter::SetStartPage, &TQxStringsPrinter::StartPage, 0, 1},
        {"LastPage 1000000", &TQxStringsPrinter::SetLastPage, &TQxStringsPrinter::LastPage, 1000000, 999999},
        {"FirstLineNumber -5", &TQxStringsPrinter::SetFirstLineNumber, &TQxStringsPrinter::FirstLineNumber, -5, 1},
        {"LastLine 0", &TQxStringsPrinter::SetLastLine, &TQxStringsPrinter::LastLine, 0, 1},
    };
    for (const Case& c : cases) {
        (p.*c.Set)(c.Value);
        EXPECT_EQ((p.*c.Get)(), c.Stored) << c.Name;
    }

    // A new component; pfDefault puts the preview rectangle back.
    TQxStringsPrinter fresh;
    EXPECT_EQ(fresh.PreviewForm(), pfDefault);
    fresh.PreviewFormTop = 30;
    fresh.PreviewFormWidth = 700;
    fresh.SetPreviewForm(pfUser);
    EXPECT_EQ(fresh.PreviewFormWidth, 700);
    fresh.SetPreviewForm(pfDefault);
    EXPECT_EQ(fresh.PreviewFormTop, 0);
    EXPECT_EQ(fresh.PreviewFormHeight, 400);
    EXPECT_EQ(fresh.PreviewFormWidth, 400);

    TQxStringsPrinter source;
    source.SetColumnCount(2);
    source.SetMarginTop(12);
    source.Header = "%p";
    source.HeaderAlign = haLeft;
    source.LineRangeOption = roLimited;
    source.SetStartLine(4);
    source.PrintNumberOfCopies = 3;
    source.WrapOptionUsed = false;
    source.WrapWrapByte = 40;
    source.PreviewFormWidth = 900;
    TQxStringsPrinter target;
    target.Assign(source);
    EXPECT_EQ(target.ColumnCount(), 2);
    EXPECT_EQ(target.MarginTop(), 12);
    EXPECT_EQ(target.Header, "%p");
    EXPECT_EQ(target.HeaderAlign, haLeft);
    EXPECT_EQ(target.LineRangeOption, roLimited);
    EXPECT_EQ(target.StartLine(), 4);
    EXPECT_EQ(target.PrintNumberOfCopies, 0);
    EXPECT_TRUE(target.WrapOptionUsed);
    EXPECT_EQ(target.WrapWrapByte, 0);
    EXPECT_EQ(target.PreviewFormWidth, 400);
}

TEST(HeaderFormat, ExpandsEveryCode)
{
    THeaderValues v;
    v.FileName = "/home/user/文書/b.txt";
    v.Page = 3;
    v.LastPage = 12;
    v.Date = {2024, 3, 5, 9, 7, 3};
    const struct {
        const char* Format;
        const char* Expected;  // UTF-8
    } cases[] = {
        {"%F %y/%m/%d", "b.txt 2024/3/5"},
        {"%f", "/home/user/文書/b.txt"},
        {"- %p / %P -", "- 3 / 12 -"},
        {"%t", "9:07:03"},
        {"100%%", "100%"},
        {"%x%", "x%"},
        {"", ""},
        {"ページ%p", "ページ3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf8(ExpandHeaderFormat(Utf8ToCp932(c.Format), v)), c.Expected) << c.Format;
    // A trail byte that reads as "%" is part of its character, not a code: "ｱ" is one byte, "〔" is
    // 0x81 0x6B, and 0x95 0x25 ("表"... here any lead byte followed by 0x25) stays whole.
    const std::string lead{"\x95\x25", 2};
    EXPECT_EQ(ExpandHeaderFormat(lead + "p", v), lead + "p");
}

TEST(PrintGeometry, PrintRectangleBandsAndColumnsFollowTheMargins)
{
    TQxStringsPrinter p;
    UsualMargins(p);
    p.Header = "%F";
    p.HeaderAlign = haRight;
    p.Footer = "%p";
    p.FooterAlign = haCenter;
    p.LineNumber = true;
    p.SetColumnCount(2);
    p.SetColumnSpace(4);
    const TPrintGeometry g = ComputeGeometry(p, test::A4At254(), test::Cells20x40(), 3);
    EXPECT_EQ(g.Frame.PaperWidth, 2100);
    EXPECT_EQ(g.Frame.PaperHeight, 2970);
    EXPECT_EQ(g.Unprintable, (TRect{50, 50, 50, 50}));
    EXPECT_EQ(g.Print, (TRect{150, 100, 1900, 2770}));
    EXPECT_EQ(g.HeaderBand, (TRect{150, 100, 1900, 160}));
    EXPECT_EQ(g.FooterBand, (TRect{150, 2710, 1900, 2770}));
    EXPECT_EQ(g.NumberColumn, (TRect{150, 160, 250, 2710}));  // 3 digits + 2 cells
    // (1900 - 250 - (40 + 100)) / 2
    EXPECT_EQ(g.TextLeft, 250);
    EXPECT_EQ(g.TextWidth, 755);
    EXPECT_EQ(g.ColumnPitch, 100 + 755 + 40);

    // Without header or footer text the bands are empty; a margin inside the unprintable strip
    // starts at the printable area's edge.
    TQxStringsPrinter bare;
    bare.SetMarginLeft(3);
    const TPrintGeometry b = ComputeGeometry(bare, test::A4At254(), test::Cells20x40(), 1);
    EXPECT_EQ(b.Print, (TRect{0, 0, 2000, 2870}));
    EXPECT_EQ(b.HeaderBand.Height(), 0);
    EXPECT_EQ(b.FooterBand.Height(), 0);

    // Landscape swaps the sheet; a device that cannot tell its page uses the paper table.
    TPrintDeviceInfo landscape = test::A4At254();
    landscape.Landscape = true;
    landscape.PageWidth = landscape.PageHeight = 0;
    landscape.PaperNumber = 8;  // A3
    const TPrintGeometry l = ComputeGeometry(bare, landscape, test::Cells20x40(), 1);
    EXPECT_EQ(l.Frame.PageWidth, 4200);
    EXPECT_EQ(l.Frame.PageHeight, 2970);
}

TEST(PrintGeometry, AColumnWithoutRoomIsAnError)
{
    TQxStringsPrinter p;
    p.SetMarginLeft(100);
    p.SetMarginRight(100);
    p.SetColumnCount(3);
    p.SetColumnSpace(5);
    try {
        ComputeGeometry(p, test::A4At254(), test::Cells20x40(), 1);
        FAIL() << "no error";
    } catch (const EPrintError& e) {
        EXPECT_STREQ(e.what(), PrintAreaError);
    }
}

TEST(PrintLayout, PagesFillColumnByColumnAndCountForThePercentCode)
{
    FakeServices f;
    TQxStringsPrinter p;
    UsualMargins(p);
    p.Footer = "%p/%P";
    p.FooterAlign = haCenter;
    p.SetColumnCount(2);
    p.SetColumnSpace(0);
    // 60-pixel bands... here only the footer: rows from 100 to 2710 hold 65 rows per column.
    const auto lines = NumberedLines(330);
    const TPrintPages pages = LayOut(p, lines, f);
    ASSERT_EQ(pages.Pages.size(), 3u);  // 130 rows a page
    EXPECT_EQ(p.PageCount(), 3);
    const int left = 150, second = 150 + 875;
    const auto first = TextsAt(pages.Pages[0], left);
    const auto right = TextsAt(pages.Pages[0], second);
    ASSERT_EQ(first.size(), 65u);
    ASSERT_EQ(right.size(), 65u);
    EXPECT_EQ(first.front(), "line 1");
    EXPECT_EQ(first.back(), "line 65");
    EXPECT_EQ(right.front(), "line 66");
    EXPECT_EQ(TextsAt(pages.Pages[1], left).front(), "line 131");
    EXPECT_EQ(TextsAt(pages.Pages[2], second).back(), "line 330");
    // The footer, centred in its band, knows the page count from the counting pass.
    const TPrintText& footer = pages.Pages[1].Texts.back();
    EXPECT_EQ(footer.Text, "2/3");
    EXPECT_EQ(footer.X, 150 + (1750 - 3 * 20) / 2);
    EXPECT_EQ(footer.Y, 2710 + (60 - 40) / 2);
}

TEST(PrintLayout, HeaderAndFooterFollowTheirPageOptionsAndRules)
{
    FakeServices f;
    TQxStringsPrinter p;
    UsualMargins(p);
    p.FileName = "/tmp/a/b.txt";
    p.Header = "%F %y/%m/%d";
    p.HeaderAlign = haRight;
    p.HeaderOption = hoEven;
    p.HeaderLine = true;
    p.Footer = "%p";
    p.FooterAlign = haLeft;
    p.FooterOption = hoOdd;
    p.FooterLine = true;
    const TPrintPages pages = LayOut(p, NumberedLines(70), f);  // 63 rows a page: 2 pages
    ASSERT_EQ(pages.Pages.size(), 2u);
    const auto has = [](const TPrintPage& page, const std::string& text) {
        for (const TPrintText& t : page.Texts)
            if (t.Text == text) return &t;
        return static_cast<const TPrintText*>(nullptr);
    };
    EXPECT_EQ(has(pages.Pages[0], "b.txt 2024/3/5"), nullptr);
    const TPrintText* header = has(pages.Pages[1], "b.txt 2024/3/5");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->X, 1900 - 14 * 20);
    EXPECT_EQ(header->Y, 100);
    EXPECT_NE(has(pages.Pages[0], "1"), nullptr);
    EXPECT_EQ(has(pages.Pages[1], "2"), nullptr);
    // Both rules on every page: the header's 1 mm above its band's bottom, the footer's on its top.
    for (const TPrintPage& page : pages.Pages) {
        ASSERT_EQ(page.Rules.size(), 2u);
        EXPECT_EQ(page.Rules[0].Y, 160 - 10);
        EXPECT_EQ(page.Rules[1].Y, 2710);
        EXPECT_EQ(page.Rules[0].X1, 150);
        EXPECT_EQ(page.Rules[0].X2, 1900);
    }
}

TEST(PrintLayout, AnEmptyListPrintsOnePageWithHeaderAndFooter)
{
    FakeServices f;
    TQxStringsPrinter p;
    p.Header = "H";
    p.HeaderAlign = haLeft;
    p.Footer = "F";
    p.FooterAlign = haLeft;
    const TPrintPages pages = LayOut(p, {}, f);
    ASSERT_EQ(pages.Pages.size(), 1u);
    ASSERT_EQ(pages.Pages[0].Texts.size(), 2u);
    EXPECT_EQ(pages.Pages[0].Texts[0].Text, "H");
    EXPECT_EQ(pages.Pages[0].Texts[1].Text, "F");
}

// A line of 200 cells wraps into rows of the column's width; numbered by line only its first row
// carries a number, numbered by row every row does and the numbers run on.
TEST(PrintLayout, NumbersByLineOrByRow)
{
    const std::vector<std::string> lines = {std::string(200, 'a'), "short", std::string(90, 'b')};
    struct Case {
        bool ByLog;
        std::vector<std::string> Numbers;
    };
    const Case cases[] = {
        {true, {"1:", "2:", "3:"}},
        {false, {"1:", "2:", "3:", "4:", "5:", "6:", "7:", "8:"}},
    };
    for (const Case& c : cases) {
        FakeServices f;
        TQxStringsPrinter p;
        p.SetMarginRight(100);  // the print rectangle is 0..1050: 52 cells less the number column
        p.LineNumber = true;
        p.LineNumberByLog = c.ByLog;
        const TPrintPages pages = LayOut(p, lines, f);
        ASSERT_EQ(pages.Pages.size(), 1u);
        std::vector<std::string> numbers, rows;
        for (const TPrintText& t : pages.Pages[0].Texts)
            (t.Text.back() == ':' && t.X < 60 ? numbers : rows).push_back(t.Text);
        EXPECT_EQ(numbers, c.Numbers) << "by line: " << c.ByLog;
        // 1 digit + 2 cells of numbers, 49 cells of text: rows of 49, 49, 49, 49, 4 cells; then 49 + 41.
        ASSERT_EQ(rows.size(), 8u);
        EXPECT_EQ(rows[0].size(), 49u);
        EXPECT_EQ(rows[4].size(), 4u);
        EXPECT_EQ(rows[5], "short");
    }
}

TEST(PrintLayout, TheNumberColumnIsAsWideAsTheLargestNumber)
{
    FakeServices f;
    TQxStringsPrinter p;
    p.LineNumber = true;
    p.LineNumberByLog = false;
    p.SetMarginRight(100);
    p.SetFirstLineNumber(9990);
    // 10 lines of 3 rows each: numbered by row up to 10019, five digits.
    const TPrintPages pages = LayOut(p, std::vector<std::string>(10, std::string(120, 'x')), f);
    const TPrintText* last = nullptr;
    for (const TPrintText& t : pages.Pages[0].Texts)
        if (t.Text.back() == ':') last = &t;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Text, "10019:");
    EXPECT_GE(last->X, last->Clip.Left);
    EXPECT_EQ(last->Clip.Width(), 7 * 20);
}

TEST(PrintLayout, ALineRangeNumbersFromTheFirstLineNumber)
{
    FakeServices f;
    TQxStringsPrinter p;
    p.LineNumber = true;
    p.LineRangeOption = roLimited;
    p.SetStartLine(10);
    p.SetLastLine(20);
    const TPrintPages pages = LayOut(p, NumberedLines(30), f);
    std::vector<std::string> texts;
    for (const TPrintText& t : pages.Pages[0].Texts) texts.push_back(t.Text);
    ASSERT_EQ(texts.size(), 22u);
    EXPECT_EQ(texts[0], "1:");
    EXPECT_EQ(texts[1], "line 10");
    EXPECT_EQ(texts[20], "11:");
    EXPECT_EQ(texts[21], "line 20");
}

TEST(PrintLayout, RangeErrorsStopBeforeAnythingIsPrinted)
{
    struct Case {
        const char* Name;
        int StartPage, LastPage, StartLine, LastLine;
        bool PageRange, LineRange;
        const char* Error;
    };
    // 100 lines are 2 pages (72 rows a page).
    const Case cases[] = {
        {"last page past the count", 1, 3, 1, 1, true, false, PageRangeError},
        {"start page past the last", 2, 1, 1, 1, true, false, PageRangeError},
        {"start page past the count", 3, 3, 1, 1, true, false, PageRangeError},
        {"start line past the last", 1, 1, 20, 10, false, true, LineRangeError},
        {"good pages", 2, 2, 1, 1, true, false, nullptr},
        {"good lines", 1, 1, 5, 500, false, true, nullptr},
    };
    for (const Case& c : cases) {
        FakeServices f;
        TQxStringsPrinter p;
        p.PrintNumberOfCopies = 1;
        p.SetStartPage(c.StartPage);
        p.SetLastPage(c.LastPage);
        p.SetStartLine(c.StartLine);
        p.SetLastLine(c.LastLine);
        p.RangeOption = c.PageRange ? roLimited : roWhole;
        p.LineRangeOption = c.LineRange ? roLimited : roWhole;
        if (c.Error) {
            try {
                p.Print(NumberedLines(100), f.Services);
                ADD_FAILURE() << c.Name << ": no error";
            } catch (const EPrintError& e) {
                EXPECT_STREQ(e.what(), c.Error) << c.Name;
            }
            EXPECT_TRUE(f.Log.Calls.empty()) << c.Name;
        } else {
            EXPECT_TRUE(p.Print(NumberedLines(100), f.Services)) << c.Name;
            EXPECT_FALSE(f.Log.Calls.empty()) << c.Name;
        }
    }
}

TEST(PrintPlan, PageRangeParityAndFirstPageNumber)
{
    struct Case {
        const char* Name;
        int FirstPage;
        TQxStringsPrinterPageOption Option;
        bool Range;
        int StartPage, LastPage;
        std::vector<int> Plan;
    };
    const Case cases[] = {
        {"all", 1, poBoth, false, 1, 1, {0, 1, 2, 3, 4}},
        {"odd from page 2", 2, poOdd, false, 1, 1, {1, 3}},
        {"even from page 2", 2, poEven, false, 1, 1, {0, 2, 4}},
        {"range 2..4", 1, poBoth, true, 2, 4, {1, 2, 3}},
        {"range 2..4, odd", 1, poOdd, true, 2, 4, {2}},
    };
    for (const Case& c : cases) {
        TQxStringsPrinter p;
        p.SetFirstPageNumber(c.FirstPage);
        p.PageOption = c.Option;
        p.RangeOption = c.Range ? roLimited : roWhole;
        p.SetStartPage(c.StartPage);
        p.SetLastPage(c.LastPage);
        EXPECT_EQ(p.PagePlan(5), c.Plan) << c.Name;
    }
}

TEST(PrintJob, CopiesRepeatThePagesInOneJob)
{
    FakeServices f;
    TQxStringsPrinter p;
    p.FileName = "/tmp/x.txt";
    p.PrintNumberOfCopies = 2;
    p.SetFirstPageNumber(2);
    p.PageOption = poOdd;
    ASSERT_TRUE(p.Print(NumberedLines(150), f.Services));  // pages 2, 3, 4; 3 is printed
    const std::vector<std::string> expected = {"begin QxEditor - [/tmp/x.txt]", "page 3", "new", "page 3", "end"};
    EXPECT_EQ(f.Log.Calls, expected);

    // No copies: nothing printed, still a success.
    FakeServices none;
    TQxStringsPrinter q;
    EXPECT_TRUE(q.Print(NumberedLines(5), none.Services));
    EXPECT_TRUE(none.Log.Calls.empty());
}

TEST(PrintJob, AFailedStartIsReportedAndTheNextJobHasAFreshPrinter)
{
    test::ScriptedMessagePrompter prompter;
    FakeServices f(&prompter);
    TQxStringsPrinter p;
    p.PrintNumberOfCopies = 1;
    f.Log.FailBegin = true;
    EXPECT_FALSE(p.Print(NumberedLines(3), f.Services));
    ASSERT_EQ(prompter.Requests.size(), 1u);
    EXPECT_EQ(prompter.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_NE(prompter.Requests[0].Text.find("cannot open out.pdf"), std::string::npos);
    EXPECT_TRUE(f.Log.Calls.empty());

    EXPECT_TRUE(p.Print(NumberedLines(3), f.Services));
    EXPECT_EQ(f.Log.Devices, 2);
    EXPECT_EQ(f.Log.Calls.back(), "end");
}

class CancelAt : public TPrintProgress {
public:
    CancelAt(std::vector<std::string>& Captions, int Line) : FCaptions(Captions), FLine(Line) {}
    bool Update(const std::string& Caption, int Maximum, int Position) override
    {
        if (FCaptions.empty() || FCaptions.back() != Caption) FCaptions.push_back(Caption);
        return Position == FLine;
    }

private:
    std::vector<std::string>& FCaptions;
    int FLine;
};

TEST(PrintJob, CancellingTheCountingPassPrintsAndShowsNothing)
{
    for (const bool preview : {false, true}) {
        FakeServices f;
        std::vector<std::string> captions;
        f.Services.NewProgress = [&](const std::string&, bool) { return std::make_unique<CancelAt>(captions, 5); };
        TQxStringsPrinter p;
        p.PrintNumberOfCopies = 1;
        EXPECT_FALSE(preview ? p.Preview(NumberedLines(20), f.Services) : p.Print(NumberedLines(20), f.Services));
        EXPECT_TRUE(f.Log.Calls.empty());
        EXPECT_TRUE(f.Previews.empty());
        EXPECT_EQ(captions, std::vector<std::string>{CountingCaption});
    }
    // Cancelled in the real pass.
    FakeServices f;
    std::vector<std::string> captions;
    int updates = 0;
    struct CancelSecondPass : TPrintProgress {
        int& Updates;
        std::vector<std::string>& Captions;
        CancelSecondPass(int& U, std::vector<std::string>& C) : Updates(U), Captions(C) {}
        bool Update(const std::string& Caption, int, int) override
        {
            if (Captions.empty() || Captions.back() != Caption) Captions.push_back(Caption);
            return ++Updates == 25;
        }
    };
    f.Services.NewProgress = [&](const std::string&, bool) { return std::make_unique<CancelSecondPass>(updates, captions); };
    TQxStringsPrinter p;
    EXPECT_FALSE(p.Preview(NumberedLines(20), f.Services));
    EXPECT_TRUE(f.Previews.empty());
    EXPECT_EQ(captions, (std::vector<std::string>{CountingCaption, PreviewCaption}));
}

TEST(PrintWrap, NarrowColumnsAndShortSlotsStillMoveOn)
{
    // A column of one and a half cells wraps at two cells, a double-byte character a row.
    FakeServices f;
    TQxStringsPrinter p;
    p.SetMarginRight(100);
    p.SetMarginLeft(100);
    f.Info.PageWidth = 2030;  // print rectangle 1000 - 970 = 30 pixels
    f.Info.PaperWidthMm = 203;
    f.Info.PaperHeightMm = 297;
    const std::string kanji = Utf8ToCp932("漢字かな");
    TPrintPages pages = LayOut(p, {kanji}, f);
    std::string joined;
    int rows = 0;
    for (const TPrintPage& page : pages.Pages)
        for (const TPrintText& t : page.Texts) {
            joined += t.Text;
            ++rows;
            EXPECT_GE(t.Clip.Right - t.Clip.Left, static_cast<int>(t.Text.size()) * 20) << "the row is cut";
        }
    EXPECT_EQ(joined, kanji);
    EXPECT_EQ(rows, 4);

    // A slot lower than a row: each column and page still takes one row.
    FakeServices g;
    g.Metrics = {3000, 0, 20};
    TQxStringsPrinter q;
    q.SetColumnCount(2);
    pages = LayOut(q, NumberedLines(5), g);
    ASSERT_EQ(pages.Pages.size(), 3u);
    EXPECT_EQ(pages.Pages[0].Texts.size(), 2u);
    EXPECT_EQ(pages.Pages[2].Texts.size(), 1u);
}

TEST(PrintWrap, ALineThatFillsItsLastRowGetsNoEmptyRow)
{
    FakeServices f;
    TQxStringsPrinter p;
    p.SetMarginRight(100);  // 52 cells
    const TPrintPages pages = LayOut(p, {std::string(52, 'a'), std::string(104, 'b'), "c"}, f);
    std::vector<std::string> rows;
    for (const TPrintText& t : pages.Pages[0].Texts) rows.push_back(t.Text);
    EXPECT_EQ(rows, (std::vector<std::string>{std::string(52, 'a'), std::string(52, 'b'), std::string(52, 'b'), "c"}));
}

// Random lines of single- and double-byte characters, tabs, spaces and punctuation through random
// geometries and wrap rules: every row fits its column and the rows of a line join back to it.
TEST(PrintWrap, EveryRowFitsItsColumnAndTheRowsJoinBack)
{
    std::mt19937 random(27);
    const std::vector<std::string> pieces = {"a", "bc", " ", "\t", ",", ".", Utf8ToCp932("漢"),
                                             Utf8ToCp932("、"), Utf8ToCp932("。"), Utf8ToCp932("（"),
                                             Utf8ToCp932("」"), "word ", "(", ")", Utf8ToCp932("ｱ")};
    for (int round = 0; round < 60; ++round) {
        FakeServices f;
        const int cell = 8 + static_cast<int>(random() % 30);
        f.Metrics = {cell * 2, 0, cell};
        TQxStringsPrinter p;
        p.SetMarginLeft(static_cast<int>(random() % 60));
        p.SetMarginRight(static_cast<int>(random() % 60));
        p.SetColumnCount(1 + static_cast<int>(random() % 3));
        p.SetColumnSpace(static_cast<int>(random() % 10));
        p.LineNumber = random() % 2 == 0;
        p.LineNumberByLog = true;
        p.WrapOptionUsed = random() % 2 == 0;
        p.WrapFollowPunctuation = random() % 2 == 0;
        p.WrapLeading = random() % 2 == 0;
        p.WrapWordBreak = random() % 2 == 0;
        p.WrapFollowRetMark = random() % 2 == 0;
        p.WrapFollowStr = Utf8ToCp932("、。」),.");
        p.WrapLeadStr = Utf8ToCp932("（(");
        p.WrapPunctuationStr = Utf8ToCp932("、。,.");
        if (random() % 3 == 0) p.WrapWrapByte = 20 + static_cast<int>(random() % 40);
        // Tabs expanded as the print commands expand them, at a width of the dialog's list.
        auto editor = Construct<TQxEditor>();
        editor->Caret().SetTabSpaceCount(2 + 2 * static_cast<int>(random() % 4));
        std::vector<std::string> lines;
        for (int i = 0; i < 20; ++i) {
            std::string line;
            const int n = static_cast<int>(random() % 120);
            for (int k = 0; k < n; ++k) line += pieces[random() % pieces.size()];
            lines.push_back(editor->ExpandTabs(line));
        }
        TPrintGeometry g;
        try {
            g = ComputeGeometry(p, f.Info, f.Metrics, 2);
        } catch (const EPrintError&) {
            continue;
        }
        const TPrintPages pages = LayOut(p, lines, f);
        // Rows in page order; a line's rows follow each other.
        std::vector<const TPrintText*> rows;
        for (const TPrintPage& page : pages.Pages)
            for (const TPrintText& t : page.Texts)
                if (t.Text.empty() || t.Text.back() != ':') rows.push_back(&t);
        std::size_t r = 0;
        for (const std::string& expanded : lines) {
            std::string joined;
            while (joined.size() < expanded.size() || (expanded.empty() && joined.empty() && r < rows.size())) {
                ASSERT_LT(r, rows.size()) << "round " << round;
                const TPrintText& t = *rows[r++];
                EXPECT_LE(static_cast<int>(t.Text.size()) * cell, g.TextWidth) << "round " << round << ": " << t.Text;
                EXPECT_GE(t.X, t.Clip.Left);
                joined += t.Text;
                if (expanded.empty()) break;
            }
            EXPECT_EQ(joined, expanded) << "round " << round;
        }
        EXPECT_EQ(r, rows.size()) << "round " << round;
    }
}

} // namespace
} // namespace qx
