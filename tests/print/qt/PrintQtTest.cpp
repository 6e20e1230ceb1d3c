// Printing through Qt offscreen: pages replayed onto images and PDF files, the progress and preview
// windows, the print dialog and the preview command.

#include "print/FakePrintDevice.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "print/PrintLayout.h"
#include "print/qt/PageReplay.h"
#include "print/qt/PrintCommands.h"
#include "print/qt/PrinterDialog.h"
#include "print/qt/QtPrintDevice.h"
#include "print/qt/StrPreview.h"
#include "print/qt/StrProgress.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QStyle>
#include <QScrollArea>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>

#include <filesystem>

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::FakeServices;

std::vector<std::string> NumberedLines(int Count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= Count; ++i) lines.push_back(Utf8ToCp932("行 ") + std::to_string(i) + Utf8ToCp932(" 日本語のテキスト"));
    return lines;
}

// Whether any pixel of R on the image is darker than light grey.
bool HasInk(const QImage& Image, const QRect& R)
{
    const QRect r = R.intersected(Image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(Image.pixel(x, y)) < 160) return true;
    return false;
}

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

// A fake device whose metrics are the real font's at its resolution, so pages replay onto images.
FakeServices ImageServices(int Dpi)
{
    FakeServices f;
    f.Info.DpiX = f.Info.DpiY = Dpi;
    f.Info.PageWidth = static_cast<int>(210 * Dpi / 25.4);
    f.Info.PageHeight = static_cast<int>(297 * Dpi / 25.4);
    TFontResolver fonts(Dpi);
    TFontSpec font;
    font.Name = "ＭＳ 明朝";
    font.Size = 10;
    f.Metrics = fonts.Resolve(font).Metrics;
    return f;
}

TEST(PrintReplay, APageOnAnImageHasInkInTheHeaderAndTheRowsOnTheGrid)
{
    const int dpi = 150;
    FakeServices f = ImageServices(dpi);
    TQxStringsPrinter p;
    p.SetMarginLeft(20);
    p.SetMarginTop(15);
    p.SetMarginRight(15);
    p.SetMarginBottom(15);
    p.Header = Utf8ToCp932("ヘッダー %p");
    p.HeaderAlign = haRight;
    p.HeaderLine = true;
    auto device = f.Services.NewDevice();
    TPrintPages pages;
    ASSERT_TRUE(p.LayOut(NumberedLines(200), *device, f.Services, PrintingCaption, false, pages));
    ASSERT_GE(pages.Pages.size(), 2u);
    // A full-width glyph fills its two cells (to the pixel the rounding of half its advance leaves).
    TFontResolver fonts(dpi);
    const TResolvedFont& font = fonts.Resolve(pages.Font);
    const int wide = QFontMetrics(font.Font).horizontalAdvance(QString::fromUtf8("日"));
    EXPECT_LE(wide, 2 * pages.CellWidth);
    EXPECT_GE(wide, 2 * pages.CellWidth - 1);

    QImage image(pages.PageWidth, pages.PageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ReplayPage(painter, fonts, pages, pages.Pages[0]);
    }
    const TPrintGeometry g = ComputeGeometry(p, f.Info, f.Metrics, 1);
    const QRect header = ToQRect(g.HeaderBand);
    EXPECT_TRUE(HasInk(image, QRect(header.right() - header.width() / 4, header.top(), header.width() / 4, header.height())));
    EXPECT_FALSE(HasInk(image, QRect(header.left(), header.top(), header.width() / 2, header.height() - 10)));
    // Nothing is drawn in the margins.
    EXPECT_FALSE(HasInk(image, QRect(0, 0, g.Print.Left, image.height())));
    EXPECT_FALSE(HasInk(image, QRect(g.Print.Right + 1, 0, image.width(), image.height())));
    // The first row: "行 1 ..." has ink in its first cells.
    const QRect firstRow(g.TextLeft, g.HeaderBand.Bottom, 2 * pages.CellWidth, g.RowHeight);
    EXPECT_TRUE(HasInk(image, firstRow));
    image.save(QString::fromStdString(std::string(::testing::TempDir()) + "print-page1.png"));
}

