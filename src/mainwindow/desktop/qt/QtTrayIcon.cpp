#include "mainwindow/desktop/qt/QtTrayIcon.h"

#include "platform/qt/WindowPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QStyleHints>
#include <QWidget>

namespace qx {

void TQtTrayMenu::Popup(int x, int y)
{
    if (FMenu) FMenu->popup(QPoint(x, y));
}

TQtTrayIcon::TQtTrayIcon(QWidget* owner, QObject* parent) : QObject(parent), FOwner(owner)
{
    FClock.start();
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, [this] {
        if (auto elapsed = std::exchange(FElapsed, nullptr)) GuardedCall(OnException, elapsed);
    });
    connect(&FTray, &QSystemTrayIcon::activated, this, &TQtTrayIcon::Activated);
    FModel = std::make_unique<TTrayIcon>(*this, *this);
}

TQtTrayIcon::~TQtTrayIcon()
{
    FModel.reset();  // it may still take the icon out of the tray
}

void TQtTrayIcon::SetIcon(const QIcon& icon)
{
    FIcon = icon;
    FModel->IconChanged();
}

bool TQtTrayIcon::Available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QIcon TQtTrayIcon::ShownIcon() const
{
    if (!FIcon.isNull()) return FIcon;
    if (FOwner && !FOwner->windowIcon().isNull()) return FOwner->windowIcon();
    return QApplication::windowIcon();
}

void TQtTrayIcon::Add(const std::string& tip)
{
    Modify(tip);
    FTray.show();
}

void TQtTrayIcon::Modify(const std::string& tip)
{
    FTray.setIcon(ShownIcon());
    FTray.setToolTip(QString::fromStdString(tip));
}

void TQtTrayIcon::Delete()
{
    FTray.hide();
}

TScreenPoint TQtTrayIcon::CursorPos() const
{
    const QPoint at = QCursor::pos();
    return {at.x(), at.y()};
}

void TQtTrayIcon::BringOwnerToFront()
{
    BringWindowToFront(QApplication::activeWindow() ? QApplication::activeWindow() : FOwner.data());
}

int TQtTrayIcon::DoubleClickTime() const
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

void TQtTrayIcon::StartTimer(int ms, std::function<void()> elapsed)
{
    FElapsed = std::move(elapsed);
    FTimer.start(ms);
}

void TQtTrayIcon::StopTimer()
{
    FTimer.stop();
    FElapsed = nullptr;
}

void TQtTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason)
{
    using M = TTrayMessage;
    auto send = [this](std::initializer_list<M> messages) {
        GuardedCall(OnException, [&] {
            for (M m : messages) FModel->HandleMessage(m);
        });
    };
    switch (reason) {
    case QSystemTrayIcon::Trigger: send({M::LButtonDown, M::LButtonUp}); break;
    case QSystemTrayIcon::DoubleClick: send({M::LButtonDblClk}); break;
    case QSystemTrayIcon::Context: send({M::RButtonDown, M::RButtonUp}); break;
    case QSystemTrayIcon::MiddleClick: send({M::MButtonDown, M::MButtonUp}); break;
    case QSystemTrayIcon::Unknown: break;
    }
}

} // namespace qx
