#pragma once
// The control bars of the window's top: "ControlBar1" holds the user tool bars (bands of the main
// window's tool-bar area), "MenuControlBar" the menu bar. The grips are painted in the bar's band style
// (a proxy style on each band), the band under the mouse is highlighted, and with CanFold a click on a
// grip folds the band into a tab of the strip below the bands; a click on the tab unfolds it. Geometry
// and shapes come from the Qt-free model (mainwindow/bars/ControlBar.h).

#include "mainwindow/bars/ControlBar.h"

#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

#include <functional>
#include <vector>

class QMainWindow;
class QPainter;
class QToolBar;

namespace qx {

// Paints the model's shapes.
void PaintBarShapes(QPainter& Painter, const std::vector<TBarShape>& Shapes, const QPalette& Palette);

// The grips of the bands: the handle of a tool bar in its control bar's style, the hover fill.
class TCuteBandStyle : public QProxyStyle {
public:
    TCuteBandType BandType = TCuteBandType::cbtNormal;
    // The band the mouse is over (its grip is bright, a Netscape band filled).
    QPointer<QWidget> Hovered;

    int pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const override;
    void drawPrimitive(PrimitiveElement Element, const QStyleOption* Option, QPainter* Painter,
                       const QWidget* Widget) const override;
};

// The strip of folded bands' tabs.
class TFoldStripWidget : public QWidget {
public:
    explicit TFoldStripWidget(QWidget* Parent);
    std::function<void(int Tab)> TabClicked;
    TCuteBandType BandType = TCuteBandType::cbtNormal;
    void SetTabs(std::vector<TFoldTab> Tabs);
    const std::vector<TFoldTab>& Tabs() const { return FTabs; }
    int HoveredTab() const { return FHovered; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    void SetHovered(int Tab);
    std::vector<TFoldTab> FTabs;
    int FHovered = -1;
};

class TCuteControlBar : public QObject {
public:
    TCuteControlBar(QMainWindow& Window, const char* Name);

    // A band of the bar, in band order.
    void AddBand(QToolBar* Band);
    TCuteBandType BandType() const { return FStyle->BandType; }
    void SetBandType(TCuteBandType Type);
    bool CanFold() const { return FCanFold; }
    // Off also unfolds every folded band.
    void SetCanFold(bool Value);
    // The folded bands, in band order.
    std::vector<QToolBar*> Folded() const;
    // Shows a folded band again.
    void Unfold(QToolBar* Band);

    // The mouse entered or left a band (client position in the band).
    std::function<void(const QPoint&)> OnMouseEnter;
    std::function<void(const QPoint&)> OnMouseLeave;

    TFoldStripWidget& Strip() const { return *FStrip; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Fold(QToolBar* Band);
    void UpdateStrip();
    bool OnGrip(QToolBar* Band, const QPoint& At) const;

    QMainWindow& FWindow;
    TCuteBandStyle* FStyle;
    std::vector<QPointer<QToolBar>> FBands;
    std::vector<QPointer<QToolBar>> FFolded;
    QToolBar* FStripBar;
    TFoldStripWidget* FStrip;
    TBandClickTracker FClicks;
    bool FCanFold = false;
};

// The grip in front of the menu bar ("MenuControlBar"'s one band).
class TBandGripWidget : public QWidget {
public:
    explicit TBandGripWidget(QWidget* Parent);
    TCuteBandType BandType = TCuteBandType::cbtNetscape;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    bool FHovered = false;
};

} // namespace qx