TEST(PrintReplay, ThreePagesGoToOnePdfAndCopiesRepeatThem)
{
    test::TempDir dir;
    test::ScriptedMessagePrompter prompter;
    FakeServices f(&prompter);
    const std::string file = dir.File("out.pdf");
    f.Services.NewDevice = [&] {
        auto printer = NewJobPrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        printer->setResolution(300);
        return std::make_unique<TQtPrintDevice>(std::move(printer), [file] { return file; });
    };
    TQxStringsPrinter p;
    p.SetMarginTop(15);
    p.SetMarginBottom(15);
    // 10 points at 300 dpi: rows of about 42 pixels in 3154 pixels, about 75 a page.
    p.PrintNumberOfCopies = 1;
    auto device = f.Services.NewDevice();
    TPrintPages probe;
    ASSERT_TRUE(p.LayOut({}, *device, f.Services, PrintingCaption, false, probe));
    const TPrintGeometry g = ComputeGeometry(p, device->Info(), device->Metrics(p.Font()), 1);
    const int perPage = (g.FooterBand.Top - g.HeaderBand.Bottom) / g.RowHeight;
    const auto lines = NumberedLines(perPage * 2 + 5);

    const auto pagesIn = [](const std::string& path) {
        const QString pdf = QString::fromLatin1(QByteArray::fromStdString(test::ReadBytes(path)));
        return static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
    };
    ASSERT_TRUE(p.Print(lines, f.Services));
    EXPECT_EQ(pagesIn(file), 3);
    p.PrintNumberOfCopies = 2;
    ASSERT_TRUE(p.Print(lines, f.Services));
    EXPECT_EQ(pagesIn(file), 6);
    EXPECT_TRUE(prompter.Requests.empty());

    // A folder that cannot hold the file: reported, false.
    const std::string bad = dir.File("no/such/folder/out.pdf");
    f.Services.NewDevice = [&] {
        auto printer = NewJobPrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        return std::make_unique<TQtPrintDevice>(std::move(printer), [bad] { return bad; });
    };
    EXPECT_FALSE(p.Print(lines, f.Services));
    ASSERT_EQ(prompter.Requests.size(), 1u);
    EXPECT_NE(prompter.Requests[0].Text.find(PrintStartError), std::string::npos);
    EXPECT_NE(prompter.Requests[0].Text.find(bad), std::string::npos);

    // No file chosen (the user cancelled the chooser): false, nothing written and nothing said.
    f.Services.NewDevice = [&] {
        auto printer = NewJobPrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        return std::make_unique<TQtPrintDevice>(std::move(printer), [] { return std::string(); });
    };
    EXPECT_FALSE(p.Print(lines, f.Services));
    EXPECT_EQ(prompter.Requests.size(), 1u);
}

