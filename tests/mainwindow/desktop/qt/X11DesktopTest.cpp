// The program on an X11 desktop, against a real X server (the tests skip elsewhere; `make test` runs them
// on a virtual server of their own): the tray icon through a system tray, minimising into it, and the
// primary selection shared with other programs. The other programs are played by second X connections
// of the test: a tray that takes the icon's dock request, and a client that reads and owns the
// primary selection.

#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"
#include "editor/qt/EditorWidget.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/desktop/qt/QtTrayIcon.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "mainwindow/desktop/qt/TrayPopupMenu.h"
#include "platform/Cp932.h"
#include "platform/qt/ProgramIcon.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace qx {
namespace {

bool IsX11() { return QGuiApplication::platformName() == "xcb"; }

// Runs Qt's events until Done says so or five seconds have passed.
bool ProcessUntil(const std::function<bool()>& Done)
{
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        if (clock.elapsed() > 5000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Another X client with a window of its own.
class OtherClient {
public:
    OtherClient()
    {
        int screen = 0;
        C = xcb_connect(nullptr, &screen);
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(C));
        for (int i = 0; i < screen; ++i) xcb_screen_next(&it);
        Root = it.data->root;
        ScreenNumber = screen;
        Window = xcb_generate_id(C);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(C, XCB_COPY_FROM_PARENT, Window, Root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          it.data->root_visual, XCB_CW_EVENT_MASK, &events);
        xcb_flush(C);
    }
    ~OtherClient()
    {
        FStop = true;
        if (FServer.joinable()) FServer.join();
        xcb_disconnect(C);
    }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    xcb_atom_t Atom(const std::string& Name)
    {
        auto* reply = xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, static_cast<std::uint16_t>(Name.size()), Name.data()), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
        std::free(reply);
        return atom;
    }

    // The primary selection as UTF-8, asked of its owner as any program asks (the owner may be this
    // process: its events run meanwhile).
    std::string ReadPrimary()
    {
        const xcb_atom_t utf8 = Atom("UTF8_STRING"), property = Atom("QX_TEST_PRIMARY");
        xcb_convert_selection(C, Window, XCB_ATOM_PRIMARY, utf8, property, XCB_CURRENT_TIME);
        xcb_flush(C);
        bool answered = false;
        std::string text;
        ProcessUntil([&] {
            while (xcb_generic_event_t* e = xcb_poll_for_event(C)) {
                if ((e->response_type & 0x7F) == XCB_SELECTION_NOTIFY) {
                    answered = true;
                    if (reinterpret_cast<xcb_selection_notify_event_t*>(e)->property != XCB_ATOM_NONE) {
                        auto* reply = xcb_get_property_reply(
                            C, xcb_get_property(C, 1, Window, property, XCB_ATOM_ANY, 0, 1 << 20), nullptr);
                        if (reply)
                            text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                                        static_cast<std::size_t>(xcb_get_property_value_length(reply)));
                        std::free(reply);
                    }
                }
                std::free(e);
            }
            return answered;
        });
        return text;
    }

    // Takes the primary selection with Utf8 and answers every request for it from a thread of its own
    // (the pasting program waits for the answer).
    void OwnPrimary(const std::string& Utf8)
    {
        const xcb_atom_t utf8 = Atom("UTF8_STRING"), targets = Atom("TARGETS");
        xcb_set_selection_owner(C, Window, XCB_ATOM_PRIMARY, XCB_CURRENT_TIME);
        xcb_flush(C);
        FServer = std::thread([this, Utf8, utf8, targets] {
            while (!FStop) {
                xcb_generic_event_t* e = xcb_poll_for_event(C);
                if (!e) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    continue;
                }
                if ((e->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                    auto* request = reinterpret_cast<xcb_selection_request_event_t*>(e);
                    xcb_selection_notify_event_t notify{};
                    notify.response_type = XCB_SELECTION_NOTIFY;
                    notify.time = request->time;
                    notify.requestor = request->requestor;
                    notify.selection = request->selection;
                    notify.target = request->target;
                    notify.property = request->property;
                    if (request->target == targets) {
                        const xcb_atom_t offered[] = {targets, utf8};
                        xcb_change_property(C, XCB_PROP_MODE_REPLACE, request->requestor, request->property,
                                            XCB_ATOM_ATOM, 32, 2, offered);
                    } else if (request->target == utf8) {
                        xcb_change_property(C, XCB_PROP_MODE_REPLACE, request->requestor, request->property, utf8, 8,
                                            static_cast<std::uint32_t>(Utf8.size()), Utf8.data());
                    } else {
                        notify.property = XCB_ATOM_NONE;
                    }
                    xcb_send_event(C, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
                    xcb_flush(C);
                }
                std::free(e);
            }
        });
    }

    xcb_connection_t* C;
    xcb_window_t Root;
    xcb_window_t Window;
    int ScreenNumber = 0;

private:
    std::atomic<bool> FStop{false};
    std::thread FServer;
};

// A system tray as the freedesktop protocol has it: it owns the screen's tray selection, says so on the
// root window, and takes the dock requests of icons.
class FakeSystemTray : public OtherClient {
public:
    FakeSystemTray()
    {
        const xcb_atom_t selection = Atom("_NET_SYSTEM_TRAY_S" + std::to_string(ScreenNumber));
        FOpcode = Atom("_NET_SYSTEM_TRAY_OPCODE");
        xcb_set_selection_owner(C, Window, selection, XCB_CURRENT_TIME);
        xcb_client_message_event_t manager{};
        manager.response_type = XCB_CLIENT_MESSAGE;
        manager.format = 32;
        manager.window = Root;
        manager.type = Atom("MANAGER");
        manager.data.data32[0] = XCB_CURRENT_TIME;
        manager.data.data32[1] = selection;
        manager.data.data32[2] = Window;
        xcb_send_event(C, 0, Root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&manager));
        xcb_flush(C);
    }

