// The Qt host forwards the mouse and the input method: a click, a drag, a drag of the selection, a
// commit and a composition, and answers the input method's questions in UTF-16 positions.

#include "editor/qt/EditorWidget.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/qt/GuardedCall.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

std::string Sjis(const char* Utf8) { return Utf8ToCp932(Utf8); }
std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

struct Host {
    TEditorWidget Widget;
    TEditor& E = Widget.Editor();
    explicit Host(const std::string& Text)
    {
        Widget.resize(500, 300);
        Widget.show();
        E.Lines().SetText(Text);
    }
    QPoint Cell(int Row, int Col) const
    {
        return {E.TextAreaLeft() + Col * E.ColWidth() + 1, E.TextAreaTop() + Row * E.RowHeight() + E.RowHeight() / 2};
    }
    void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers = {})
    {
        const Qt::MouseButton button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(Type, At, Widget.viewport()->mapToGlobal(At), button, Buttons, Modifiers);
        QApplication::sendEvent(Widget.viewport(), &event);
    }
    void Drag(QPoint From, QPoint To)
    {
        Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (From + To) / 2, Qt::LeftButton);
        Mouse(QEvent::MouseMove, To, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, To, Qt::NoButton);
    }
    void Ime(QInputMethodEvent& Event) { QApplication::sendEvent(&Widget, &Event); }
};

TEST(EditorWidgetInput, AClickPlacesTheCaretADragSelectsAndASelectionIsDragged)
{
    Host h("abc def\r\nxyz\r\n");
    h.Mouse(QEvent::MouseButtonPress, h.Cell(1, 2), Qt::LeftButton);
    h.Mouse(QEvent::MouseButtonRelease, h.Cell(1, 2), Qt::NoButton);
    EXPECT_EQ(h.E.Row(), 1);
    EXPECT_EQ(h.E.Col(), 2);

    h.Drag(h.Cell(0, 0), h.Cell(0, 3));
    EXPECT_EQ(h.E.SelText(), "abc");

    h.Drag(h.Cell(0, 1), h.Cell(1, 3));
    EXPECT_EQ(Content(h.E), " def\r\nxyzabc\r\n");
    h.E.Undo();
    EXPECT_EQ(Content(h.E), "abc def\r\nxyz\r\n");

    QMouseEvent dbl(QEvent::MouseButtonDblClick, h.Cell(0, 5), h.Widget.viewport()->mapToGlobal(h.Cell(0, 5)),
                    Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(h.Widget.viewport(), &dbl);
    EXPECT_EQ(h.E.SelText(), "def");
}

TEST(EditorWidgetInput, ACommitGoesInOnceAndACompositionOnlyShows)
{
    Host h("ab\r\n");
    h.E.SetRowCol(0, 1);
    QInputMethodEvent preedit(QString::fromUtf8("にほん"), {{QInputMethodEvent::Cursor, 2, 1, {}}});
    h.Ime(preedit);
    EXPECT_EQ(Content(h.E), "ab\r\n");
    EXPECT_FALSE(h.E.CanUndo());
    EXPECT_EQ(h.E.Preedit(), Sjis("にほん"));

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("日本"));
    h.Ime(commit);
    EXPECT_EQ(Content(h.E), "a" + Sjis("日本") + "b\r\n");
    EXPECT_EQ(h.E.Preedit(), "");
    h.E.Undo();
    EXPECT_EQ(Content(h.E), "ab\r\n");
}

TEST(EditorWidgetInput, TheInputMethodReadsAndReplacesInUtf16Positions)
{
    Host h(Sjis("日本語abc") + "\r\n");
    h.E.SetRowCol(0, 6);  // after 語
    EXPECT_EQ(h.Widget.inputMethodQuery(Qt::ImSurroundingText).toString(), QString::fromUtf8("日本語abc"));
    EXPECT_EQ(h.Widget.inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
    EXPECT_EQ(h.Widget.inputMethodQuery(Qt::ImAnchorPosition).toInt(), 3);
    h.E.StartSelection();
    h.E.SetRowCol(0, 2);
    h.E.UpdateSelection();
    EXPECT_EQ(h.Widget.inputMethodQuery(Qt::ImCursorPosition).toInt(), 1);
    EXPECT_EQ(h.Widget.inputMethodQuery(Qt::ImAnchorPosition).toInt(), 3);
    EXPECT_EQ(h.Widget.inputMethodQuery(Qt::ImCurrentSelection).toString(), QString::fromUtf8("本語"));
    h.E.CleanSelection();

    // "本語" (two UTF-16 units before the caret at 3) becomes "ほんご".
    h.E.SetRowCol(0, 6);
    QInputMethodEvent reconvert;
    reconvert.setCommitString(QString::fromUtf8("ほんご"), -2, 2);
    h.Ime(reconvert);
    EXPECT_EQ(Content(h.E), Sjis("日ほんごabc") + "\r\n");
    h.E.Undo();
    EXPECT_EQ(Content(h.E), Sjis("日本語abc") + "\r\n");
}


// An error in a pane's event reaches the program's exception boundary (the main window's prompter)
// after the event; one that comes again by itself with each paint is shown once.
TEST(EditorWidgetInput, AnErrorInAnEventIsShownThroughTheProgramsBoundary)
{
    std::vector<std::string> shown;
    ExceptionBoundary() = [&shown](const std::exception& e) { shown.push_back(e.what()); };
    struct TRestore {
        ~TRestore() { ExceptionBoundary() = nullptr; }
    } restore;
    Host h(std::string(2000, 'a'));
    h.E.SetRowCol(0, 2000);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(&h.Widget, &key);
    EXPECT_TRUE(shown.empty());  // not inside the event
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, std::vector<std::string>{TEditor::InputTooLongText});
    EXPECT_EQ(Content(h.E), std::string(2000, 'a'));

    shown.clear();
    h.E.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("押せません"); };
    for (int i = 0; i < 2; ++i) {
        h.Mouse(QEvent::MouseButtonPress, h.Cell(0, 1), Qt::LeftButton);
        h.Mouse(QEvent::MouseButtonRelease, h.Cell(0, 1), Qt::NoButton);
    }
    h.E.OnDrawLine = [](TObject*, const std::string&, int, int, int, const TRect&, bool) { throw Exception("描けません"); };
    for (int i = 0; i < 3; ++i) h.Widget.viewport()->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, (std::vector<std::string>{"押せません", "押せません", "描けません"}));
}

// Something thrown that is no std::exception is shown as an unknown error, not dropped.
TEST(EditorWidgetInput, AnErrorOfNoKnownKindIsShownAsUnknown)
{
    std::vector<std::string> shown;
    ExceptionBoundary() = [&shown](const std::exception& e) { shown.push_back(e.what()); };
    struct TRestore {
        ~TRestore() { ExceptionBoundary() = nullptr; }
    } restore;
    Host h("abc");
    h.E.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw 1; };
    h.Mouse(QEvent::MouseButtonPress, h.Cell(0, 1), Qt::LeftButton);
    h.Mouse(QEvent::MouseButtonRelease, h.Cell(0, 1), Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, std::vector<std::string>{"不明なエラーが起きました。"});
}

} // namespace
} // namespace qx
