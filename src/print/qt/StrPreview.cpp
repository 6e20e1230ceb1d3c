#include "print/qt/StrPreview.h"

#include "print/StringsPrinter.h"
#include "print/qt/PageReplay.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace qx {

// The scroll box's page: draws what the preview window says.
class TPreviewPageView : public QWidget {
public:
    explicit TPreviewPageView(TQxFormStrPreview& Owner) : FOwner(Owner) { setObjectName("PageImage"); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        FOwner.PaintPage(painter);
    }

private:
    TQxFormStrPreview& FOwner;
};

namespace {

int ScreenDpi(const QWidget* Widget)
{
    const QScreen* screen = Widget->screen() ? Widget->screen() : QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
}

} // namespace

TQxFormStrPreview::TQxFormStrPreview(TQxStringsPrinter& Printer, TPrintPages Pages, QWidget* Parent)
    : QDialog(Parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      FPrinter(Printer), FPages(std::move(Pages)), FModel(FPages, ScreenDpi(this)), FFonts(FPages.DpiY)
{
    setObjectName("QxFormStrPreview");
    setWindowTitle(QString::fromUtf8("印刷プレビュー"));
    auto* bar = new QHBoxLayout;
    const char* captions[8] = {"|<", "<", ">", ">|", "1Page:H", "100%", "1Page:W", "&Close"};
    for (int i = 0; i < 8; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("SpeedButton%1").arg(i + 1));
        button->setText(QString::fromUtf8(captions[i]));
        FButtons[i] = button;
    }
    FCounter = new QLabel(this);
    FCounter->setObjectName("PageCounter");
    QFont fixed = FCounter->font();
    fixed.setFamily(TFontResolver::FallbackFamily());
    FCounter->setFont(fixed);
    for (int i = 0; i < 4; ++i) bar->addWidget(FButtons[i]);
    bar->addWidget(FCounter);
    bar->addSpacing(12);
    bar->addWidget(FButtons[5]);
    bar->addWidget(FButtons[6]);
    bar->addWidget(FButtons[4]);
    bar->addStretch(1);
    bar->addWidget(FButtons[7]);
    connect(FButtons[0], &QToolButton::clicked, this, [this] { GoToPage(0); });
    connect(FButtons[1], &QToolButton::clicked, this, [this] { GoToPage(FModel.Index() - 1); });
    connect(FButtons[2], &QToolButton::clicked, this, [this] { GoToPage(FModel.Index() + 1); });
    connect(FButtons[3], &QToolButton::clicked, this, [this] { GoToPage(FModel.Count() - 1); });
    connect(FButtons[4], &QToolButton::clicked, this, [this] { SetZoom(pzFitHeight); });
    connect(FButtons[5], &QToolButton::clicked, this, [this] { SetZoom(pzActualSize); });
    connect(FButtons[6], &QToolButton::clicked, this, [this] { SetZoom(pzFitWidth); });
    connect(FButtons[7], &QToolButton::clicked, this, &QDialog::reject);

    FScrollBox = new QScrollArea(this);
    FScrollBox->setObjectName("ScrollBox1");
    FScrollBox->setBackgroundRole(QPalette::Dark);
    FView = new TPreviewPageView(*this);
    FScrollBox->setWidget(FView);
    FScrollBox->verticalScrollBar()->setSingleStep(10);
    FScrollBox->horizontalScrollBar()->setSingleStep(10);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(FScrollBox, 1);

    // The stored rectangle, brought onto the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const TRect stored{Printer.PreviewFormLeft, Printer.PreviewFormTop,
                       Printer.PreviewFormLeft + std::max(200, Printer.PreviewFormWidth),
                       Printer.PreviewFormTop + std::max(150, Printer.PreviewFormHeight)};
    const TRect placed = FitOnScreen(stored, {available.left(), available.top(), available.right() + 1,
                                              available.bottom() + 1});
    setGeometry(placed.Left, placed.Top, placed.Width(), placed.Height());
    GoToPage(0);
}

TQxFormStrPreview::~TQxFormStrPreview() = default;

void TQxFormStrPreview::ShowPreview(TQxStringsPrinter& Printer, TPrintPages&& Pages, QWidget* Parent)
{
    TQxFormStrPreview preview(Printer, std::move(Pages), Parent);
    preview.exec();
}

void TQxFormStrPreview::GoToPage(int Index)
{
    FModel.GoTo(Index);
    FCounter->setText(QString::fromStdString(FModel.Counter()));
    FButtons[0]->setEnabled(FModel.CanFirst());
    FButtons[1]->setEnabled(FModel.CanPrior());
    FButtons[2]->setEnabled(FModel.CanNext());
    FButtons[3]->setEnabled(FModel.CanLast());
    PlaceImage();
}

void TQxFormStrPreview::SetZoom(TPreviewZoom Zoom)
{
    FModel.Zoom = Zoom;
    PlaceImage();
}

TPreviewPlacement TQxFormStrPreview::Placement() const
{
    const QSize client = FScrollBox->maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return FModel.Place(client.width(), client.height(), bar, bar);
}

void TQxFormStrPreview::PlaceImage()
{
    const TPreviewPlacement p = Placement();
    const QSize client = FScrollBox->maximumViewportSize();
    FView->resize(std::max(client.width(), p.Image.Right + 5), std::max(client.height(), p.Image.Bottom + 5));
    FScrollBox->horizontalScrollBar()->setValue(0);
    FScrollBox->verticalScrollBar()->setValue(0);
    FView->update();
}

void TQxFormStrPreview::PaintPage(QPainter& Painter)
{
    const TPreviewPlacement p = Placement();
    const QRect image(p.Image.Left, p.Image.Top, p.Image.Width(), p.Image.Height());
    Painter.fillRect(image.translated(2, 2), Qt::darkGray);  // the shadow
    Painter.setPen(Qt::black);
    Painter.drawRect(image.adjusted(-1, -1, 0, 0));  // the frame, one pixel around the sheet
    Painter.fillRect(image, Qt::white);
    if (FModel.Count() == 0 || FPages.PageWidth <= 0 || FPages.PageHeight <= 0) return;
    Painter.save();
    Painter.setClipRect(image);
    Painter.translate(p.Printable.Left, p.Printable.Top);
    Painter.scale(static_cast<double>(p.Printable.Width()) / FPages.PageWidth,
                  static_cast<double>(p.Printable.Height()) / FPages.PageHeight);
    Painter.setRenderHint(QPainter::SmoothPixmapTransform);
    ReplayPage(Painter, FFonts, FPages, FPages.Pages[static_cast<std::size_t>(FModel.Index())]);
    Painter.restore();
}

void TQxFormStrPreview::done(int Result)
{
    const QRect g = geometry();
    FPrinter.PreviewFormTop = g.top();
    FPrinter.PreviewFormLeft = g.left();
    FPrinter.PreviewFormHeight = g.height();
    FPrinter.PreviewFormWidth = g.width();
    QDialog::done(Result);
}

void TQxFormStrPreview::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    PlaceImage();
}

void TQxFormStrPreview::wheelEvent(QWheelEvent* Event)
{
    QScrollBar* bar = FScrollBox->verticalScrollBar();
    bar->setValue(bar->value() - Event->angleDelta().y() / 5);
    Event->accept();
}

} // namespace qx
