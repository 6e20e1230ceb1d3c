#include "mainwindow/desktop/qt/X11Keyboard.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

namespace qx {

namespace {

constexpr std::uint32_t kNumLockKeySym = 0xFF7F;

} // namespace

xcb_connection_t* QtX11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

std::uint8_t X11KeyCodeOf(xcb_connection_t* Connection, std::uint32_t KeySym)
{
    const xcb_setup_t* setup = xcb_get_setup(Connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto reply = XcbOwned(xcb_get_keyboard_mapping_reply(
        Connection, xcb_get_keyboard_mapping(Connection, static_cast<xcb_keycode_t>(first), static_cast<std::uint8_t>(count)),
        nullptr));
    if (!reply) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int perCode = reply->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    // The first key that gives the symbol unshifted, else the first that gives it at all.
    for (int column = 0; column < perCode; ++column)
        for (int code = 0; code < count && code * perCode + column < total; ++code)
            if (syms[code * perCode + column] == KeySym) return static_cast<std::uint8_t>(first + code);
    return 0;
}

std::uint16_t X11NumLockMask(xcb_connection_t* Connection)
{
    const std::uint8_t numLockCode = X11KeyCodeOf(Connection, kNumLockKeySym);
    if (!numLockCode) return 0;
    auto reply = XcbOwned(xcb_get_modifier_mapping_reply(Connection, xcb_get_modifier_mapping(Connection), nullptr));
    if (!reply) return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i)
            if (codes[modifier * perModifier + i] == numLockCode) return static_cast<std::uint16_t>(1u << modifier);
    return 0;
}

std::optional<std::uint16_t> TX11LockKeyProbe::State() const
{
    xcb_connection_t* connection = QtX11Connection();
    if (!connection) return std::nullopt;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (!screens.rem) return std::nullopt;
    // The pointer's state carries the modifiers, the locked ones included.
    auto reply = XcbOwned(xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screens.data->root), nullptr));
    if (!reply) return std::nullopt;
    return reply->mask;
}

std::optional<bool> TX11LockKeyProbe::NumLock() const
{
    const std::optional<std::uint16_t> state = State();
    if (!state) return std::nullopt;
    const std::uint16_t mask = X11NumLockMask(QtX11Connection());
    if (!mask) return std::nullopt;
    return (*state & mask) != 0;
}

std::optional<bool> TX11LockKeyProbe::CapsLock() const
{
    const std::optional<std::uint16_t> state = State();
    if (!state) return std::nullopt;
    return (*state & XCB_MOD_MASK_LOCK) != 0;
}

} // namespace qx
