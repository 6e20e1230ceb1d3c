#include "mainwindow/desktop/qt/X11HotKeyBackend.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <stdexcept>

using namespace qx;

namespace {

constexpr THotKeyGrab kCtrlAltE{'e', kGrabControl | kGrabAlt};

bool IsX11()
{
    return QGuiApplication::platformName() == "xcb";
}

// Hands a key press on `window` to the application's native event filters, as the X server would.
bool DeliverPress(std::uint32_t window, std::uint8_t keyCode, std::uint16_t state)
{
    xcb_key_press_event_t press{};
    press.response_type = XCB_KEY_PRESS;
    press.detail = keyCode;
    press.event = window;
    press.root = window;
    press.state = state;
    qintptr result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &press, &result);
}

// A second X client, to hold keys and to ask whether a key is held.
class OtherClient {
public:
    OtherClient() : FConnection(xcb_connect(nullptr, nullptr))
    {
        FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    }
    ~OtherClient() { xcb_disconnect(FConnection); }
    // True when the server grants the grab (nobody else holds the key).
    bool Grab(std::uint8_t keyCode, std::uint16_t modifiers)
    {
        const auto cookie = xcb_grab_key_checked(FConnection, 1, FRoot, modifiers, keyCode, XCB_GRAB_MODE_ASYNC,
                                                 XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(FConnection, cookie);
        std::free(error);
        return error == nullptr;
    }
    void Ungrab(std::uint8_t keyCode, std::uint16_t modifiers)
    {
        std::free(xcb_request_check(FConnection, xcb_ungrab_key_checked(FConnection, keyCode, FRoot, modifiers)));
    }

private:
    xcb_connection_t* FConnection;
    std::uint32_t FRoot;
};

} // namespace

TEST(X11HotKeyBackend, WithoutX11EveryRegistrationFailsQuietly)
{
    if (IsX11()) GTEST_SKIP() << "runs where the platform has no X11 (offscreen, Wayland)";
    TX11HotKeyBackend backend;
    EXPECT_FALSE(backend.Available());
    EXPECT_FALSE(backend.Register(66, kCtrlAltE));
    EXPECT_FALSE(backend.Unregister(66));
}

// Under an X server (QT_QPA_PLATFORM=xcb, e.g. Xvfb) the keys are really grabbed.
TEST(X11HotKeyBackend, GrabsTheKeyWithItsLockVariantsAndReportsPresses)
{
    if (!IsX11()) GTEST_SKIP() << "needs an X server";
    TX11HotKeyBackend backend;
    ASSERT_TRUE(backend.Available());
    const std::uint8_t e = backend.KeyCodeOf('e');
    ASSERT_NE(e, 0);
    ASSERT_TRUE(backend.Register(66, kCtrlAltE));

    OtherClient other;
    const std::uint16_t ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    EXPECT_FALSE(other.Grab(e, ctrlAlt));
    EXPECT_FALSE(other.Grab(e, ctrlAlt | XCB_MOD_MASK_LOCK));

    std::vector<int> pressed;
    backend.OnPressed = [&](int index) { pressed.push_back(index); };
    EXPECT_TRUE(DeliverPress(backend.Root(), e, ctrlAlt | XCB_MOD_MASK_LOCK));
    EXPECT_FALSE(DeliverPress(backend.Root(), e, XCB_MOD_MASK_CONTROL)) << "other modifiers are not the key";
    EXPECT_FALSE(DeliverPress(backend.Root() + 1, e, ctrlAlt)) << "a press in a window of ours is its own";
    EXPECT_EQ(pressed, (std::vector<int>{66}));

    // A handler's exception stays inside the filter.
    std::string error;
    backend.OnException = [&](const std::exception& ex) { error = ex.what(); };
    backend.OnPressed = [](int) { throw std::runtime_error("handler failed"); };
    EXPECT_TRUE(DeliverPress(backend.Root(), e, ctrlAlt));
    EXPECT_EQ(error, "handler failed");

    EXPECT_TRUE(backend.Unregister(66));
    EXPECT_TRUE(other.Grab(e, ctrlAlt));
    other.Ungrab(e, ctrlAlt);
}

TEST(X11HotKeyBackend, AKeyAnotherClientHoldsIsRefusedWithoutLeavingGrabs)
{
    if (!IsX11()) GTEST_SKIP() << "needs an X server";
    TX11HotKeyBackend backend;
    OtherClient other;
    const std::uint8_t f = backend.KeyCodeOf('f');
    const std::uint16_t ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    // The other client holds only the Caps Lock variant: the whole registration fails.
    ASSERT_TRUE(other.Grab(f, ctrlAlt | XCB_MOD_MASK_LOCK));
    EXPECT_FALSE(backend.Register(1, THotKeyGrab{'f', kGrabControl | kGrabAlt}));
    EXPECT_FALSE(backend.Unregister(1));
    other.Ungrab(f, ctrlAlt | XCB_MOD_MASK_LOCK);
    OtherClient third;
    EXPECT_TRUE(third.Grab(f, ctrlAlt)) << "the refused registration left a grab behind";
}
