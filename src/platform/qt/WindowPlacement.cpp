#include "platform/qt/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace qx {

void BringWindowToFront(QWidget* window)
{
    if (!window) return;
    window = window->window();
    if (!window->isVisible()) return;
    window->raise();
    window->activateWindow();
}

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window.resize(window.size().boundedTo(area.size()));
    // The frame (title bar and borders) once the window is shown; the window alone before.
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

} // namespace qx
