#include "editor/qt/EditorScrollBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace qx {

TEditorScrollBar::TEditorScrollBar(Qt::Orientation Orientation, QWidget* Parent) : QScrollBar(Orientation, Parent) {}

void TEditorScrollBar::paintEvent(QPaintEvent* Event)
{
    if (underMouse() || isSliderDown() || repeatAction() != SliderNoAction) {
        FPicture = QImage();
        ++FStylePaints;
        QScrollBar::paintEvent(Event);
        return;
    }
    // The options the bar paints itself with when nothing is hovered or pressed.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    option.activeSubControls = QStyle::SC_None;
    TLook look;
    look.Size = size();
    look.Ratio = devicePixelRatioF();
    look.State = static_cast<int>(option.state);
    look.Slider = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    look.AtMinimum = option.sliderValue <= option.minimum;
    look.AtMaximum = option.sliderValue >= option.maximum;
    look.Palette = palette().cacheKey();
    look.Direction = layoutDirection();
    look.Style = style();
    if (FPicture.isNull() || !(look == FLook)) {
        // Painted onto a clear picture and laid over the background as the style would have drawn.
        FPicture = QImage((QSizeF(look.Size) * look.Ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        FPicture.setDevicePixelRatio(look.Ratio);
        FPicture.fill(Qt::transparent);
        QPainter picture(&FPicture);
        ++FStylePaints;
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &picture, this);
        FLook = look;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), FPicture);
}

} // namespace qx
