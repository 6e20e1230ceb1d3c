#include "mainwindow/desktop/qt/X11HotKeyBackend.h"

#include "mainwindow/desktop/qt/X11Keyboard.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace qx {

namespace {

// The modifiers a grab is about; Caps Lock and Num Lock are grabbed as variants and ignored on a press.
constexpr std::uint16_t kRelevantModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

// The variants of a grab: plain, with Caps Lock, with Num Lock and with both.
std::vector<std::uint16_t> LockVariants(std::uint16_t numLock)
{
    std::vector<std::uint16_t> variants{0, XCB_MOD_MASK_LOCK};
    if (numLock) variants.insert(variants.end(), {numLock, static_cast<std::uint16_t>(numLock | XCB_MOD_MASK_LOCK)});
    return variants;
}

} // namespace

TX11HotKeyBackend::TX11HotKeyBackend()
{
    FConnection = QtX11Connection();
    if (!FConnection) return;
    const xcb_setup_t* setup = xcb_get_setup(FConnection);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem) {
        FConnection = nullptr;
        return;
    }
    FRoot = screens.data->root;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TX11HotKeyBackend::~TX11HotKeyBackend()
{
    if (!FConnection) return;
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    const std::uint16_t numLock = NumLockMask();
    for (const auto& [index, key] : FKeys) Ungrab(key, numLock);
}

std::uint8_t TX11HotKeyBackend::KeyCodeOf(std::uint32_t keySym) const { return X11KeyCodeOf(FConnection, keySym); }

std::uint16_t TX11HotKeyBackend::NumLockMask() const { return X11NumLockMask(FConnection); }

void TX11HotKeyBackend::Ungrab(const Grabbed& key, std::uint16_t numLock)
{
    // Waits for the server, so that the key is free for other clients once this returns.
    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint16_t variant : LockVariants(numLock))
        cookies.push_back(xcb_ungrab_key_checked(FConnection, key.KeyCode, FRoot,
                                                 static_cast<std::uint16_t>(key.Modifiers | variant)));
    for (xcb_void_cookie_t cookie : cookies) XcbOwned(xcb_request_check(FConnection, cookie));
}

bool TX11HotKeyBackend::Register(int index, const THotKeyGrab& grab)
{
    if (!FConnection) return false;
    Unregister(index);
    const Grabbed key{KeyCodeOf(grab.KeySym), grab.Modifiers};
    if (!key.KeyCode) return false;
    const std::uint16_t numLock = NumLockMask();
    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint16_t variant : LockVariants(numLock))
        cookies.push_back(xcb_grab_key_checked(FConnection, 1, FRoot, static_cast<std::uint16_t>(key.Modifiers | variant),
                                               key.KeyCode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    for (xcb_void_cookie_t cookie : cookies) {
        if (auto error = XcbOwned(xcb_request_check(FConnection, cookie))) refused = true;
    }
    if (refused) {
        // Another client holds the key (or a variant of it): take back whatever was granted.
        Ungrab(key, numLock);
        return false;
    }
    FKeys[index] = key;
    return true;
}

bool TX11HotKeyBackend::Unregister(int index)
{
    const auto it = FKeys.find(index);
    if (!FConnection || it == FKeys.end()) return false;
    Ungrab(it->second, NumLockMask());
    FKeys.erase(it);
    return true;
}

bool TX11HotKeyBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != FRoot) return false;
    const std::uint16_t modifiers = press->state & kRelevantModifiers;
    for (const auto& [index, key] : FKeys) {
        if (key.KeyCode != press->detail || key.Modifiers != modifiers) continue;
        const int pressed = index;
        GuardedCall(OnException, [&] {
            if (OnPressed) OnPressed(pressed);
        });
        return true;
    }
    return false;
}

} // namespace qx
