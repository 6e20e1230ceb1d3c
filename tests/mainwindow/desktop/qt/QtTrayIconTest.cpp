#include "mainwindow/desktop/qt/QtTrayIcon.h"

#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace qx;

TEST(QtTrayIcon, ActivationsBecomeClicksDoubleClicksAndMenus)
{
    QWidget window;
    TQtTrayIcon tray(&window);
    std::string events;
    tray.Model().OnClick = [&](TObject*) { events += "C"; };
    tray.Model().OnDblClick = [&](TObject*) { events += "D"; };

    const int wait = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 150;
    emit tray.Tray().activated(QSystemTrayIcon::Trigger);
    emit tray.Tray().activated(QSystemTrayIcon::DoubleClick);
    QTest::qWait(wait);
    EXPECT_EQ(events, "D");
    emit tray.Tray().activated(QSystemTrayIcon::Trigger);
    emit tray.Tray().activated(QSystemTrayIcon::Trigger);  // a tray without double-click reports
    QTest::qWait(wait);
    EXPECT_EQ(events, "DD");

    emit tray.Tray().activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(events, "DD");
    QTest::qWait(wait);
    EXPECT_EQ(events, "DDC");

    QMenu menu;
    menu.addAction("item");
    TQtTrayMenu trayMenu(&menu);
    tray.Model().RBPopupMenu = &trayMenu;
    emit tray.Tray().activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();

    // A handler's exception stays out of the event loop.
    std::string error;
    tray.OnException = [&](const std::exception& e) { error = e.what(); };
    tray.Model().OnDblClick = [](TObject*) { throw std::runtime_error("restore failed"); };
    emit tray.Tray().activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(error, "restore failed");
}

TEST(QtTrayIcon, WithoutATrayTheWindowIsNeverHidden)
{
    QWidget window;
    TQtTrayIcon tray(&window);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    tray.SetIcon(QIcon(pixmap));
    tray.Model().SetVisible(true);
    EXPECT_TRUE(tray.Model().Visible());
    EXPECT_EQ(tray.Model().CanHideWindow(), QSystemTrayIcon::isSystemTrayAvailable());
}
