#pragma once
// The window shown while the program loads: the product title, the version and the program's icon. It
// goes when the main window is up.

#include <memory>

class QSplashScreen;
class QWidget;

namespace qx {

// Shows the splash at once (painted before the rest loads).
std::unique_ptr<QSplashScreen> ShowSplash();

// Closes it when Window is shown.
void FinishSplash(std::unique_ptr<QSplashScreen>& Splash, QWidget& Window);

} // namespace qx
