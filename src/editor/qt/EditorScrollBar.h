#pragma once
// The control's scroll bars. A bar is asked to repaint at every scroll step, and a style may paint
// its long groove slowly (Fusion's gradients and lines fill it through Qt's thread pool), yet over a
// long text the slider moves by less than a pixel a page: the bar keeps the last picture the style
// painted and shows it again while the bar would look the same (size, slider rectangle, ends, state,
// palette). While the mouse is over it or presses it, the style paints every time (it may animate).

#include <QImage>
#include <QRect>
#include <QScrollBar>

namespace qx {

class TEditorScrollBar : public QScrollBar {
public:
    explicit TEditorScrollBar(Qt::Orientation Orientation, QWidget* Parent = nullptr);

    // How many times the style painted the bar's picture, or the whole bar (a test sees it reused).
    int StylePaints() const { return FStylePaints; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    // What the picture depends on.
    struct TLook {
        QSize Size;
        qreal Ratio = 0;
        int State = 0;
        QRect Slider;
        bool AtMinimum = false, AtMaximum = false;
        qint64 Palette = 0;
        Qt::LayoutDirection Direction = Qt::LeftToRight;
        const QStyle* Style = nullptr;
        friend bool operator==(const TLook&, const TLook&) = default;
    };

    TLook FLook;
    QImage FPicture;
    int FStylePaints = 0;
};

} // namespace qx