    // The window an icon asked to dock (0 when none did within the time). An icon that learns of the tray
    // again (its announcement may arrive late) docks anew: the last request counts, once things are quiet.
    std::uint32_t WaitForDock()
    {
        std::uint32_t docked = 0;
        QElapsedTimer quiet;
        ProcessUntil([&] {
            while (xcb_generic_event_t* e = xcb_poll_for_event(C)) {
                auto* message = reinterpret_cast<xcb_client_message_event_t*>(e);
                if ((e->response_type & 0x7F) == XCB_CLIENT_MESSAGE && message->type == FOpcode &&
                    message->data.data32[1] == 0) {  // SYSTEM_TRAY_REQUEST_DOCK
                    docked = message->data.data32[2];
                    quiet.start();
                }
                std::free(e);
            }
            return docked != 0 && quiet.elapsed() > 500;
        });
        return docked;
    }

private:
    xcb_atom_t FOpcode = XCB_ATOM_NONE;
};

// The widget Qt shows in a tray for an icon.
QWidget* TrayIconWidget()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QLatin1String(w->metaObject()->className()) == QLatin1String("QSystemTrayIconSys")) return w;
    return nullptr;
}

TEST(X11Tray, TheProgramsIconSitsInTheTrayItsMenuWorksAndMinimisingHidesTheWindowThere)
{
    if (!IsX11()) GTEST_SKIP() << "needs an X server";
    FakeSystemTray tray;
    test::TempDir dir;
    TGlobalState state;
    state.ProgramFolder = dir.Path() + "/";
    test::ScriptedMessagePrompter prompter;
    TQxEditorMain window(state, prompter);
    window.resize(800, 500);
    window.show();
    window.OpenCommandLine({}, dir.Path());
    state.Settings.HideOption.MinimizeToTray = true;

    // [Basic] "UseTray": the icon (the window's, which is the program's) is docked in the tray.
    window.Components().ApplyTrayAndHotKey(true, false);
    ASSERT_TRUE(window.Components().HasTray());
    const std::uint32_t docked = tray.WaitForDock();
    QWidget* icon = TrayIconWidget();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(docked, icon->winId());
    EXPECT_EQ(window.Components().Tray().Tray().icon().pixmap(22, 22).toImage(), ProgramIcon().pixmap(22, 22).toImage());

    // Minimised, the window is in the tray only; a double click on the icon brings it back.
    window.showMinimized();
    EXPECT_TRUE(ProcessUntil([&] { return window.isHidden(); }));
    QTest::mouseDClick(icon, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());

    // The right button opens the tray menu; its New makes a document and shows the window.
    window.hide();
    QTest::mouseClick(icon, Qt::RightButton);
    auto* menu = window.findChild<TTrayPopupMenu*>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(ProcessUntil([&] { return menu->isVisible(); }));
    QAction* newItem = nullptr;
    for (QAction* item : menu->actions())
        if (item->text().startsWith(QString::fromUtf8("新規"))) newItem = item;
    ASSERT_NE(newItem, nullptr);
    newItem->trigger();
    menu->hide();
    EXPECT_EQ(window.Count(), 2);
    EXPECT_TRUE(window.isVisible());

    // Without MinimizeToTray the window minimises as usual.
    state.Settings.HideOption.MinimizeToTray = false;
    window.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isHidden());
    window.showNormal();

    // Resident: closing the window puts it into the tray, whence a double click brings it back.
    window.Components().ApplyTrayAndHotKey(true, true);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isHidden());
    // A double click of its own, not the second half of the one before.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
    QTest::mouseDClick(TrayIconWidget(), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
}

TEST(X11PrimarySelection, TheSelectionGoesToOtherProgramsAndAMiddleClickPastesTheirs)
{
    if (!IsX11()) GTEST_SKIP() << "needs an X server";
    TEditorWidget pane;
    pane.resize(500, 200);
    pane.show();
    TEditor& editor = pane.Editor();
    editor.Lines().SetText(Utf8ToCp932("日本語のテキスト\r\nabc"));

    // Selecting sets the primary selection: another program reads it as Unicode.
    editor.SetSelStart(0);
    editor.SetSelLength(6);
    OtherClient other;
    EXPECT_EQ(other.ReadPrimary(), "日本語");
    // The text stays there when the selection goes.
    editor.CleanSelection();
    EXPECT_EQ(other.ReadPrimary(), "日本語");

    // Another program's selection comes in by a middle click, converted to Shift-JIS; a character
    // that code page 932 lacks becomes "?" and is told, as a clipboard paste tells it.
    std::vector<std::size_t> told;
    editor.OnPasteLost = [&](TObject*, std::size_t Count) { told.push_back(Count); };
    other.OwnPrimary("漢字と😀");
    ASSERT_TRUE(ProcessUntil([] { return !QGuiApplication::clipboard()->ownsSelection(); }));
    const QPoint at(editor.TextAreaLeft() + 1, editor.TextAreaTop() + editor.RowHeight() * 3 / 2);
    QTest::mouseClick(pane.viewport(), Qt::MiddleButton, {}, at);
    EXPECT_EQ(editor.Lines().Get(1), Utf8ToCp932("漢字と?abc"));
    EXPECT_EQ(told, std::vector<std::size_t>{1});
}

} // namespace
} // namespace qx
