#include "mainwindow/keys/qt/KeyRouterFilter.h"

#include "dialogs/CommandTable.h"
#include "mainwindow/KeyInputLog.h"
#include "mainwindow/keys/KeyMacro.h"
#include "mainwindow/keys/KeyRouter.h"
#include "dialogs/ShortCutFile.h"
#include "platform/VirtualKeys.h"
#include "platform/qt/QtKeyCodec.h"
#include "platform/Cp932.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace qx {
namespace {

TEST(QtKeyCodec, KeysMapByPositionOrByTheJapaneseKeyboardsCharacters)
{
    struct Case {
        int QtKey;
        Qt::KeyboardModifiers Modifiers;
        int InputKeyCode;
        int VirtualKey;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, pad = Qt::KeypadModifier;
    const Case cases[] = {
        {Qt::Key_NumberSign, shift, 0, '3'},  {Qt::Key_NumberSign, shift, 4, '3'},
        {Qt::Key_Exclam, shift, 2, '1'},      {Qt::Key_QuoteDbl, shift, 3, '2'},
        {Qt::Key_Apostrophe, shift, 8, '7'},  {Qt::Key_Plus, shift, 39, 0xBB},
        {Qt::Key_Plus, shift, 0, 0xBB},       {Qt::Key_Asterisk, shift, 40, 0xBA},
        {Qt::Key_At, none, 26, 0xC0},         {Qt::Key_AsciiCircum, none, 13, 0xDE},
        {Qt::Key_BracketRight, none, 43, 0xDD}, {Qt::Key_Underscore, shift, 89, 0xE2},
        {Qt::Key_Bar, shift, 124, 0xDC},      {Qt::Key_yen, none, 0, 0xDC},
        {Qt::Key_Plus, pad, 78, 0x6B},        {Qt::Key_3, pad, 81, 0x63},
        {Qt::Key_Home, pad, 71, VK_HOME},     {Qt::Key_Enter, pad, 96, VK_RETURN},
        {Qt::Key_A, Qt::ControlModifier, 30, 'A'}, {0x0444, none, 30, 'A'},  // a Cyrillic layout
        {Qt::Key_F12, none, 88, 0x7B},        {Qt::Key_Backtab, shift, 15, VK_TAB},
        {Qt::Key_PageDown, none, 109, VK_NEXT}, {Qt::Key_Insert, none, 110, VK_INSERT},
        {Qt::Key_Adiaeresis, none, 0, 0},     {Qt::Key_unknown, none, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyOfQtKey(c.QtKey, c.Modifiers, c.InputKeyCode), c.VirtualKey)
            << std::hex << c.QtKey << " at " << std::dec << c.InputKeyCode;
}

TEST(QtKeyCodec, CharactersAsTheKeyboardTypesThem)
{
    const QKeyEvent kana(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("あｱ"));
    EXPECT_EQ(KeyStrokeOf(kana).Chars, (std::vector<std::uint16_t>{0x82A0, 0xB1}));
    EXPECT_EQ(KeyStrokeOf(kana).Key, 0);
    const QKeyEvent shifted(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A", true);
    const TQtKeyStroke s = KeyStrokeOf(shifted);
    EXPECT_EQ(s.Key, scShift | 'A');
    EXPECT_EQ(s.Chars, std::vector<std::uint16_t>{'A'});
    EXPECT_TRUE(s.KeyData & KeyDataRepeat);
    // Ctrl types only control characters, Alt types nothing.
    const QKeyEvent ctrlH(QEvent::KeyPress, Qt::Key_H, Qt::ControlModifier, "\b");
    EXPECT_EQ(KeyStrokeOf(ctrlH).Chars, std::vector<std::uint16_t>{8});
    const QKeyEvent ctrl3(QEvent::KeyPress, Qt::Key_3, Qt::ControlModifier, "3");
    EXPECT_TRUE(KeyStrokeOf(ctrl3).Chars.empty());
    const QKeyEvent altX(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, "x");
    EXPECT_EQ(KeyStrokeOf(altX).Key, scAlt | 'X');
    EXPECT_TRUE(KeyStrokeOf(altX).Chars.empty());
}

class KeyRouterFilterTest : public testing::Test {
protected:
    KeyRouterFilterTest()
    {
        Keys.Assign(ReadShortCuts(""));
        Router.SetTarget(&Target);
        Editor.installEventFilter(&Filter);
    }
    // The editor's log without the presses of Shift, Ctrl and Alt themselves, which QTest sends first.
    std::vector<std::string> EditorLog() const
    {
        std::vector<std::string> log;
        for (const std::string& line : Target.Log)
            if (!line.ends_with("16") && !line.ends_with("17") && !line.ends_with("18")) log.push_back(line);
        return log;
    }
    std::string ActionOf(std::size_t i) const { return std::string(CommandShortCutTable()[Runner.Rows.at(i)].Action); }

    TCommandKeys Keys;
    test::LoggingRunner Runner;
    test::LoggingTarget Target;
    TKeyMacro Macro;
    TKeyRouter Router{Keys, Runner, &Macro};
    std::vector<std::string> Errors;
    TKeyRouterFilter Filter{Router, [this](const std::exception& e) { Errors.push_back(e.what()); }};
    QWidget Editor;
};

TEST_F(KeyRouterFilterTest, ShiftCtrl3ReachesItsBookmarkCommand)
{
    QTest::keyClick(&Editor, Qt::Key_3, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&Editor, Qt::Key_NumberSign, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(Runner.Rows.size(), 2u);
    EXPECT_EQ(ActionOf(0), "ActionShioriSet3");
    EXPECT_EQ(ActionOf(1), "ActionShioriSet3");
    EXPECT_EQ(Target.Log, (std::vector<std::string>{"key S16", "key SC17", "key S16", "key SC17"}));
}

// The Qt key that a virtual key of the defaults comes from.
int QtKeyOf(int virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) return virtualKey;
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 24) return Qt::Key_F1 + (virtualKey - VK_F1);
    const std::pair<int, int> named[] = {{VK_RETURN, Qt::Key_Return}, {VK_TAB, Qt::Key_Tab},
                                         {VK_HOME, Qt::Key_Home},     {VK_END, Qt::Key_End},
                                         {VK_INSERT, Qt::Key_Insert}, {VK_DELETE, Qt::Key_Delete}};
    for (const auto& [vk, qt] : named)
        if (vk == virtualKey) return qt;
    return 0;
}

TEST_F(KeyRouterFilterTest, EveryDefaultShortcutReachesItsCommand)
{
    int checked = 0;
    for (int row = 0; row < CommandCount; ++row) {
        const TShortCut key = TextToShortCut(CommandShortCutTable()[row].DefaultShortCut);
        if (!key) continue;
        const int qtKey = QtKeyOf(key & 0xFF);
        ASSERT_NE(qtKey, 0) << CommandShortCutTable()[row].DefaultShortCut;
        Qt::KeyboardModifiers modifiers;
        if (key & scShift) modifiers |= Qt::ShiftModifier;
        if (key & scCtrl) modifiers |= Qt::ControlModifier;
        if (key & scAlt) modifiers |= Qt::AltModifier;
        // Shift+Tab comes from Qt as its own key.
        QTest::keyClick(&Editor, qtKey == Qt::Key_Tab && (key & scShift) ? Qt::Key_Backtab : Qt::Key(qtKey), modifiers);
        ASSERT_EQ(Runner.Rows.size(), 1u) << CommandShortCutTable()[row].DefaultShortCut;
        EXPECT_EQ(Runner.Rows[0], row) << CommandShortCutTable()[row].DefaultShortCut;
        Runner.Rows.clear();
        ++checked;
    }
    EXPECT_EQ(checked, 57);
    EXPECT_TRUE(EditorLog().empty());
}

TEST_F(KeyRouterFilterTest, OtherKeysReachTheEditorWithTheirCharacters)
{
    QTest::keyClick(&Editor, Qt::Key_A);
    QTest::keyClick(&Editor, 'A', Qt::ShiftModifier);
    QTest::keyClick(&Editor, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(&Editor, Qt::Key_Return);
    QTest::keyClick(&Editor, Qt::Key_Tab);
    EXPECT_EQ(EditorLog(), (std::vector<std::string>{"key 65", "char 97", "key S65", "char S65", "key C81",
                                                    "key 13", "char 13", "key 9", "char 9"}));
    EXPECT_TRUE(Runner.Rows.empty());
}

TEST_F(KeyRouterFilterTest, BoundKeysAreClaimedFromTheWindowsShortcuts)
{
    QMainWindow window;
    auto* action = new QAction(&window);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    window.addAction(action);
    int triggered = 0;
    QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
    QWidget* editor = new QWidget(&window);
    window.setCentralWidget(editor);
    editor->installEventFilter(&Filter);
    window.show();
    window.activateWindow();
    editor->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QKeyEvent bound(QEvent::ShortcutOverride, Qt::Key_F, Qt::ControlModifier);
    bound.ignore();
    QApplication::sendEvent(editor, &bound);
    EXPECT_TRUE(bound.isAccepted());
    QKeyEvent unbound(QEvent::ShortcutOverride, Qt::Key_Q, Qt::ControlModifier);
    unbound.ignore();
    QApplication::sendEvent(editor, &unbound);
    EXPECT_FALSE(unbound.isAccepted());

    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(triggered, 0);
    ASSERT_EQ(Runner.Rows.size(), 1u);
    EXPECT_EQ(ActionOf(0), "ActionFind");
}

TEST_F(KeyRouterFilterTest, ARecordedMacroOfTypedJapaneseTextPlaysTheSameText)
{
    Runner.OnExecute = [this](int row) {
        if (CommandShortCutTable()[row].Action == "ActionKeyMacRec") {
            if (Macro.State() == TKeyMacroState::Recording) Macro.StopRecord();
            else Macro.StartRecord();
        }
    };
    QTest::keyClick(&Editor, Qt::Key_R, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClicks(&Editor, "ab");
    Router.ImeText(Utf8ToCp932("日本語"), 0);  // a commit, as the editor's widget hands it on
    QKeyEvent kana(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("ｶ"));
    QApplication::sendEvent(&Editor, &kana);
    QTest::keyClick(&Editor, Qt::Key_R, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(Macro.State(), TKeyMacroState::Ready);
    const std::string typed = Target.Text;
    EXPECT_EQ(typed, "ab" + Utf8ToCp932("日本語ｶ"));
    Target.Text.clear();
    Macro.Play();
    EXPECT_EQ(Target.Text, typed);
}

// The keys that stop a recording are the stop command's: neither the shortcut nor the Shift, Ctrl or Alt
// pressed for it (or for the menu the stop came from) is played back.
TEST_F(KeyRouterFilterTest, TheKeysThatStopARecordingAreNotRecorded)
{
    Runner.OnExecute = [this](int row) {
        if (CommandShortCutTable()[row].Action != "ActionKeyMacRec") return;
        if (Macro.State() == TKeyMacroState::Recording) Macro.StopRecord();
        else Macro.StartRecord();
    };
    Macro.SetControl(&Target);
    const auto recorded = [this] {
        std::vector<std::string> keys;
        for (const TKeyMacroData& r : Macro.Records())
            keys.push_back((r.Msg == CN_KEYDOWN ? "key " : "char ") + std::to_string(r.CharCode) +
                           (r.Ctrl || r.Alt ? " with Ctrl or Alt" : ""));
        return keys;
    };
    QTest::keyClick(&Editor, Qt::Key_R, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(Macro.State(), TKeyMacroState::Recording);
    QTest::keyClick(&Editor, Qt::Key_A);
    QTest::keyClick(&Editor, Qt::Key_R, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(Macro.State(), TKeyMacroState::Ready);
    EXPECT_EQ(recorded(), (std::vector<std::string>{"key 65", "char 97"}));
    // The menu's road: Alt goes down for the menu, whose item stops the recording.
    QTest::keyClick(&Editor, Qt::Key_R, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&Editor, Qt::Key_Left);
    QTest::keyPress(&Editor, Qt::Key_Alt);
    Macro.StopRecord();
    EXPECT_EQ(recorded(), (std::vector<std::string>{"key 37"}));
}

TEST_F(KeyRouterFilterTest, AnInputMethodCommitGoesThroughTheRouterAndTheCompositionStaysWithTheWidget)
{
    struct Widget : QWidget {
        QStringList Commits, Preedits;
        void inputMethodEvent(QInputMethodEvent* e) override
        {
            Commits << e->commitString();
            Preedits << e->preeditString();
        }
    } widget;
    widget.installEventFilter(&Filter);
    Macro.SetControl(&Target);
    Macro.StartRecord();
    QInputMethodEvent commitAndCompose(QString::fromUtf8("か"), {});
    commitAndCompose.setCommitString(QString::fromUtf8("日本"));
    QApplication::sendEvent(&widget, &commitAndCompose);
    QInputMethodEvent composeOnly(QString::fromUtf8("き"), {});
    QApplication::sendEvent(&widget, &composeOnly);
    QInputMethodEvent commitOnly;
    commitOnly.setCommitString(QString::fromUtf8("語"));
    QApplication::sendEvent(&widget, &commitOnly);
    Macro.StopRecord();
    EXPECT_EQ(Target.Text, Utf8ToCp932("日本語"));
    EXPECT_EQ(widget.Commits, (QStringList{"", ""}));
    EXPECT_EQ(widget.Preedits, (QStringList{QString::fromUtf8("か"), QString::fromUtf8("き")}));
    // The macro holds one record per committed character.
    EXPECT_EQ(Macro.Records().size(), 3u);
}

TEST_F(KeyRouterFilterTest, ACommandsErrorGoesToTheHandlerNotThroughTheEventLoop)
{
    Runner.OnExecute = [](int) { throw std::runtime_error("broken"); };
    QTest::keyClick(&Editor, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Errors, std::vector<std::string>{"broken"});
}

} // namespace
} // namespace qx
