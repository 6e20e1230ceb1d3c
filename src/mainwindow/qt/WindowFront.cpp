#include "mainwindow/qt/WindowFront.h"

#include <QWidget>

namespace qx {

void BringWindowToFront(QWidget* window)
{
    if (!window) return;
    window = window->window();
    if (!window->isVisible()) return;
    window->raise();
    window->activateWindow();
}

} // namespace qx