TEST(PrintReplay, TheDeviceTellsItsPaperAndALandscapeJobLaysOutAcross)
{
    const struct {
        QPageSize::PageSizeId Size;
        QPageLayout::Orientation Orientation;
        int Number, WidthMm, HeightMm, PageWidth, PageHeight;
    } cases[] = {
        {QPageSize::A4, QPageLayout::Portrait, 9, 210, 297, 2480, 3508},
        {QPageSize::A4, QPageLayout::Landscape, 9, 210, 297, 3508, 2480},
        {QPageSize::JisB5, QPageLayout::Portrait, 13, 182, 257, 2150, 3035},
    };
    for (const auto& c : cases) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setResolution(300);
        printer->setPageSize(QPageSize(c.Size));
        printer->setPageOrientation(c.Orientation);
        printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        TQtPrintDevice device(std::move(printer));
        const TPrintDeviceInfo info = device.Info();
        EXPECT_EQ(info.PaperNumber, c.Number) << c.Number;
        EXPECT_EQ(info.PaperWidthMm, c.WidthMm) << c.Number;
        EXPECT_EQ(info.PaperHeightMm, c.HeightMm) << c.Number;
        EXPECT_EQ(info.Landscape, c.Orientation == QPageLayout::Landscape);
        // Qt keeps some sizes in points: a few pixels off the whole millimetres.
        EXPECT_NEAR(info.PageWidth, c.PageWidth, 4) << c.Number;
        EXPECT_NEAR(info.PageHeight, c.PageHeight, 4) << c.Number;
        // The layout's sheet is the page: no unprintable edge on a file.
        TQxStringsPrinter p;
        const TPrintGeometry g = ComputeGeometry(p, info, device.Metrics(p.Font()), 1);
        EXPECT_NEAR(g.Frame.PaperWidth, info.PageWidth, 4) << c.Number;
        EXPECT_NEAR(g.Frame.PaperHeight, info.PageHeight, 4) << c.Number;
        EXPECT_LE(g.Unprintable.Left, 2);
        EXPECT_EQ(TPrintDialogModel::Caption(info).find(info.Landscape ? "横]" : "縦]") != std::string::npos, true);
    }
}

TEST(PrintProgress, GaugeAndCancel)
{
    const struct {
        int Maximum, Position, Percent;
    } cases[] = {{0, 0, 100}, {10, 5, 50}, {3, 1, 33}, {3, 2, 67}, {99, 99, 100}, {10, 20, 100}};
    for (const auto& c : cases) EXPECT_EQ(GaugePercent(c.Maximum, c.Position), c.Percent) << c.Maximum << " " << c.Position;

    TQxFormStrProgress progress(QString::fromUtf8(CountingCaption), false);
    EXPECT_EQ(progress.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(progress.Update(PrintingCaption, 4, 2));
    EXPECT_EQ(progress.Label()->text(), QString::fromUtf8(PrintingCaption));
    EXPECT_EQ(progress.Gauge()->value(), 50);
    progress.Button1()->click();
    EXPECT_TRUE(progress.Update(PrintingCaption, 4, 3));
}

TEST(PrintPreviewWindow, CounterButtonsZoomAndGeometry)
{
    FakeServices f = ImageServices(150);
    TQxStringsPrinter p;
    p.SetPreviewForm(pfUser);
    p.PreviewFormLeft = 5000;  // off the screen
    p.PreviewFormTop = 40;
    p.PreviewFormWidth = 600;
    p.PreviewFormHeight = 500;
    auto device = f.Services.NewDevice();
    TPrintPages pages;
    ASSERT_TRUE(p.LayOut(NumberedLines(200), *device, f.Services, PreviewCaption, false, pages));
    const int count = static_cast<int>(pages.Pages.size());
    ASSERT_GE(count, 3);
    const auto counter = [count](int page) { return QString::asprintf("%3d / %3d", page, count); };
    TQxFormStrPreview preview(p, std::move(pages));
    EXPECT_EQ(preview.windowTitle(), QString::fromUtf8("印刷プレビュー"));
    EXPECT_LE(preview.geometry().right(), 1920);  // moved onto the screen
    EXPECT_EQ(preview.Counter()->text(), counter(1));
    EXPECT_FALSE(preview.SpeedButton(1)->isEnabled());
    EXPECT_TRUE(preview.SpeedButton(3)->isEnabled());
    preview.SpeedButton(4)->click();
    EXPECT_EQ(preview.Counter()->text(), counter(count));
    EXPECT_TRUE(preview.SpeedButton(2)->isEnabled());
    EXPECT_FALSE(preview.SpeedButton(3)->isEnabled());
    preview.SpeedButton(2)->click();
    EXPECT_EQ(preview.Model().Index(), count - 2);

    preview.show();
    preview.SpeedButton(7)->click();  // fit width
    const QSize client = preview.ScrollBox()->maximumViewportSize();
    const int bar = preview.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(preview.Placement().Image.Width(), client.width() - bar - 10);
    preview.SpeedButton(5)->click();  // fit height
    EXPECT_EQ(preview.Placement().Image.Height(), client.height() - bar - 10);

    // What the window shows of page 2: Japanese text, rendered for a look.
    QImage shot(preview.ScrollBox()->widget()->size(), QImage::Format_RGB32);
    shot.fill(Qt::gray);
    {
        QPainter painter(&shot);
        preview.PaintPage(painter);
    }
    const TRect printable = preview.Placement().Printable;
    EXPECT_TRUE(HasInk(shot, QRect(printable.Left, printable.Top, printable.Width(), printable.Height())));
    shot.save(QString::fromStdString(std::string(::testing::TempDir()) + "print-preview.png"));

    preview.move(100, 120);
    preview.SpeedButton(8)->click();  // Close writes the rectangle back
    EXPECT_EQ(p.PreviewFormLeft, preview.geometry().left());
    EXPECT_EQ(p.PreviewFormTop, preview.geometry().top());
    EXPECT_EQ(p.PreviewFormWidth, preview.geometry().width());
}

class PrintCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        State.ProgramFolder = Dir.Path() + "/";
        CreateGlobalLists(State);
        Editor = Construct<TQxEditor>();
        Editor->FileName = "/tmp/docs/a.txt";
        Editor->Lines().SetText(Utf8ToCp932("一\t行目\r\n二行目\r\n") + std::string(150, 'x') + "\r\n");
        Commands.ShowPreview = [this](TQxStringsPrinter& P, TPrintPages&& Pages) {
            Shown.push_back(std::move(Pages));
            P.PreviewFormWidth = 777;  // as the window writes it back
        };
        Commands.AskPdfFile = [this] { return Dir.File("out.pdf"); };
    }

    test::TempDir Dir;
    TGlobalState State;
    test::ScriptedMessagePrompter Prompter;
    TPrintCommands Commands{State, Prompter, nullptr};
    std::unique_ptr<TQxEditor> Editor;
    std::vector<TPrintPages> Shown;
};

