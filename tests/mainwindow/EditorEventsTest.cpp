// The window's answers to a document editor's events: the current-line highlight, Tab indenting a
// selection, box mode by Alt and its end with the selection, links by their modes, dragging the
// selection to another view of the text, the wrap width that follows the window.

#include "documents/MessageTexts.h"
#include "editor/EditorFixture.h"
#include "editor/EditorFountain.h"
#include "editor/QxEditor.h"
#include "mainwindow/EditorEvents.h"
#include "mainwindow/files/TabModel.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class EditorEventsTest : public ::testing::Test {
protected:
    EditorEventsTest() : Host(Construct<TQxEditor>()) { Host.SetText("abc\r\ndef\r\nghi\r\n"); }
    TQxEditor& Editor() { return static_cast<TQxEditor&>(*Host.Editor); }
    void Select(int Row1, int Col1, int Row2, int Col2)
    {
        Editor().SetRowCol(Row1, Col1);
        Editor().StartSelection();
        Editor().SetRowCol(Row2, Col2);
        Editor().ShowSelection();
    }

    TPoint At(int Row, int Col, TEditor* E = nullptr)
    {
        TEditor& e = E ? *E : Editor();
        return {e.TextAreaLeft() + (Col - e.TopCol()) * e.ColWidth() + 1,
                e.TextAreaTop() + (Row - e.TopRow()) * e.RowHeight() + 2};
    }

    HostedEditor Host;
    TEditorEvents Events;
};

// A document with every kind of link, the links recognised, and the window's targets recorded.
class LinkTest : public EditorEventsTest {
protected:
    LinkTest()
    {
        Host.SetText("go http://qx.example/a now\r\nme@qx.example\r\nfile://memo.txt\r\nplain words\r\n"
                     "www.qx.example\r\nfile:\"../up one.txt\"\r\nto@qx.example?attach=/etc/passwd&body=x\r\n"
                     "x%41y@qx.example\r\n");
        Editor().View().SetUrl(true);
        Editor().View().SetMail(true);
        Editor().View().SetFiles(true);
        Editor().FileName = "/docs/note.txt";
        Events.Links = {&Launcher, &Prompter, "/opt/qx/", [this](const std::string& F) { Opened.push_back("file " + F); }};
    }
    void Modes(int Mode) { Editor().ModeURL = Editor().ModeMailAddr = Editor().ModeFilename = Mode; }
    // What the links opened since the last call.
    std::vector<std::string> Take()
    {
        for (const auto& call : Launcher.Calls) Opened.push_back(call.Kind + " " + call.Target + " in " + call.Folder.string());
        Launcher.Calls.clear();
        return std::exchange(Opened, {});
    }

    test::RecordingLauncher Launcher;
    test::ScriptedMessagePrompter Prompter;
    std::vector<std::string> Opened;
};

