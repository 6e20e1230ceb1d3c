#include "mainwindow/bars/qt/CuteControlBar.h"

#include "platform/qt/QtColor.h"

#include <QCursor>
#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QToolBar>

#include <algorithm>

namespace qx {

namespace {

QPoint ToQ(const TBarPoint& P) { return {P.X, P.Y}; }

} // namespace

void PaintBarShapes(QPainter& Painter, const std::vector<TBarShape>& Shapes, const QPalette& Palette)
{
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TBarShape& shape : Shapes) {
        const QColor color = ToQColor(shape.Color, Palette);
        switch (shape.Kind) {
        case TBarShape::Pixels:
            Painter.setPen(color);
            for (const TBarPoint& p : shape.Points) Painter.drawPoint(ToQ(p));
            break;
        case TBarShape::Line: {
            Painter.setPen(color);
            QPolygon line;
            for (const TBarPoint& p : shape.Points) line << ToQ(p);
            Painter.drawPolyline(line);
            break;
        }
        case TBarShape::Rect:
            Painter.fillRect(QRect(ToQ(shape.Points[0]), ToQ(shape.Points[1]) - QPoint(1, 1)), color);
            break;
        case TBarShape::Polygon: {
            QPolygon polygon;
            for (const TBarPoint& p : shape.Points) polygon << ToQ(p);
            Painter.setBrush(color);
            if (shape.Outline == clNone)
                Painter.setPen(Qt::NoPen);
            else
                Painter.setPen(ToQColor(shape.Outline, Palette));
            Painter.drawPolygon(polygon);
            break;
        }
        }
    }
    Painter.restore();
}

int TCuteBandStyle::pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const
{
    // Room for the grip and the Netscape style's line beside it.
    if (Metric == PM_ToolBarHandleExtent && BandType != TCuteBandType::cbtNormal) return GripWidth + 1;
    return QProxyStyle::pixelMetric(Metric, Option, Widget);
}

void TCuteBandStyle::drawPrimitive(PrimitiveElement Element, const QStyleOption* Option, QPainter* Painter,
                                   const QWidget* Widget) const
{
    const bool hovered = Widget && Widget == Hovered.data();
    if (Element == PE_PanelToolBar) {
        QProxyStyle::drawPrimitive(Element, Option, Painter, Widget);
        // A Netscape band under the mouse is filled whole.
        if (hovered && BandType == TCuteBandType::cbtNetscape) {
            const QRect r = Option->rect;
            PaintBarShapes(*Painter, BandGrip(BandType, r.x(), r.y(), r.width(), r.height(), true), Option->palette);
        }
        return;
    }
    const QRect r = Option->rect;
    const bool horizontal = (Option->state & State_Horizontal) != 0;
    if (Element != PE_IndicatorToolBarHandle || BandType == TCuteBandType::cbtNormal || !horizontal || r.height() < 7) {
        QProxyStyle::drawPrimitive(Element, Option, Painter, Widget);
        return;
    }
    PaintBarShapes(*Painter, BandGrip(BandType, r.x(), r.y(), r.width(), r.height(), hovered), Option->palette);
}

TFoldStripWidget::TFoldStripWidget(QWidget* Parent) : QWidget(Parent)
{
    setObjectName("FoldStrip");
    setMouseTracking(true);
    setFixedHeight(FoldStripExtra);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TFoldStripWidget::SetTabs(std::vector<TFoldTab> Tabs)
{
    FTabs = std::move(Tabs);
    FHovered = -1;
    update();
}

QSize TFoldStripWidget::sizeHint() const
{
    const int tabs = FTabs.empty() ? 0 : FTabs.back().Left + FTabs.back().Length + 10;
    return {std::max(tabs, 100), FoldStripExtra};
}

void TFoldStripWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintBarShapes(painter, FoldStripShapes(BandType, FTabs, height() - FoldStripHeight, width(), FHovered), palette());
}

void TFoldStripWidget::SetHovered(int Tab)
{
    if (Tab == FHovered) return;
    FHovered = Tab;
    update();
}

void TFoldStripWidget::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    SetHovered(InFoldStrip(at.y(), height()) ? FoldTabAt(FTabs, at.x()) : -1);
}

void TFoldStripWidget::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    const int tab = InFoldStrip(at.y(), height()) ? FoldTabAt(FTabs, at.x()) : -1;
    if (Event->button() == Qt::LeftButton && tab >= 0 && TabClicked) TabClicked(tab);
}

void TFoldStripWidget::leaveEvent(QEvent*) { SetHovered(-1); }

