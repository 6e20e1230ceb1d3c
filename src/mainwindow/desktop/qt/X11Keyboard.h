#pragma once
// The X11 keyboard as the program reads it through Qt's own xcb connection: the key that gives a key
// symbol, the modifier bit of Num Lock, and the lock keys' state (the status bar's "NUM" and "CAP").

#include "documents/StatusBar.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

struct xcb_connection_t;

namespace qx {

// An xcb reply, freed with its owner.
template <class T>
std::unique_ptr<T, decltype(&std::free)> XcbOwned(T* Reply)
{
    return {Reply, &std::free};
}

// The application's X11 connection, null where there is none (Wayland, offscreen).
xcb_connection_t* QtX11Connection();
// The key code that gives keySym (unshifted when a key does so), 0 when no key gives it.
std::uint8_t X11KeyCodeOf(xcb_connection_t* Connection, std::uint32_t KeySym);
// The modifier bit the Num Lock key sets, 0 when it sets none.
std::uint16_t X11NumLockMask(xcb_connection_t* Connection);

// Num Lock and Caps Lock as the X server holds them; unknown without X11.
class TX11LockKeyProbe : public TLockKeyProbe {
public:
    std::optional<bool> NumLock() const override;
    std::optional<bool> CapsLock() const override;

private:
    // The server's modifier state, none without X11.
    std::optional<std::uint16_t> State() const;
};

} // namespace qx
