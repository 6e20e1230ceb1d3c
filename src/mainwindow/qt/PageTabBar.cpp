#include "mainwindow/qt/PageTabBar.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

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
        painter.drawItemText(option.rect, Qt::AlignCenter | Qt::TextShowMnemonic, option.palette,
                             isTabEnabled(Index), tabText(Index), QPalette::WindowText);
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
