#pragma once
// Puts keyboard input on the key router, as an event filter of one of two scopes.
//
// On an editor's widget (TKeyScope::Editor): a key that a command carries is claimed from the menu
// bar's shortcuts (ShortcutOverride); every key press goes to the router, and the characters it types
// follow unless a command took the key. An input-method commit goes to the router's ImeText (so a key
// macro records it); the composition the event also carries stays with the widget.
//
// On the main window (TKeyScope::Window): the window's key preview. Qt passes a key event that the
// focused widget did not take (neither its ShortcutOverride nor its key press) on to the widget's
// parents up to the window, so this filter sees exactly the keys that the project tree, the tab bar, a
// tool bar or any other widget of the window left. A bound key is claimed from the menu bar's shortcuts
// as above, and its press runs the command. The editors' keys never arrive here: their filter uses them up.

#include "platform/qt/GuardedCall.h"

#include <QObject>

namespace qx {

class TKeyRouter;

enum class TKeyScope { Editor, Window };

class TKeyRouterFilter : public QObject {
    Q_OBJECT
public:
    TKeyRouterFilter(TKeyRouter& router, TExceptionHandler onError, TKeyScope scope = TKeyScope::Editor,
                     QObject* parent = nullptr);

    // Feeds one key event to the router; true when the event is used up.
    bool RouteKeyEvent(QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TKeyRouter& FRouter;
    TExceptionHandler FOnError;
    TKeyScope FScope;
};

} // namespace qx
