#pragma once
// The application object with the program's one exception boundary: every event the Qt loop delivers
// (and so every action, signal and handler run from one) goes through notify, where an exception ends
// as a message to the user instead of crossing the loop.

#include "platform/qt/GuardedCall.h"

#include <QApplication>

namespace qx {

// The exception goes to ExceptionBoundary(), which the program sets to its prompter.
class TQxApplication : public QApplication {
public:
    // The program's name and icon (every window, message box and the splash show it).
    TQxApplication(int& Argc, char** Argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};

} // namespace qx
