#pragma once
// Placing top-level windows.

class QWidget;

namespace qx {

// Brings a shown top-level window to the front (raised and activated). A hidden or minimised window is
// left as it is: showing it again is its owner's decision (the tray's restore handler).
void BringWindowToFront(QWidget* window);

// Centres a window on its screen's available area.
void CentreOnScreen(QWidget* window);

} // namespace qx