TEST_F(LinkTest, EachKindIsSelectedOrOpenedAsItsModeSays)
{
    const std::string url = "open http://qx.example/a in /opt/qx/";
    struct Case {
        int Row, Col, Mode;
        bool Double;
        const char* Selected;
        std::string Opened;
    } cases[] = {
        {0, 5, 0, false, "", ""},
        {0, 5, 0, true, "", ""},
        {0, 5, 1, false, "http://qx.example/a", ""},
        {0, 5, 1, true, "", ""},
        {0, 5, 2, false, "", url},
        {0, 5, 2, true, "", ""},
        {0, 5, 3, false, "", ""},
        {0, 5, 3, true, "http://qx.example/a", ""},
        {0, 5, 4, false, "", ""},
        {0, 5, 4, true, "", url},
        {0, 5, 5, false, "http://qx.example/a", ""},
        {0, 5, 5, true, "", url},
        {1, 4, 2, false, "", "open mailto:me@qx.example in /opt/qx/"},
        {1, 4, 1, false, "me@qx.example", ""},
        {4, 2, 2, false, "", "open http://www.qx.example in /opt/qx/"},
        // A mail link passes the address alone, exactly as written.
        {6, 2, 2, false, "", "open mailto:to@qx.example in /opt/qx/"},
        {6, 2, 1, false, "to@qx.example?attach=/etc/passwd&body=x", ""},
        {7, 2, 2, false, "", "open mailto:x%2541y@qx.example in /opt/qx/"},
        // Files open in a tab, a relative name from the document's folder.
        {2, 9, 2, false, "", "file /docs/memo.txt"},
        {2, 9, 1, false, "file://memo.txt", ""},
        {5, 9, 4, true, "", "file /up one.txt"},
        // Not a link: nothing, whatever the mode.
        {3, 2, 2, false, "", ""},
        {3, 2, 5, true, "", ""},
        {0, 0, 5, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.Row << " mode " << c.Mode << (c.Double ? " double" : " click"));
        Modes(c.Mode);
        Editor().CleanSelection();
        Editor().SetRowCol(3, 0);
        if (c.Double)
            Events.LinkDblClick(Editor(), At(c.Row, c.Col));
        else
            Events.LinkClick(Editor(), At(c.Row, c.Col));
        EXPECT_EQ(Editor().SelText(), c.Selected);
        if (*c.Selected) {
            EXPECT_EQ(Editor().Col(), static_cast<int>(Editor().RowString(c.Row).find(c.Selected)));
        }
        EXPECT_EQ(Take(), c.Opened.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Opened});
    }
    // Links the document does not recognise are no links.
    Editor().View().SetUrl(false);
    Modes(2);
    Events.LinkClick(Editor(), At(0, 5));
    EXPECT_TRUE(Take().empty());
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(LinkTest, ALinkCutByTheWrapOpensWhole)
{
    Host.SetText("see http://qx.example/a/long/path/with/more/parts here\r\n");
    Editor().SetWordWrap(true);
    Editor().WrapOption().SetWrapByte(20);
    ASSERT_GT(Editor().RowCount(), 2);
    ASSERT_EQ(Editor().RowAttribute(0), 1);
    Modes(5);
    Events.LinkClick(Editor(), At(1, 2));
    EXPECT_EQ(Editor().SelText(), "http://qx.example/a/long/path/with/more/parts");
    Events.LinkDblClick(Editor(), At(2, 2));
    EXPECT_EQ(Take(), std::vector<std::string>{"open http://qx.example/a/long/path/with/more/parts in /opt/qx/"});
}

TEST_F(LinkTest, AFileLinkOfAnUntitledDocumentStartsFromTheProgramFolderAndAFailedOpenIsReported)
{
    Modes(2);
    Editor().FileName = std::string(UntitledPrefix) + " 1";
    Events.LinkClick(Editor(), At(2, 9));
    EXPECT_EQ(Take(), std::vector<std::string>{"file /opt/qx/memo.txt"});

    Launcher.Result = false;
    Events.LinkClick(Editor(), At(1, 4));
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Text, MsgShellOpenFailed("mailto:me@qx.example"));
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtError);
}

