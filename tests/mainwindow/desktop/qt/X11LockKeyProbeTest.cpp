// Num Lock and Caps Lock as the status bar reads them from the X server; unknown without one.

#include "mainwindow/desktop/qt/X11Keyboard.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

using namespace qx;

TEST(X11LockKeyProbe, TheLocksAreKnownOnlyUnderAnXServer)
{
    TX11LockKeyProbe probe;
    if (QGuiApplication::platformName() != "xcb") {
        EXPECT_FALSE(probe.CapsLock().has_value());
        EXPECT_FALSE(probe.NumLock().has_value());
        return;
    }
    // A fresh server starts with both locks off; Num Lock sets a modifier of its own.
    EXPECT_EQ(probe.CapsLock(), false);
    EXPECT_NE(X11NumLockMask(QtX11Connection()), 0);
    EXPECT_NE(X11NumLockMask(QtX11Connection()), XCB_MOD_MASK_LOCK);
    EXPECT_EQ(probe.NumLock(), false);
}
