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
    // A style that paints the slider over a groove that does not depend on where it stands (Fusion)
    // keeps a picture of the groove alone and paints the short slider and the end buttons over it
    // every time, so that a slider that moves costs no painting of the long groove either.
    const bool layered = style()->name().compare(u"fusion", Qt::CaseInsensitive) == 0;
    if (!layered)
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
        QStyleOptionSlider groove = option;
        if (layered) groove.subControls &= ~(QStyle::SC_ScrollBarSlider | QStyle::SC_ScrollBarAddLine | QStyle::SC_ScrollBarSubLine);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &groove, &picture, this);
        FLook = look;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), FPicture);
    if (layered) {
        // The style's own order: the slider, then the end buttons (whose edges lie over it).
        option.subControls = QStyle::SC_ScrollBarSlider | QStyle::SC_ScrollBarAddLine | QStyle::SC_ScrollBarSubLine;
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    }
}

} // namespace qx
