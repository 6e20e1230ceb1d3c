#include "mainwindow/qt/QxApplication.h"

#include "platform/qt/ProgramIcon.h"

namespace qx {

TQxApplication::TQxApplication(int& Argc, char** Argv) : QApplication(Argc, Argv)
{
    setApplicationName("QxEditor");
    // The desktop entry the installers write, so that a desktop finds the program's name and icon.
    setDesktopFileName("QxEditor");
    setWindowIcon(ProgramIcon());
}

bool TQxApplication::notify(QObject* Receiver, QEvent* Event)
{
    bool handled = false;
    GuardedCall(ExceptionBoundary(), [&] { handled = QApplication::notify(Receiver, Event); });
    return handled;
}

} // namespace qx
