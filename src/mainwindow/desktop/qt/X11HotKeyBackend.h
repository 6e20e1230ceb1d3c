#pragma once
// Global hot keys on X11: each key is grabbed on the root window through Qt's own xcb connection, also
// with Caps Lock and Num Lock on, and the grabbed presses are taken from Qt's native event stream.
// Where there is no X11 (Wayland, offscreen) every registration fails quietly. A key another client has
// grabbed is refused by the server: the registration then reports false and grabs nothing.

#include "mainwindow/desktop/HotKey.h"
#include "platform/qt/GuardedCall.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <map>

struct xcb_connection_t;

namespace qx {

class TX11HotKeyBackend : public THotKeyBackend, private QAbstractNativeEventFilter {
public:
    // Uses the application's X11 connection when it has one (the QGuiApplication must exist).
    TX11HotKeyBackend();
    ~TX11HotKeyBackend() override;
    TX11HotKeyBackend(const TX11HotKeyBackend&) = delete;
    TX11HotKeyBackend& operator=(const TX11HotKeyBackend&) = delete;

    // Whether global keys can be had on this desktop at all.
    bool Available() const { return FConnection != nullptr; }

    bool Register(int index, const THotKeyGrab& grab) override;
    bool Unregister(int index) override;

    // The key code that gives `keySym` (unshifted when a key does so), 0 when no key gives it.
    std::uint8_t KeyCodeOf(std::uint32_t keySym) const;
    // The root window the keys are grabbed on.
    std::uint32_t Root() const { return FRoot; }

    // Where an exception of the hot-key handler goes.
    TExceptionHandler OnException;

private:
    struct Grabbed {
        std::uint8_t KeyCode;
        std::uint16_t Modifiers;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    std::uint16_t NumLockMask() const;
    void Ungrab(const Grabbed& key, std::uint16_t numLock);

    xcb_connection_t* FConnection = nullptr;
    std::uint32_t FRoot = 0;
    std::map<int, Grabbed> FKeys;
};

} // namespace qx
