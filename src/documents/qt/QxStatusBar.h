#pragma once
// The main window's status bar: eleven panels showing the texts of TStatusBarModel. Each panel has its
// width, or more when its text needs it, while the window has room; a narrow window shrinks them (the
// texts then end in "…"), so that the status bar never keeps the window wider than a small screen.

#include "documents/StatusBar.h"

#include <QLabel>
#include <QStatusBar>

#include <array>

namespace qx {

// A panel: its width as the size it asks for, shrinking to a few pixels when there is less room, and its
// text cut with "…" where it does not fit.
class TStatusPanel : public QLabel {
public:
    explicit TStatusPanel(QWidget* Parent = nullptr) : QLabel(Parent) {}
    void SetPanelWidth(int Width);
    int PanelWidth() const { return FWidth; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as it shows: cut with "…" when the panel is too narrow for it.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QRect TextArea() const;
    int FWidth = 0;
};

class TQxStatusBar : public QStatusBar {
public:
    explicit TQxStatusBar(QWidget* Parent = nullptr);
    void ShowPanels(const TStatusPanels& Panels);
    const TStatusPanel* Panel(int Index) const { return FPanels[Index]; }

private:
    void FitPanel(int Index);
    std::array<TStatusPanel*, StatusPanelCount> FPanels{};
};

} // namespace qx
