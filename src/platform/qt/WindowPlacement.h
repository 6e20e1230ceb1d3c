#pragma once
// Placing top-level windows.

class QWidget;

namespace qx {

// Brings a shown top-level window to the front (raised and activated). A hidden or minimised window is
// left as it is: showing it again is its owner's decision (the tray's restore handler).
void BringWindowToFront(QWidget* window);

// Centres a window on its screen's available area, never larger than that area and with its top left
// corner on it, so that its buttons stay within reach. A window not shown yet is placed at its present
// size: a dialog that sizes itself to its contents calls adjustSize() first.
void CentreOnScreen(QWidget& window);

} // namespace qx
