#pragma once
// Brings a shown top-level window to the front (raised and activated). A hidden or minimised window is
// left as it is: showing it again is its owner's decision (the tray's restore handler).

class QWidget;

namespace qx {

void BringWindowToFront(QWidget* window);

} // namespace qx
