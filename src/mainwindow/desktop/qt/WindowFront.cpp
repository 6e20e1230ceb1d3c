#include "mainwindow/desktop/qt/WindowFront.h"

#include <QScreen>
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

void CentreOnScreen(QWidget* window)
{
    if (const QScreen* screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

} // namespace qx
