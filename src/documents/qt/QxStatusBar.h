#pragma once
// The main window's status bar: eleven panels of fixed widths showing the texts of TStatusBarModel.

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
    std::array<QLabel*, StatusPanelCount> FPanels{};
};

} // namespace qx