TEST(LinkFileName, PrefixQuotesAndRelativeNames)
{
    struct Case {
        const char *Link, *Folder, *Name;
    } cases[] = {
        {"file://memo.txt", "/docs", "/docs/memo.txt"},
        {"file:memo.txt", "/docs", "/docs/memo.txt"},
        {"file:///etc/hosts", "/docs", "/etc/hosts"},
        {"file:\"sub dir/a b.txt\"", "/docs", "/docs/sub dir/a b.txt"},
        {"file:../up.txt", "/docs/d", "/docs/up.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(TEditorEvents::LinkFileName(c.Link, c.Folder), c.Name) << c.Link;
    // A long name is kept whole.
    const std::string longName = "/docs/" + std::string(300, 'n') + ".txt";
    EXPECT_EQ(TEditorEvents::LinkFileName("file://" + longName, "/"), longName);
}

TEST_F(LinkTest, TheHandShowsOverALinkThatOpensAndTheEditorsCursorElsewhere)
{
    Editor().OnMouseMove = [&](TObject*, TShiftState Shift, int X, int Y) { Events.MouseMove(Editor(), Shift, X, Y); };
    const int text = Editor().Caret().Cursors().DefaultCursor;
    const auto over = [&](int Row, int Col, TShiftState Shift = 0) {
        const TPoint p = At(Row, Col);
        Editor().MouseMove(Shift, p.X, p.Y);
        return Host.Viewport.Cursor;
    };
    for (const int mode : {2, 4, 5}) {
        Modes(mode);
        EXPECT_EQ(over(0, 5), crHandPoint) << mode;
        EXPECT_EQ(over(0, 6), crHandPoint) << mode;
        EXPECT_EQ(over(3, 2), text) << mode;
    }
    for (const int mode : {0, 1, 3}) {
        Modes(mode);
        EXPECT_EQ(over(0, 5), text) << mode;
    }
    // Only the kind under the mouse counts; a held button changes nothing.
    Modes(0);
    Editor().ModeMailAddr = 2;
    EXPECT_EQ(over(0, 5), text);
    EXPECT_EQ(over(1, 3), crHandPoint);
    EXPECT_EQ(over(1, 3, ssLeft), crHandPoint);
    // The text scrolls under the mouse: the next move looks again, even within the same cell.
    std::string rows = "http://qx.example/a\r\n";
    for (int i = 0; i < 60; ++i) rows += "plain\r\n";
    Host.SetText(rows);
    Modes(2);
    const TPoint p = At(0, 2);
    EXPECT_EQ(over(0, 2), crHandPoint);
    Editor().SetTopRow(1);
    ASSERT_EQ(Editor().TopRow(), 1);
    Editor().MouseMove(0, p.X + 1, p.Y);
    EXPECT_EQ(Host.Viewport.Cursor, text);
    Editor().SetTopRow(0);
    EXPECT_EQ(over(0, 2), crHandPoint);
    // The mouse goes on into another pane: the first gets its own cursor back.
    HostedEditor other(Construct<TQxEditor>());
    other.SetText("plain\r\n");
    auto& second = static_cast<TQxEditor&>(*other.Editor);
    second.ModeURL = 2;
    Events.MouseMove(second, 0, At(0, 1, &second).X, At(0, 1, &second).Y);
    EXPECT_EQ(Host.Viewport.Cursor, text);
}

TEST_F(EditorEventsTest, TheHighlightRepaintsTheOldAndTheNewCaretRowAndPaintsOnlyTheCaretRow)
{
    Editor().CurLineHilighted = true;
    Editor().View().Colors().CurLine().SetColor(clRed);
    Editor().View().Colors().CurLine().SetBkColor(clYellow);
    Editor().SetRowCol(0, 0);
    Events.CaretMoved(Editor());
    Editor().SetRowCol(2, 1);
    Host.Viewport.Invalidated.clear();
    Events.CaretMoved(Editor());
    const int h = Editor().RowHeight();
    ASSERT_EQ(Host.Viewport.Invalidated.size(), 2u);
    EXPECT_EQ(Host.Viewport.Invalidated[0].Top, Editor().TextAreaTop());
    EXPECT_EQ(Host.Viewport.Invalidated[1].Top, 2 * h + Editor().TextAreaTop());
    EXPECT_EQ(Editor().OldRowIndex, 2);

    // Painting: only row 2 gets the current line's colours; nothing once text is selected.
    const auto paintedInRed = [&] {
        Editor().OnDrawLine = [&](TObject*, const std::string& S, int X, int Y, int Index, const TRect& R, bool) {
            Events.DrawLine(Editor(), S, X, Y, Index, R);
        };
        std::vector<std::string> rows;
        for (const CanvasCall& call : Host.Paint().Calls)
            if (call.What == CanvasCall::Text && call.Color == clRed && call.Style.Background == clYellow)
                rows.push_back(call.Bytes);
        return rows;
    };
    EXPECT_EQ(paintedInRed(), std::vector<std::string>{"ghi"});
    Select(0, 0, 0, 2);
    EXPECT_TRUE(paintedInRed().empty());

    // The caret row is painted anew when a selection comes or goes, not while it only changes.
    const std::pair<bool, std::size_t> changes[] = {{true, 1}, {true, 0}, {false, 1}};
    for (const auto& [selected, repaints] : changes) {
        Host.Viewport.Invalidated.clear();
        Events.SelectionChange(Editor(), selected);
        EXPECT_EQ(Host.Viewport.Invalidated.size(), repaints) << selected;
    }
}

TEST_F(EditorEventsTest, TabIndentsASelectionAndSwallowsItsCharacter)
{
    struct Case {
        bool TabKeyIndent, Selected, SoftTab;
        TShiftState Shift;
        bool Consumed;
        const char* Text;
    } cases[] = {
        {true, true, false, 0, true, "\tabc\r\n\tdef\r\nghi\r\n"},
        {true, true, true, 0, true, "    abc\r\n    def\r\nghi\r\n"},
        {true, false, false, 0, false, "abc\r\ndef\r\nghi\r\n"},
        {false, true, false, 0, false, "abc\r\ndef\r\nghi\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Host.SetText("abc\r\ndef\r\nghi\r\n");
        Editor().TabKeyIndent = c.TabKeyIndent;
        Editor().Caret().SetSoftTab(c.SoftTab);
        Editor().Caret().SetTabSpaceCount(4);
        Editor().CleanSelection();
        if (c.Selected) Select(0, 0, 1, 2);
        int key = VK_TAB;
        Events.KeyDown(Editor(), key, c.Shift);
        char typed = '\t';
        Events.KeyPress(Editor(), typed);
        EXPECT_EQ(key == 0, c.Consumed);
        EXPECT_EQ(typed == 0, c.Consumed);
        EXPECT_EQ(Editor().Lines().Text(), c.Text);
    }
    // Shift+Tab takes the indent back out, in one undo step each.
    Host.SetText("\tabc\r\n\tdef\r\n");
    Editor().Caret().SetSoftTab(false);
    Editor().TabKeyIndent = true;
    Select(0, 0, 1, 6);
    int key = VK_TAB;
    Events.KeyDown(Editor(), key, ssShift);
    EXPECT_EQ(Editor().Lines().Text(), "abc\r\ndef\r\n");
    // The next character after an unconsumed key is typed.
    key = 'A';
    Events.KeyDown(Editor(), key, 0);
    char typed = 'a';
    Events.KeyPress(Editor(), typed);
    EXPECT_EQ(typed, 'a');
}

TEST_F(EditorEventsTest, BoxModeFollowsAltUnlessChosenByCommandAndEndsWithTheSelection)
{
    Events.MouseDown(Editor(), mbLeft, ssLeft | ssAlt, 0, 0);
    EXPECT_EQ(Editor().SelectionMode(), smBox);
    Events.MouseDown(Editor(), mbLeft, ssLeft, 0, 0);
    EXPECT_EQ(Editor().SelectionMode(), smLine);

    // Chosen by command: a press without Alt keeps it, until the selection goes.
    Editor().SetSelectionMode(smBox);
    Events.MouseDown(Editor(), mbLeft, ssLeft, 0, 0);
    EXPECT_EQ(Editor().SelectionMode(), smBox);
    Events.SelectionChange(Editor(), true);
    EXPECT_EQ(Editor().SelectionMode(), smBox);
    Events.SelectionChange(Editor(), false);
    EXPECT_EQ(Editor().SelectionMode(), smLine);
}

TEST_F(EditorEventsTest, APressInsideTheSelectionDragsItWhenTheControlLeavesDraggingToTheWindow)
{
    Editor().Caret().SetSelDragMode(dmManual);
    Editor().OnMouseDown = [&](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        Events.MouseDown(Editor(), Button, Shift, X, Y);
    };
    const auto x = [&](int Col) { return Editor().TextAreaLeft() + Col * Editor().ColWidth() + 1; };
    const auto y = [&](int Row) { return Editor().TextAreaTop() + Row * Editor().RowHeight() + 2; };
    Select(0, 0, 0, 3);
    Editor().MouseDown(mbLeft, ssLeft, x(1), y(0));
    Editor().MouseMove(ssLeft, x(1), y(2));
    Editor().MouseUp(mbLeft, 0, x(1), y(2));
    EXPECT_EQ(Editor().Lines().Text(), "\r\ndef\r\ngabchi\r\n");
    Editor().Undo();
    EXPECT_EQ(Editor().Lines().Text(), "abc\r\ndef\r\nghi\r\n");

    // A press in the left margin selects rows instead.
    Select(0, 0, 0, 3);
    Editor().MouseDown(mbLeft, ssLeft, 1, y(0));
    EXPECT_EQ(Editor().DragState(), 0);
}

// Two views of one text, one above the other as the panes of a split window: a point of either view
// is a point of the stack, so a drag from one can end in the other.
class SplitDragTest : public EditorEventsTest {
protected:
    SplitDragTest() : Below(Construct<TQxEditor>())
    {
        Host.SetText("abc\r\ndef\r\nghi\r\n");
        Host.Viewport.HasFocus = true;
        Second().ShareList(&Editor());
        for (TQxEditor* view : {&Editor(), &Second()}) {
            view->Caret().SetSelDragMode(dmManual);
            view->OnMouseDown = [this, view](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
                Events.MouseDown(*view, Button, Shift, X, Y);
            };
            view->OnDragOver = [this, view](TObject*, TShiftState, int X, int Y, bool& Handled) {
                TPoint at;
                TQxEditor* target = Under(*view, X, Y, at);
                Handled = Events.DragOver(*view, target, at.X, at.Y);
            };
            view->OnDragDrop = [this, view](TObject*, TShiftState Shift, int X, int Y, bool& Handled) {
                TPoint at;
                Handled = Events.DragDrop(*view, Under(*view, X, Y, at), Shift);
            };
            view->OnEndDrag = [this](TObject*) { Events.EndDrag(); };
        }
    }
    TQxEditor& Second() { return static_cast<TQxEditor&>(*Below.Editor); }
    int Offset(TQxEditor& View) { return &View == &Second() ? Host.Viewport.Height : 0; }
    // The view under a point of View, and the point in that view.
    TQxEditor* Under(TQxEditor& View, int X, int Y, TPoint& At)
    {
        const int y = Y + Offset(View);
        if (X < 0 || y < 0 || y >= 2 * Host.Viewport.Height) return nullptr;
        TQxEditor& target = y < Host.Viewport.Height ? Editor() : Second();
        At = {X, y - Offset(target)};
        return &target;
    }
    // A point of the view To, in the pixels of the view From.
    TPoint Seen(TQxEditor& From, TQxEditor& To, TPoint P) { return {P.X, P.Y + Offset(To) - Offset(From)}; }
    // Drags the selection of From from (Row1, Col1) to the cell (Row2, Col2) of To and drops it there.
    void Drag(TQxEditor& From, int Row1, int Col1, TQxEditor& To, int Row2, int Col2, TShiftState Shift = 0)
    {
        const TPoint press = At(Row1, Col1, &From);
        const TPoint drop = Seen(From, To, At(Row2, Col2, &To));
        From.MouseDown(mbLeft, ssLeft | Shift, press.X, press.Y);
        From.MouseMove(ssLeft | Shift, drop.X, drop.Y);
        From.MouseUp(mbLeft, Shift, drop.X, drop.Y);
    }

    HostedEditor Below;
};

TEST_F(SplitDragTest, ASelectionDroppedInTheOtherPaneMovesOrCopiesThereInOneStepAndIsSelectedThere)
{
    struct Case {
        TShiftState Shift;
        const char* Text;
    } cases[] = {{0, "\r\ndef\r\ngabchi\r\n"}, {ssCtrl, "abc\r\ndef\r\ngabchi\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Host.SetText("abc\r\ndef\r\nghi\r\n");
        Host.Viewport.HasFocus = true;
        Below.Viewport.HasFocus = false;
        Select(0, 0, 0, 3);
        Drag(Editor(), 0, 1, Second(), 2, 1, c.Shift);
        EXPECT_EQ(Editor().Lines().Text(), c.Text);
        EXPECT_EQ(Second().SelText(), "abc");
        EXPECT_FALSE(Editor().SelectionShown());
        EXPECT_TRUE(Below.Viewport.HasFocus) << "the pane it was dropped in takes the focus";
        EXPECT_EQ(Editor().DragState(), 0);
        Second().Undo();
        EXPECT_EQ(Editor().Lines().Text(), "abc\r\ndef\r\nghi\r\n");
    }
    // From the lower pane up into the upper one.
    Host.SetText("abc\r\ndef\r\nghi\r\n");
    Below.Viewport.HasFocus = true;
    Host.Viewport.HasFocus = false;
    Second().SetRowCol(2, 0);
    Second().StartSelection();
    Second().SetRowCol(2, 3);
    Second().ShowSelection();
    Drag(Second(), 2, 1, Editor(), 0, 0);
    EXPECT_EQ(Editor().Lines().Text(), "ghiabc\r\ndef\r\n\r\n");
    EXPECT_EQ(Editor().SelText(), "ghi");
    EXPECT_TRUE(Host.Viewport.HasFocus);
}

TEST_F(SplitDragTest, TheOtherPaneShowsTheDropPointUntilTheDragLeavesItOrEnds)
{
    Select(0, 0, 0, 3);
    const TPoint press = At(0, 1);
    Editor().MouseDown(mbLeft, ssLeft, press.X, press.Y);
    const TPoint below = Seen(Editor(), Second(), At(1, 2, &Second()));
    Editor().MouseMove(ssLeft, below.X, below.Y);
    EXPECT_EQ(Editor().DragState(), 2);
    EXPECT_TRUE(Below.Viewport.CaretShown);
    EXPECT_EQ(Below.Viewport.Caret.Left, At(1, 2, &Second()).X - 1);
    EXPECT_EQ(Second().Row(), 1);
    EXPECT_EQ(Editor().Row(), 0) << "the source's caret stays";
    // Back over the source: its own caret follows, the other pane's goes.
    Editor().MouseMove(ssLeft, At(2, 1).X, At(2, 1).Y);
    EXPECT_FALSE(Below.Viewport.CaretShown);
    EXPECT_EQ(Editor().Row(), 2);
    // Over the other pane again, then Escape: the drag and the drop point end, the text stays.
    Editor().MouseMove(ssLeft, below.X, below.Y);
    EXPECT_TRUE(Below.Viewport.CaretShown);
    EXPECT_TRUE(Editor().DragKey(VK_ESCAPE, true));
    EXPECT_FALSE(Below.Viewport.CaretShown);
    Editor().MouseUp(mbLeft, 0, below.X, below.Y);
    EXPECT_EQ(Editor().Lines().Text(), "abc\r\ndef\r\nghi\r\n");
}

TEST_F(SplitDragTest, DropsThatChangeNoText)
{
    const std::string text = "abc\r\ndef\r\nghi\r\n";
    // Inside the dragged selection, as the other pane shows it: the selection ends, nothing moves.
    Select(0, 0, 0, 3);
    Drag(Editor(), 0, 0, Second(), 0, 2);
    EXPECT_EQ(Editor().Lines().Text(), text);
    EXPECT_FALSE(Editor().SelectionShown());
    EXPECT_FALSE(Second().SelectionShown());
    EXPECT_FALSE(Editor().CanUndo());
    // Outside both panes.
    Select(0, 0, 0, 3);
    const TPoint press = At(0, 1);
    Editor().MouseDown(mbLeft, ssLeft, press.X, press.Y);
    Editor().MouseMove(ssLeft, press.X, 3 * Host.Viewport.Height);
    Editor().MouseUp(mbLeft, 0, press.X, 3 * Host.Viewport.Height);
    EXPECT_EQ(Editor().Lines().Text(), text);
    EXPECT_FALSE(Editor().SelectionShown());
    // A read-only text: no drag starts at all.
    Editor().SetReadOnly(true);
    Second().SetReadOnly(true);
    Select(0, 0, 0, 3);
    Drag(Editor(), 0, 1, Second(), 2, 1);
    EXPECT_EQ(Editor().Lines().Text(), text);
    // A view of another text is no target.
    Editor().SetReadOnly(false);
    HostedEditor other(Construct<TQxEditor>());
    other.SetText("xyz\r\n");
    Select(0, 0, 0, 3);
    EXPECT_FALSE(Events.DragOver(Editor(), &static_cast<TQxEditor&>(*other.Editor), 1, 1));
    EXPECT_FALSE(Events.DragDrop(Editor(), &static_cast<TQxEditor&>(*other.Editor), 0));
    EXPECT_EQ(other->Lines().Text(), "xyz\r\n");
}

TEST_F(SplitDragTest, WithinOnePaneTheDroppedTextIsSelected)
{
    Select(0, 0, 0, 3);
    Drag(Editor(), 0, 1, Editor(), 2, 1);
    EXPECT_EQ(Editor().Lines().Text(), "\r\ndef\r\ngabchi\r\n");
    EXPECT_EQ(Editor().SelText(), "abc");
    EXPECT_EQ(Editor().Row(), 2);
    EXPECT_EQ(Editor().Col(), 4) << "the caret at the dropped text's end";
    EXPECT_FALSE(Below.Viewport.CaretShown);
}

TEST_F(EditorEventsTest, TheWindowWrapWidthFollowsTheWindowsWidth)
{
    Editor().WrapByWindow = true;
    Editor().SetWordWrap(true);
    Editor().Marks().WrapMark().SetVisible(false);
    for (const int width : {640, 400, 300}) {
        Host.Viewport.Width = width;
        Editor().Resize();
        Events.Resize(Editor());
        const int w = Editor().ColWidth();
        EXPECT_EQ(Editor().WrapOption().WrapByte(), std::max(1, (width - Editor().TextAreaLeft() - w / 2) / w))
            << width;
    }
    // Not following the window: the width stays.
    Editor().WrapByWindow = false;
    const int before = Editor().WrapOption().WrapByte();
    Host.Viewport.Width = 800;
    Events.Resize(Editor());
    EXPECT_EQ(Editor().WrapOption().WrapByte(), before);
}

} // namespace
} // namespace qx::test
