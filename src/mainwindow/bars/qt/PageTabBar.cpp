#include "mainwindow/bars/qt/PageTabBar.h"

#include <QMouseEvent>

namespace qx {

TPageTabBar::TPageTabBar(QWidget* Parent) : QTabBar(Parent) { setMouseTracking(true); }

void TPageTabBar::SetMultiLine(bool Value)
{
    if (Value == FMultiLine) return;
    // A tab dragged along one row would land in the wrong place of another: wrapping tabs stay put.
    if (Value) FWasMovable = isMovable();
    setMovable(Value ? false : FWasMovable);
    FMultiLine = Value;
    setUsesScrollButtons(!Value);
    setElideMode(Qt::ElideNone);
    FHover = -1;
    updateGeometry();
    update();
}

void TPageTabBar::SetTabHighlighted(int Index, bool Value)
{
    if (Index < 0 || Index >= count() || TabHighlighted(Index) == Value) return;
    setTabData(Index, Value);
    update();
}

bool TPageTabBar::TabHighlighted(int Index) const { return tabData(Index).toBool(); }

void TPageTabBar::PaintLabel(QStylePainter& Painter, const QStyleOptionTab& Option, bool Highlighted) const
{
    QRect box = Option.rect;
    if (Highlighted) {
        box.adjust(3, 3, -3, -2);
        Painter.fillRect(box, Option.palette.color(QPalette::Highlight));
    }
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    const bool enabled = Option.state.testFlag(QStyle::State_Enabled);
    const QRect textBox = style()->itemTextRect(Option.fontMetrics, box, flags, enabled, Option.text);
    const QSize iconSize = Option.icon.isNull() ? QSize() : Option.iconSize;
    const int gap = iconSize.isEmpty() ? 0 : 4;
    const int left = box.center().x() - (iconSize.width() + gap + textBox.width()) / 2;
    if (!iconSize.isEmpty()) {
        const QRect iconBox(QPoint(left, box.center().y() - iconSize.height() / 2), iconSize);
        Painter.drawPixmap(iconBox, Option.icon.pixmap(iconSize, devicePixelRatio()));
    }
    const QRect textRect(left + iconSize.width() + gap, box.top(), textBox.width() + 1, box.height());
    Painter.drawItemText(textRect, flags, Option.palette, enabled, Option.text,
                         Highlighted ? QPalette::HighlightedText : QPalette::WindowText);
}

std::vector<TTabCell> TPageTabBar::Cells() const
{
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i) widths.push_back(tabSizeHint(i).width());
    return LayTabRows(widths, RowWidth());
}

int TPageTabBar::RowWidth() const
{
    // The page control's width: the bar's own follows from the size it asks for.
    return parentWidget() ? parentWidget()->width() : width();
}

int TPageTabBar::RowHeight() const
{
    int height = 0;
    for (int i = 0; i < count(); ++i) height = std::max(height, tabSizeHint(i).height());
    return height > 0 ? height : QTabBar::sizeHint().height();
}

QRect TPageTabBar::CellRect(int Index) const
{
    const std::vector<TTabCell> cells = Cells();
    if (Index < 0 || Index >= static_cast<int>(cells.size())) return {};
    const TTabCell& cell = cells[static_cast<std::size_t>(Index)];
    return QRect(cell.Left, cell.Row * RowHeight(), cell.Width, RowHeight());
}

int TPageTabBar::TabIndexAt(const QPoint& Point) const
{
    if (!FMultiLine) return tabAt(Point);
    return TabCellAt(Cells(), RowHeight(), Point.x(), Point.y());
}

QSize TPageTabBar::sizeHint() const
{
    if (!FMultiLine) return QTabBar::sizeHint();
    // As wide as the page control makes it; as high as the rows at that width.
    return QSize(std::max(RowWidth(), 1), RowHeight() * RowCount());
}

QSize TPageTabBar::minimumSizeHint() const
{
    if (!FMultiLine) return QTabBar::minimumSizeHint();
    return QSize(1, RowHeight() * RowCount());
}

void TPageTabBar::paintEvent(QPaintEvent* Event)
{
    if (!FMultiLine) {
        QTabBar::paintEvent(Event);
        // A highlighted tab's label again over Qt's, inverted.
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            if (!TabHighlighted(i)) continue;
            QStyleOptionTab option;
            initStyleOption(&option, i);
            PaintLabel(painter, option, true);
        }
        return;
    }
    QStylePainter painter(this);
    const std::vector<TTabCell> cells = Cells();
    const int rowHeight = RowHeight();
    // The current tab last, so that its frame lies over its neighbours'.
    const auto paintTab = [&](int Index) {
        QStyleOptionTab option;
        initStyleOption(&option, Index);
        const TTabCell& cell = cells[static_cast<std::size_t>(Index)];
        option.rect = QRect(cell.Left, cell.Row * rowHeight, cell.Width, rowHeight);
        option.state.setFlag(QStyle::State_MouseOver, Index == FHover);
        // The shape where the cell is; the label too, which a style sheet's style would put where Qt's
        // own one-row layout has the tab.
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        PaintLabel(painter, option, TabHighlighted(Index));
    };
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex()) paintTab(i);
    if (currentIndex() >= 0) paintTab(currentIndex());
}

void TPageTabBar::mousePressEvent(QMouseEvent* Event)
{
    if (!FMultiLine) {
        QTabBar::mousePressEvent(Event);
        return;
    }
    if (Event->button() != Qt::LeftButton) {
        Event->ignore();
        return;
    }
    const int tab = TabIndexAt(Event->position().toPoint());
    if (tab >= 0 && isTabEnabled(tab)) setCurrentIndex(tab);
    Event->accept();
}

void TPageTabBar::mouseMoveEvent(QMouseEvent* Event)
{
    if (!FMultiLine) {
        QTabBar::mouseMoveEvent(Event);
        return;
    }
    const int hover = TabIndexAt(Event->position().toPoint());
    if (hover != FHover) {
        FHover = hover;
        update();
    }
}

void TPageTabBar::mouseReleaseEvent(QMouseEvent* Event)
{
    if (!FMultiLine) QTabBar::mouseReleaseEvent(Event);
}

void TPageTabBar::leaveEvent(QEvent* Event)
{
    FHover = -1;
    QTabBar::leaveEvent(Event);
    update();
}

void TPageTabBar::resizeEvent(QResizeEvent* Event)
{
    QTabBar::resizeEvent(Event);
    if (FMultiLine) updateGeometry();  // another width may take another number of rows
}

void TPageTabBar::tabLayoutChange()
{
    QTabBar::tabLayoutChange();
    if (FMultiLine) {
        updateGeometry();
        update();
    }
}

TPageControl::TPageControl(QWidget* Parent) : QTabWidget(Parent), FBar(new TPageTabBar(this))
{
    setTabBar(FBar);
}

} // namespace qx
