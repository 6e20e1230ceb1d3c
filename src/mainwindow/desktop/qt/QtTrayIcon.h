#pragma once
// The tray icon on QSystemTrayIcon: the notification area, the click timer and the cursor for the tray
// icon's logic (TTrayIcon), and Qt's activation reasons turned into the tray's mouse messages.

#include "mainwindow/desktop/TrayIcon.h"
#include "platform/qt/GuardedCall.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

class QWidget;

namespace qx {

// A pop-up menu of the tray.
class TQtTrayMenu : public TTrayMenu {
public:
    explicit TQtTrayMenu(QMenu* menu) : FMenu(menu) {}
    void Popup(int x, int y) override;

private:
    QPointer<QMenu> FMenu;
};

class TQtTrayIcon : public QObject, public TTrayShell, public TTrayClock {
    Q_OBJECT
public:
    // `owner`: the window brought to the front before a menu and whose icon stands in for a missing one.
    explicit TQtTrayIcon(QWidget* owner, QObject* parent = nullptr);
    ~TQtTrayIcon() override;

    TTrayIcon& Model() { return *FModel; }
    QSystemTrayIcon& Tray() { return FTray; }
    // The icon's own image (a null icon falls back to the owner's, then the program's).
    void SetIcon(const QIcon& icon);

    // Where an exception of an event handler goes.
    TExceptionHandler OnException;

    bool Available() const override;
    bool HasIcon() const override { return !ShownIcon().isNull(); }
    void Add(const std::string& tip) override;
    void Modify(const std::string& tip) override;
    void Delete() override;
    TScreenPoint CursorPos() const override;
    void BringOwnerToFront() override;

    std::int64_t NowMs() const override { return FClock.elapsed(); }
    int DoubleClickTime() const override;
    void StartTimer(int ms, std::function<void()> elapsed) override;
    void StopTimer() override;

private:
    QIcon ShownIcon() const;
    void Activated(QSystemTrayIcon::ActivationReason reason);

    QPointer<QWidget> FOwner;
    QIcon FIcon;
    QSystemTrayIcon FTray;
    QTimer FTimer;
    QElapsedTimer FClock;
    std::function<void()> FElapsed;
    std::unique_ptr<TTrayIcon> FModel;
};

} // namespace qx