TEST_F(PrintCommandsTest, PreviewMenuUsesTheDocumentAndStoresTheWindow)
{
    Editor->Caret().SetTabSpaceCount(4);
    Editor->SetWordWrap(false);
    ASSERT_TRUE(Commands.PreviewMenuClick(*Editor));
    ASSERT_EQ(Shown.size(), 1u);
    // Header "%F %y/%m/%d" from the stored defaults; the tab expanded at 4; the long line broken only
    // by the page, not at the editor's wrap column.
    std::vector<std::string> texts;
    for (const TPrintText& t : Shown[0].Pages[0].Texts) texts.push_back(Cp932ToUtf8(t.Text));
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0].substr(0, 6), "a.txt ");
    EXPECT_EQ(texts[1], "一  行目");
    EXPECT_GT(texts[3].size(), 80u);
    EXPECT_EQ(Commands.StringsPrinter.WrapWrapByte, 9999);
    TGlobalState reread;
    reread.ProgramFolder = State.ProgramFolder;
    LoadPrinterSettings(reread);
    EXPECT_EQ(reread.Settings.Printer.PreviewFormWidth, 777);
}

TEST_F(PrintCommandsTest, TheDialogFillsWritesAtOnceAndStoresOnlyTheLayout)
{
    State.Settings.Printer.TabSpaceCount = 3;
    State.Settings.Printer.ColumnCount = 2;
    SavePrinterSettings(State);
    {
        TPrinterDialog dialog(Commands, Editor.get());
        EXPECT_TRUE(dialog.windowTitle().startsWith(QString::fromUtf8("印刷 - [Printer: ")));
        EXPECT_EQ(dialog.TabSpaceCountComboBox->currentText(), "4");
        EXPECT_EQ(dialog.Model().TabWidth, 4);
        EXPECT_TRUE(dialog.ColumnMarginSpinEdit->isEnabled());
        dialog.ColumnComboBox->setCurrentIndex(0);
        EXPECT_FALSE(dialog.ColumnMarginSpinEdit->isEnabled());
        EXPECT_EQ(dialog.Model().StringsPrinter1.ColumnCount(), 1);
        dialog.LeftMarginSpinEdit->setValue(33);
        EXPECT_EQ(dialog.Model().StringsPrinter1.MarginLeft(), 33);
        dialog.ComboBox2->setCurrentText("abc");
        EXPECT_EQ(dialog.Model().StringsPrinter1.Font().Size, 9);

        // The format menu inserts at the caret.
        dialog.Edit2->setText("- / -");
        dialog.Edit2->setCursorPosition(2);
        dialog.InsertFormat(true, 1);
        EXPECT_EQ(dialog.Edit2->text(), "- %p/ -");
        EXPECT_EQ(Cp932ToUtf8(dialog.Model().StringsPrinter1.Footer), "- %p/ -");

        // A range error is shown and the dialog goes on.
        dialog.PrintLineRadioButton2->setChecked(true);
        dialog.StartLineSpinEdit->setValue(3);
        dialog.EndLineSpinEdit->setValue(2);
        EXPECT_FALSE(dialog.PreviewClick());
        ASSERT_EQ(Prompter.Requests.size(), 1u);
        EXPECT_EQ(Prompter.Requests[0].Text, LineRangeError);
        dialog.EndLineSpinEdit->setValue(3);
        EXPECT_TRUE(dialog.PreviewClick());
        ASSERT_EQ(Shown.size(), 1u);

        dialog.NumberOfCopiesSpinEdit->setValue(2);
        dialog.FirstPageSpinEdit->setValue(5);
        EXPECT_TRUE(dialog.PrintClick());
        dialog.accept();
    }
    TGlobalState reread;
    reread.ProgramFolder = State.ProgramFolder;
    LoadPrinterSettings(reread);
    EXPECT_EQ(reread.Settings.Printer.LeftMargin, 33);
    EXPECT_EQ(reread.Settings.Printer.ColumnCount, 1);
    EXPECT_EQ(reread.Settings.Printer.TabSpaceCount, 4);
    EXPECT_EQ(reread.Settings.Printer.FontSize, 9);
    EXPECT_EQ(reread.Settings.Printer.Footer, "- %p/ -");
    EXPECT_EQ(reread.Settings.Printer.PreviewFormWidth, 777);
    // Copies, ranges and start numbers are not stored: the next dialog starts afresh.
    TPrinterDialog again(Commands, Editor.get());
    EXPECT_EQ(again.NumberOfCopiesSpinEdit->value(), 1);
    EXPECT_EQ(again.FirstPageSpinEdit->value(), 1);
    EXPECT_TRUE(again.PrintLineRadioButton1->isChecked());
}

TEST_F(PrintCommandsTest, PrintClosesTheDialogAndACancelledFileChoiceEndsQuietly)
{
    if (Commands.Printer().outputFormat() != QPrinter::PdfFormat) GTEST_SKIP() << "a printer is installed here";
    TPrinterDialog dialog(Commands, Editor.get());
    dialog.show();
    // The user cancels the file choice: nothing printed, nothing said, the dialog stays.
    Commands.AskPdfFile = [] { return std::string(); };
    dialog.Button5->click();
    EXPECT_TRUE(Prompter.Requests.empty());
    EXPECT_TRUE(dialog.isVisible());
    // A print that succeeds closes it.
    Commands.AskPdfFile = [this] { return Dir.File("out.pdf"); };
    dialog.Button5->click();
    EXPECT_TRUE(Prompter.Requests.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_GT(std::filesystem::file_size(Dir.File("out.pdf")), 0u);
}

} // namespace
} // namespace qx
