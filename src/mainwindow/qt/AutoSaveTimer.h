#pragma once
// The backup timer: once a minute the active tab's document counts its automatic save down and is
// saved when it is due. A minute in which the window is busy (a modal dialog is open, a save or the
// close runs, a key macro plays) is skipped.

#include <QObject>
#include <QTimer>

namespace qx {

class TQxEditorMain;

class TAutoSaveTimer : public QObject {
public:
    explicit TAutoSaveTimer(TQxEditorMain& Main);
    void Start() { FTimer.start(); }
    // One minute's step (the timer calls it).
    void Tick();

private:
    TQxEditorMain& FMain;
    QTimer FTimer;
};

} // namespace qx
