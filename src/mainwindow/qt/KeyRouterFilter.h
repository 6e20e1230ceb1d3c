#pragma once
// Puts a widget's keyboard input on the key router: an event filter for the editor's widget. A key that
// a command carries is claimed from the menu bar's shortcuts (ShortcutOverride); every key press goes
// to the router, and the characters it types follow unless a command took the key. An input-method
// commit goes to the router's ImeText (so a key macro records it); the composition the event also
// carries stays with the widget.

#include "platform/qt/GuardedCall.h"

#include <QObject>

namespace qx {

class TKeyRouter;

class TKeyRouterFilter : public QObject {
    Q_OBJECT
public:
    TKeyRouterFilter(TKeyRouter& router, TExceptionHandler onError, QObject* parent = nullptr);

    // Feeds one key event to the router; true when the event is used up.
    bool RouteKeyEvent(QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TKeyRouter& FRouter;
    TExceptionHandler FOnError;
};

} // namespace qx
