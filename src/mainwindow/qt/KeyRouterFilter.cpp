#include "mainwindow/qt/KeyRouterFilter.h"

#include "mainwindow/KeyRouter.h"
#include "mainwindow/qt/QtKeyCodec.h"

#include <QKeyEvent>

namespace qx {

TKeyRouterFilter::TKeyRouterFilter(TKeyRouter& router, TExceptionHandler onError, QObject* parent)
    : QObject(parent), FRouter(router), FOnError(std::move(onError))
{
}

bool TKeyRouterFilter::RouteKeyEvent(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    const TQtKeyStroke stroke = KeyStrokeOf(*static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::ShortcutOverride) {
        if (!stroke.Key || !FRouter.IsBound(stroke.Key)) return false;
        event->accept();
        return true;
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
