#include "mainwindow/qt/QxApplication.h"

namespace qx {

bool TQxApplication::notify(QObject* Receiver, QEvent* Event)
{
    bool handled = false;
    GuardedCall(ExceptionBoundary(), [&] { handled = QApplication::notify(Receiver, Event); });
    return handled;
}

} // namespace qx
