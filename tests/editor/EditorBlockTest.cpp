// Block editing and the clipboard: replacing the selection, inserting at a free caret, box paste,
// cut, copy and paste with the box mark, and the read-only guard.

#include "EditorFixture.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {
namespace {

std::string Sjis(const char* Utf8) { return Utf8ToCp932(Utf8); }
std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

void Select(TEditor& E, int Row1, int Col1, int Row2, int Col2)
{
    E.CleanSelection();
    E.SetRowCol(Row1, Col1);
    E.StartSelection();
    E.SetRowCol(Row2, Col2);
    E.UpdateSelection();
}

TEST(EditorBlock, InsertingAtAFreeCaretPadsTheRowAndOneUndoRestores)
{
    HostedEditor e;
    e.SetText("abc\r\nnext");
    e->SetRowCol(0, 6);
    e->ReplaceSelection("x");
    EXPECT_EQ(Content(*e), "abc   x\r\nnext");
    EXPECT_EQ(e->Row(), 0);
    EXPECT_EQ(e->Col(), 7);
    e->Undo();
    EXPECT_EQ(Content(*e), "abc\r\nnext");
}

TEST(EditorBlock, ReplacingASelectionWithLinesPutsTheCaretAfterThem)
{
    HostedEditor e;
    e.SetText("abcdef\r\nghij\r\nklm");
    Select(*e, 0, 2, 1, 2);
    e->ReplaceSelection("X\r\nYZ");
    EXPECT_EQ(Content(*e), "abX\r\nYZij\r\nklm");
    EXPECT_EQ(e->Row(), 1);
    EXPECT_EQ(e->Col(), 2);
    EXPECT_EQ(e->SelectionState(), 0);
    e->Undo();
    EXPECT_EQ(Content(*e), "abcdef\r\nghij\r\nklm");

    // With word wrap the caret still lands right after the insertion.
    e->SetWordWrap(true);
    e->WrapOption().SetWrapByte(10);
    e.SetText("0123456789abcdefghij");
    e->SetRowCol(0, 5);
    e->ReplaceSelection("<\r\n>");
    EXPECT_EQ(e->SelStart(), 9);  // "01234<" CR LF ">"
}

TEST(EditorBlock, TypingIntoABoxReplacesItsCellsOnEveryRow)
{
    HostedEditor e;
    e.SetText("abcdef\r\nabcdef\r\nab");
    e->SetSelectionMode(smBox);
    Select(*e, 0, 1, 2, 3);
    e->ReplaceSelection("X");
    EXPECT_EQ(Content(*e), "aXdef\r\nadef\r\na");
    EXPECT_EQ(e->Row(), 0);
    EXPECT_EQ(e->Col(), 2);
}

TEST(EditorBlock, BoxPasteIntoAShortTextPadsAndAddsRows)
{
    for (const char* ending : {"", "\r\n"}) {
        SCOPED_TRACE(ending);
        HostedEditor e;
        const std::string text = std::string("abcd") + ending;
        e.SetText(text);
        e->SetRowCol(0, 10);
        e->InsertBlock("one\r\ntwo\nsix\r\n");
        EXPECT_EQ(Content(*e), std::string("abcd      one\r\n          two\r\n          six") + ending);
        EXPECT_EQ(e->Row(), 2);
        EXPECT_EQ(e->Col(), 13);
        e->Undo();
        EXPECT_EQ(Content(*e), text);
    }
}

TEST(EditorBlock, BoxPasteNeverSplitsATabOrADoubleByteCharacter)
{
    HostedEditor e;
    const std::string text = "0123456789\r\n" + Sjis("あいう") + "\r\na\tb\r\n";
    e.SetText(text);
    // Column 3 is the second half of "い" on row 1 and inside the tab's padding on row 2.
    e->SetRowCol(0, 3);
    e->InsertBlock("X\r\nY\r\nZ");
    EXPECT_EQ(Content(*e), "012X3456789\r\n" + Sjis("あYいう") + "\r\naZ\tb\r\n");
    e->Undo();
    EXPECT_EQ(Content(*e), text);
}

TEST(EditorBlock, BoxPasteOverABoxSelectionCutsItFirst)
{
    HostedEditor e;
    e.SetText("abcdef\r\nabcdef\r\nabcdef\r\n");
    e->SetSelectionMode(smBox);
    Select(*e, 0, 1, 2, 3);
    e->InsertBlock("12\r\n34");
    EXPECT_EQ(Content(*e), "a12def\r\na34def\r\nadef\r\n");
    e->Undo();
    EXPECT_EQ(Content(*e), "abcdef\r\nabcdef\r\nabcdef\r\n");
}

TEST(EditorBlock, IndentingAddsOrRemovesOneBlankOnEverySelectedLine)
{
    const std::string fw = Sjis("\u3000");  // a full-width space
    struct Case {
        const char* Name;
        void (TEditor::*Op)();
        std::string Before, After;
    } cases[] = {
        {"space indent turns a tab into spaces", &TEditor::SpaceIndent, "\tx\r\n y\r\nz", "         x\r\n  y\r\nz"},
        {"space unindent of a full-width space", &TEditor::SpaceUnIndent, fw + "x\r\n y\r\nz", " x\r\ny\r\nz"},
        {"tab indent", &TEditor::TabIndent, "x\r\n\ty\r\nz", "\tx\r\n\t\ty\r\nz"},
        {"tab unindent leaves other lines", &TEditor::TabUnIndent, " x\r\n\t\ty\r\nz", " x\r\n\ty\r\nz"},
        {"a control byte is kept", &TEditor::SpaceIndent, "\x01x\r\ny\r\nz", " \x01x\r\n y\r\nz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        HostedEditor e;
        e.SetText(c.Before);
        Select(*e, 0, 0, 2, 0);  // ends in column 0: the third line is not selected
        ((*e).*c.Op)();
        EXPECT_EQ(Content(*e), c.After);
        EXPECT_EQ(e->SelectionState(), 2);
        e->Undo();
        EXPECT_EQ(Content(*e), c.Before);
    }
}

TEST(EditorBlock, IndentingInABoxWorksAtItsColumnAndKeepsTheTextSelected)
{
    HostedEditor e;
    e.SetText("ab cd\r\nabXcd\r\nab");
    e->SetSelectionMode(smBox);
    Select(*e, 0, 2, 1, 4);
    e->SpaceIndent();
    EXPECT_EQ(Content(*e), "ab  cd\r\nab Xcd\r\nab");
    EXPECT_EQ(e->SelText(), " c\r\nXc");  // the same text, one column on
    // Unindenting needs a blank at the box's column: row 1 has "X" there now.
    e->SpaceUnIndent();
    EXPECT_EQ(Content(*e), "ab cd\r\nab Xcd\r\nab");
}

TEST(EditorBlock, IndentingRespectsTheWrapColumn)
{
    HostedEditor e;
    e->SetWordWrap(true);
    e->WrapOption().SetWrapByte(20);
    e.SetText("123456789012345678\r\nab\r\n");
    Select(*e, 0, 0, 2, 0);
    e->SpaceIndent();
    EXPECT_EQ(Content(*e), " 123456789012345678\r\n ab\r\n");
    e->SpaceIndent();  // the first line would reach the wrap column
    EXPECT_EQ(Content(*e), " 123456789012345678\r\n  ab\r\n");
}

TEST(EditorClipboard, BoxSelectionsTravelWithTheBoxMarkAndComeBackAsBlocks)
{
    HostedEditor source;
    source.SetText("abcdef\r\nghijkl\r\n");
    source->SetSelectionMode(smBox);
    Select(*source, 0, 2, 1, 4);
    source->CopyToClipboard();
    EXPECT_EQ(source.Clipboard.Content, "cd\r\nij");
    EXPECT_TRUE(source.Clipboard.Box);

    HostedEditor target;
    target.Clipboard = source.Clipboard;
    target.SetText("0123\r\n0123\r\n0123");
    target->SetRowCol(1, 1);
    target->PasteFromClipboard();
    EXPECT_EQ(Content(*target), "0123\r\n0cd123\r\n0ij123");

    // Text from elsewhere (no box mark) goes in as a stream.
    target.Clipboard.SetText("cd\r\nij", false);
    target->SetRowCol(0, 1);
    target->PasteFromClipboard();
    EXPECT_EQ(Content(*target), "0cd\r\nij123\r\n0cd123\r\n0ij123");

    // Cutting copies, then deletes; copying without a selection leaves the clipboard alone.
    source->SetSelectionMode(smLine);
    Select(*source, 0, 1, 0, 3);
    source->CutToClipboard();
    EXPECT_EQ(source.Clipboard.Content, "bc");
    EXPECT_FALSE(source.Clipboard.Box);
    EXPECT_EQ(Content(*source), "adef\r\nghijkl\r\n");
    source->CopyToClipboard();
    EXPECT_EQ(source.Clipboard.Content, "bc");
}

TEST(EditorClipboard, AReadOnlyControlChangesNothing)
{
    HostedEditor e;
    e.SetText("abcdef\r\nghij");
    e.Clipboard.SetText("pasted", false);
    e->SetReadOnly(true);
    Select(*e, 0, 1, 1, 2);
    e->CutToClipboard();
    e->PasteFromClipboard();
    e->ClearSelection();
    e->DeleteSelection();
    e->ReplaceSelection("x");
    e->InsertBlock("x");
    EXPECT_EQ(Content(*e), "abcdef\r\nghij");
    EXPECT_EQ(e.Clipboard.Content, "pasted");
    e->CopyToClipboard();
    EXPECT_EQ(e.Clipboard.Content, "bcdef\r\ngh");
}

} // namespace
} // namespace qx::test
