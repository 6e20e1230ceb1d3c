#include "mainwindow/keys/qt/KeyRouterFilter.h"

#include "mainwindow/keys/KeyRouter.h"
#include "platform/qt/QtKeyCodec.h"
#include "platform/Cp932.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace qx {

TKeyRouterFilter::TKeyRouterFilter(TKeyRouter& router, TExceptionHandler onError, TKeyScope scope, QObject* parent)
    : QObject(parent), FRouter(router), FOnError(std::move(onError)), FScope(scope)
{
}

bool TKeyRouterFilter::RouteKeyEvent(QEvent* event)
{
    if (event->type() == QEvent::InputMethod && FScope == TKeyScope::Editor) {
        auto* ime = static_cast<QInputMethodEvent*>(event);
        if (ime->commitString().isEmpty()) return false;
        const std::u16string commit = ime->commitString().toStdU16String();
        ime->setCommitString(QString());
        GuardedCall(FOnError, [&] { FRouter.ImeText(Utf16ToCp932(commit), 0); });
        // The widget still shows what the composition holds now.
        return ime->preeditString().isEmpty() && ime->attributes().isEmpty();
    }
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    const TQtKeyStroke stroke = KeyStrokeOf(*static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::ShortcutOverride) {
        if (!stroke.Key || !FRouter.IsBound(stroke.Key)) return false;
        event->accept();
        return true;
    }
    if (FScope == TKeyScope::Window) {
        bool ran = false;
        GuardedCall(FOnError, [&] { ran = stroke.Key && FRouter.RunCommandKey(stroke.Key); });
        if (ran) event->accept();
        return ran;
    }
    GuardedCall(FOnError, [&] {
        if (stroke.Key && FRouter.RouteKeyDown(stroke.Key, stroke.KeyData)) return;
        for (std::uint16_t code : stroke.Chars) FRouter.KeyChar(code, stroke.Modifiers);
    });
    return true;
}

bool TKeyRouterFilter::eventFilter(QObject*, QEvent* event)
{
    return RouteKeyEvent(event);
}

} // namespace qx
