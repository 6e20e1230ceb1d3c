#pragma once
// The main window's status bar: eleven panels showing the texts of TStatusBarModel, each of its fixed
// width or wider when its text needs it.

#include "documents/StatusBar.h"

#include <QStatusBar>

#include <array>

class QLabel;

namespace qx {

class TQxStatusBar : public QStatusBar {
public:
    explicit TQxStatusBar(QWidget* Parent = nullptr);
    void ShowPanels(const TStatusPanels& Panels);
    const QLabel* Panel(int Index) const { return FPanels[Index]; }

private:
    void FitPanel(int Index);
    std::array<QLabel*, StatusPanelCount> FPanels{};
};

} // namespace qx
