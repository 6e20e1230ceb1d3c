#pragma once
// The application object with the program's one exception boundary: every event the Qt loop delivers
// (and so every action, signal and handler run from one) goes through notify, where an exception ends
// as a message to the user instead of crossing the loop.

#include "mainwindow/qt/GuardedCall.h"

#include <QApplication>

namespace qx {

class TQxApplication : public QApplication {
public:
    // The program's name and icon (every window, message box and the splash show it).
    TQxApplication(int& Argc, char** Argv);
    // Shows an exception's message; set by the main window (its prompter).
    TExceptionHandler OnException;
    bool notify(QObject* Receiver, QEvent* Event) override;
};

} // namespace qx