TCuteControlBar::TCuteControlBar(QMainWindow& Window, const char* Name) : QObject(&Window), FWindow(Window)
{
    setObjectName(Name);
    FStyle = new TCuteBandStyle;
    FStyle->setParent(this);
    // The strip lies on a row of its own below the bands.
    FStripBar = new QToolBar(&Window);
    FStripBar->setObjectName(QString::fromLatin1(Name) + "FoldStrip");
    FStripBar->setMovable(false);
    FStripBar->setFloatable(false);
    FStripBar->toggleViewAction()->setVisible(false);
    FStripBar->setContentsMargins(0, 0, 0, 0);
    FStrip = new TFoldStripWidget(FStripBar);
    FStrip->TabClicked = [this](int Tab) {
        const std::vector<QToolBar*> folded = Folded();
        if (Tab < static_cast<int>(folded.size())) Unfold(folded[static_cast<std::size_t>(Tab)]);
    };
    FStripBar->addWidget(FStrip);
    Window.addToolBarBreak(Qt::TopToolBarArea);
    Window.addToolBar(Qt::TopToolBarArea, FStripBar);
    FStripBar->hide();
}

void TCuteControlBar::AddBand(QToolBar* Band)
{
    if (!Band) return;
    FBands.push_back(Band);
    Band->setStyle(FStyle);
    Band->setAttribute(Qt::WA_Hover);
    Band->installEventFilter(this);
    UpdateStrip();
}

void TCuteControlBar::SetBandType(TCuteBandType Type)
{
    FStyle->BandType = Type;
    FStrip->BandType = Type;
    for (QToolBar* band : FBands)
        if (band) {
            // The handle's extent changes with the style: lay the band out again.
            band->setStyle(FStyle);
            band->update();
        }
    FStrip->update();
}

void TCuteControlBar::SetCanFold(bool Value)
{
    // The folded bands come back before folding ends.
    if (!Value)
        for (QToolBar* band : Folded()) band->show();
    FCanFold = Value;
    UpdateStrip();
}

std::vector<QToolBar*> TCuteControlBar::Folded() const
{
    // Every hidden band that has buttons lies folded while folding is on.
    std::vector<QToolBar*> folded;
    if (!FCanFold) return folded;
    for (QToolBar* band : FBands)
        if (band && band->isHidden() && !band->actions().isEmpty()) folded.push_back(band);
    return folded;
}

void TCuteControlBar::Fold(QToolBar* Band)
{
    Band->hide();
    UpdateStrip();
}

void TCuteControlBar::Unfold(QToolBar* Band)
{
    Band->show();
    UpdateStrip();
}

void TCuteControlBar::UpdateStrip()
{
    std::vector<int> heights;
    for (QToolBar* band : Folded()) heights.push_back(band->height());
    FStrip->SetTabs(FoldTabs(heights));
    FStripBar->setVisible(!heights.empty());
}

bool TCuteControlBar::OnGrip(QToolBar* Band, const QPoint& At) const
{
    return Band->isMovable() && Band->orientation() == Qt::Horizontal &&
           At.x() < FStyle->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, Band) + 2;
}

bool TCuteControlBar::eventFilter(QObject* Watched, QEvent* Event)
{
    auto* band = qobject_cast<QToolBar*>(Watched);
    if (!band) return false;
    switch (Event->type()) {
    case QEvent::Enter: {
        FStyle->Hovered = band;
        band->update();
        if (OnMouseEnter) OnMouseEnter(band->mapFromGlobal(QCursor::pos()));
        break;
    }
    case QEvent::Leave:
        if (FStyle->Hovered == band) FStyle->Hovered = nullptr;
        band->update();
        if (OnMouseLeave) OnMouseLeave(band->mapFromGlobal(QCursor::pos()));
        break;
    case QEvent::Move:
        FClicks.Realigned();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        UpdateStrip();
        break;
    case QEvent::MouseButtonPress:
        FClicks.Pressed();
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(Event);
        if (FCanFold && mouse->button() == Qt::LeftButton && FClicks.IsClick() &&
            OnGrip(band, mouse->position().toPoint())) {
            // After the bar's own release handling.
            QMetaObject::invokeMethod(this, [this, guard = QPointer<QToolBar>(band)] {
                if (guard) Fold(guard);
            }, Qt::QueuedConnection);
        }
        break;
    }
    default: break;
    }
    return false;
}

TBandGripWidget::TBandGripWidget(QWidget* Parent) : QWidget(Parent)
{
    setObjectName("MenuBandGrip");
    setFixedWidth(GripWidth + 1);
    setAttribute(Qt::WA_Hover);
}

QSize TBandGripWidget::sizeHint() const { return {GripWidth + 1, 22}; }

void TBandGripWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (BandType == TCuteBandType::cbtNormal) {
        QStyleOption option;
        option.initFrom(this);
        option.state |= QStyle::State_Horizontal;
        style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, this);
        return;
    }
    PaintBarShapes(painter, BandGrip(BandType, 0, 0, width(), height(), FHovered), palette());
}

void TBandGripWidget::enterEvent(QEnterEvent*)
{
    FHovered = true;
    update();
}

void TBandGripWidget::leaveEvent(QEvent*)
{
    FHovered = false;
    update();
}

} // namespace qx
