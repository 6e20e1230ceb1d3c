#include "dialogs/qt/GradBox.h"

#include "platform/qt/QtColor.h"

#include <QFontMetrics>
#include <QPainter>


namespace qx {

TQxGradBox::TQxGradBox(QWidget* parent) : QWidget(parent)
{
    resize(128, 128);
}

void TQxGradBox::SetDirection(TGradDirection value)
{
    if (value == FDirection) return;
    FDirection = value;
    Changed();
}

void TQxGradBox::Changed()
{
    update();
    if (OnChange) OnChange();
}

void TQxGradBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool vertical = FDirection == TGradDirection::gdVertical;
    const TColor start = FromQColor(ToQColor(FStartColor));
    const TColor end = FromQColor(ToQColor(FEndColor));
    for (const TGradBand& band : GradientBands(vertical ? height() : width(), FGradStep, start, end)) {
        const QRect rect = vertical ? QRect(0, band.Offset, width(), band.Size) : QRect(band.Offset, 0, band.Size, height());
        painter.fillRect(rect, ToQColor(band.Color));
    }
    if (FTitle.isEmpty()) return;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    const int y = (height() - metrics.height()) / 2;
    painter.drawText(QPoint(FTitleMargin, y + metrics.ascent()), FTitle);
}

} // namespace qx
