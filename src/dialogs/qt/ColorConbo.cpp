#include "dialogs/qt/ColorConbo.h"

#include "platform/qt/QtColor.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>

namespace qx {

TQxColorConbo::TQxColorConbo(QWidget* parent) : QComboBox(parent)
{
    resize(120, sizeHint().height());
    FModel.ColorChooser = [this](TColor initial) -> std::optional<TColor> {
        const QColor start = initial == clNone ? QColor(Qt::white) : ToQColor(initial);
        const QColor chosen = QColorDialog::getColor(start, this);
        if (!chosen.isValid()) return std::nullopt;
        return FromQColor(chosen);
    };
    FModel.OnChange = [this] { ShowModel(); };
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        GuardedCall(OnException, [&] {
            FModel.Choose(index);
            if (OnSelect) OnSelect();
        });
    });
    ShowModel();
}

void TQxColorConbo::SetShowName(bool value)
{
    FShowName = value;
    ShowModel();
}

void TQxColorConbo::SetBmpType(TBmpType value)
{
    FBmpType = value;
    ShowModel();
}

QSize TQxColorConbo::SwatchSize() const
{
    const int height = std::max(fontMetrics().height() - 4, 8);
    if (FShowName) return QSize(24, height);
    return QSize(std::max(width() - 40, 24), height);  // the whole item without the arrow
}

QPixmap TQxColorConbo::Swatch(TColor color, TBmpType shape, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, shape != TBmpType::bmRectangle);
    painter.setPen(Qt::black);
    painter.setBrush(color == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(color)));
    const QRect r(0, 0, size.width() - 1, size.height() - 1);
    switch (shape) {
    case TBmpType::bmRectangle: painter.drawRect(r); break;
    case TBmpType::bmCircle: painter.drawEllipse(r); break;
    case TBmpType::bmRoundRect: painter.drawRoundedRect(r, 4, 4); break;
    case TBmpType::bmTriangle:
        painter.drawPolygon(QPolygon({r.bottomLeft(), r.bottomRight(), QPoint(r.center().x(), r.top())}));
        break;
    }
    return pixmap;
}

void TQxColorConbo::ShowModel()
{
    if (FShowing) return;
    FShowing = true;
    const QSize size = SwatchSize();
    setIconSize(size);
    QSignalBlocker quiet(this);
    clear();
    for (const TColorItem& item : FModel.Items())
        addItem(QIcon(Swatch(item.Color, FBmpType, size)), FShowName ? QString::fromStdString(item.Name) : QString());
    setCurrentIndex(FModel.ItemIndex());
    FShowing = false;
}

void TQxColorConbo::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    if (!FShowName) ShowModel();
}

TOptionColorBox::TOptionColorBox(std::function<TColor()> Stored, QWidget* Parent)
    : TQxColorConbo(Parent), Chooser(Model().ColorChooser), FStored(std::move(Stored))
{
    Model().ColorChooser = [this](TColor Initial) {
        const std::optional<TColor> chosen = Chooser ? Chooser(Initial) : std::nullopt;
        FCancelled = !chosen;
        return chosen;
    };
    OnSelect = [this] {
        if (FCancelled) {
            FCancelled = false;
            Model().SetSelectedColor(FStored());
        } else if (OnPick) {
            OnPick(Model().GetSelectedColor());
        }
    };
    ShowStored();
}

void TOptionColorBox::ShowStored() { ShowOptionColor(Model(), FStored()); }

void TOptionColorBox::showPopup()
{
    GuardedCall(OnException, [&] { OpenOptionColors(Model(), FStored()); });
    TQxColorConbo::showPopup();
}

void TOptionColorBox::keyPressEvent(QKeyEvent* Event)
{
    // Any key opens the list, but Enter and Esc still reach the dialog's OK and CANCEL, and a modifier
    // waits for its key (Tab never comes here: it moves the focus).
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: Event->ignore(); return;
    default: showPopup();
    }
}

} // namespace qx
