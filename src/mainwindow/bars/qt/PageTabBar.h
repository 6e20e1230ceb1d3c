#pragma once
// The window's tab row. Qt's tab bar keeps its tabs in one row (scrolling or squeezing them); with
// MultiLine the row wraps instead, every tab at its full width, and grows a row at a time. The tabs, the
// current one and the signals stay Qt's; only where a tab stands, how it is painted and what a press hits
// are this bar's own while it wraps.

#include "mainwindow/bars/TabRows.h"

#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>

namespace qx {

class TPageTabBar : public QTabBar {
public:
    explicit TPageTabBar(QWidget* Parent = nullptr);

    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    // The tab under Point (in the bar), whichever way the tabs stand; -1 for none.
    int TabIndexAt(const QPoint& Point) const;
    // Where tab Index stands while the row wraps.
    QRect CellRect(int Index) const;
    int RowCount() const { return TabRowCount(Cells()); }
    // A highlighted tab shows its label inverted, on the highlight colour. The mark is the tab's data,
    // so it moves with the tab when the tab is dragged.
    void SetTabHighlighted(int Index, bool Value);
    bool TabHighlighted(int Index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void tabLayoutChange() override;

private:
    std::vector<TTabCell> Cells() const;
    int RowHeight() const;
    int RowWidth() const;
    // A tab's icon and text centred in its rectangle, on the highlight colour when Highlighted.
    void PaintLabel(QStylePainter& Painter, const QStyleOptionTab& Option, bool Highlighted) const;

    bool FMultiLine = false;
    bool FWasMovable = false;
    int FHover = -1;
};

// The page control: a tab widget over TPageTabBar.
class TPageControl : public QTabWidget {
public:
    explicit TPageControl(QWidget* Parent = nullptr);
    TPageTabBar* PageTabBar() const { return FBar; }

private:
    TPageTabBar* FBar;
};

} // namespace qx
