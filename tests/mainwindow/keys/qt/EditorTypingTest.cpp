// The keyboard's whole road into an editor pane: Qt key events through the window's key filter and
// router to the pane's key target and the control, which types, moves and selects.

#include "editor/qt/EditorWidget.h"
#include "mainwindow/keys/CommandKeys.h"
#include "mainwindow/KeyInputLog.h"
#include "mainwindow/keys/KeyRouter.h"
#include "dialogs/ShortCutFile.h"
#include "mainwindow/keys/qt/EditorKeyTarget.h"
#include "mainwindow/keys/qt/KeyRouterFilter.h"
#include "platform/qt/QtKeyCodec.h"
#include "platform/Cp932.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

TEST(EditorTyping, KeysTypeMoveAndSelectThroughTheRouter)
{
    TCommandKeys keys;
    keys.Assign(ReadShortCuts(""));
    test::LoggingRunner runner;
    TKeyRouter router(keys, runner);
    TKeyRouterFilter filter(router, [](const std::exception&) { FAIL(); });
    TEditorWidget pane;
    pane.installEventFilter(&filter);
    pane.VirtualKeyOf = [](const QKeyEvent& Event) { return KeyStrokeOf(Event).Key & 0xFF; };
    auto* target = new TEditorKeyTarget(pane, nullptr);
    router.SetTarget(target);
    TEditor& editor = pane.Editor();
    editor.Lines().SetText(Utf8ToCp932("日本語\r\n"));

    QTest::keyClicks(&pane, "ab");
    QTest::keyClick(&pane, Qt::Key_Return);
    QTest::keyClicks(&pane, "cd");
    QTest::keyClick(&pane, Qt::Key_Backspace);
    EXPECT_EQ(Content(editor), "ab\r\nc" + Utf8ToCp932("日本語\r\n"));
    QTest::keyClick(&pane, Qt::Key_Right);
    QTest::keyClick(&pane, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&pane, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(editor.SelText(), Utf8ToCp932("本語"));
    QTest::keyClick(&pane, Qt::Key_Delete);
    QTest::keyClick(&pane, Qt::Key_Tab);
    EXPECT_EQ(Content(editor), "ab\r\nc" + Utf8ToCp932("日") + "\t\r\n");
    // An auto-repeated key reaches the control as repeating.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&pane, &repeat);
    EXPECT_EQ(editor.Col(), 3);
    EXPECT_TRUE(runner.Rows.empty());
}

TEST(EditorTyping, AControlInADialogLeavesEnterEscAndTabToTheDialogWhenItDoesNotWantThem)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* pane = new TEditorWidget(&dialog);
    auto* other = new QLineEdit(&dialog);
    auto* ok = new QPushButton("OK", &dialog);
    layout->addWidget(pane);
    layout->addWidget(other);
    layout->addWidget(ok);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    int accepted = 0;
    QObject::connect(&dialog, &QDialog::accepted, [&] { ++accepted; });
    dialog.show();
    dialog.activateWindow();
    pane->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    TEditor& editor = pane->Editor();

    // Wanted: the keys are the text's.
    QTest::keyClicks(pane, "a");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClick(pane, Qt::Key_Tab);
    EXPECT_EQ(Content(editor), "a\r\n\t");
    EXPECT_EQ(accepted, 0);
    EXPECT_TRUE(pane->hasFocus());

    editor.SetWantTabs(false);
    QTest::keyClick(pane, Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    pane->setFocus();
    editor.SetWantReturns(false);
    QTest::keyClick(pane, Qt::Key_Return);
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(Content(editor), "a\r\n\t");
}

} // namespace
} // namespace qx
