// Typing into the control: characters, Tab, Enter, Backspace and Delete as one table of start text,
// caret, options and keys against the text and caret they leave; lead bytes that must keep their
// trail; caret keys with Shift, Ctrl and auto-repeat; undo of each keystroke.

#include "EditorFixture.h"

#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/LeadByte.h"
#include "platform/VirtualKeyCodes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qx::test {
namespace {

std::string Sjis(const char* Utf8) { return Utf8ToCp932(Utf8); }
std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

// One keystroke: a virtual key, or the characters it types.
struct Key {
    int Vk = 0;
    TShiftState Shift = 0;
    std::string Chars;
};
Key K(int Vk, TShiftState Shift = 0) { return {Vk, Shift, {}}; }
Key T(std::string Chars, TShiftState Shift = 0) { return {0, Shift, std::move(Chars)}; }
const Key Enter = T("\r"), Back = T("\b"), Tab = T("\t"), Del = K(VK_DELETE);

void Press(TEditor& E, const Key& Stroke)
{
    if (Stroke.Vk) {
        E.KeyDown(Stroke.Vk, Stroke.Shift);
        E.KeyUp(Stroke.Vk, Stroke.Shift);
    } else {
        E.KeyPress(Stroke.Chars, Stroke.Shift);
    }
}

struct TypingCase {
    const char* Name;
    std::string Text;
    int Row, Col;
    std::function<void(TEditor&)> Setup;
    std::vector<Key> Keys;
    std::string Expected;
    int ExpectedRow, ExpectedCol;
};

TEST(EditorKeys, TypingTable)
{
    const auto wrap20 = [](TEditor& E) {
        E.SetWordWrap(true);
        E.WrapOption().SetWrapByte(20);
    };
    const auto overwrite = [](TEditor& E) { E.SetOverWrite(true); };
    const std::vector<TypingCase> cases = {
        {"characters go in at the caret", "abc", 0, 1, nullptr, {T("x"), T("yz")}, "axyzbc", 0, 4},
        {"a free caret pads the row", "ab\r\n", 0, 4, nullptr, {T("x")}, "ab  x\r\n", 0, 5},
        {"a double-byte character is one", "ab", 0, 1, nullptr, {T(Sjis("日"))}, Sjis("a日b"), 0, 3},
        {"the caret after a tab and a double-byte character", "\t" + Sjis("あ") + "\tb", 0, 10, nullptr,
         {T("x"), Tab, T(Sjis("い"))}, "\t" + Sjis("あ") + "x\t" + Sjis("い") + "\tb", 0, 18},
        {"a free caret pads a row with tabs by its width", "a\t" + Sjis("あ"), 0, 12, nullptr, {T("x")},
         "a\t" + Sjis("あ") + "  x", 0, 13},
        {"enter splits and indents as the line", "  abc", 0, 4, nullptr, {Enter}, "  ab\r\n  c", 1, 2},
        {"enter without auto indent", "  abc", 0, 4, [](TEditor& E) { E.Caret().SetAutoIndent(false); }, {Enter},
         "  ab\r\nc", 1, 0},
        {"enter left of the indent indents to the caret", "    ab", 0, 2, nullptr, {Enter}, "  \r\n    ab", 1, 2},
        {"enter writes the indent with tabs", std::string(10, ' ') + "x", 0, 11,
         [](TEditor& E) { E.Caret().SetTabIndent(true); }, {Enter}, std::string(10, ' ') + "x\r\n\t  ", 1, 10},
        {"enter on an empty line takes the indent above", "  a\r\n\r\nz", 1, 0,
         [](TEditor& E) { E.Caret().SetPrevSpaceIndent(true); }, {Enter}, "  a\r\n\r\n  \r\nz", 2, 2},
        {"shift+enter opens a line above", "  ab\r\nc", 0, 3, nullptr, {T("\r", ssShift)}, "  \r\n  ab\r\nc", 0, 2},
        {"enter after the last line end", "a\r\n", 1, 0, nullptr, {Enter, T("b")}, "a\r\n\r\nb", 2, 1},
        {"enter into an empty text", "", 0, 0, nullptr, {Enter, Enter}, "\r\n\r\n", 2, 0},
        {"enter in overwrite mode only moves", "ab\r\ncd", 0, 1, overwrite, {Enter}, "ab\r\ncd", 1, 0},
        {"enter on a wrapped row", "0123456789ABCDEFGHIJabc", 0, 5, wrap20, {Enter}, "01234\r\n56789ABCDEFGHIJabc", 1, 0},
        {"backspace joins with the line above", "ab\r\ncd", 1, 0, nullptr, {Back}, "abcd", 0, 2},
        {"backspace on the row after the last", "ab\r\n", 1, 0, nullptr, {Back}, "ab", 0, 2},
        {"backspace takes a double-byte character whole", Sjis("あい"), 0, 4, nullptr, {Back}, Sjis("あ"), 0, 2},
        {"backspace takes a tab whole", "a\tb", 0, 8, nullptr, {Back}, "ab", 0, 1},
        {"backspace from a wrapped row takes the last character above", "0123456789ABCDEFGHIJabc", 1, 0, wrap20, {Back},
         "0123456789ABCDEFGHIabc", 0, 19},
        {"backspace at a free caret only moves", "ab", 0, 5, nullptr, {Back}, "ab", 0, 4},
        {"backspace unindents to the line above", "    a\r\n        b", 1, 8, nullptr, {Back}, "    a\r\n    b", 1, 4},
        {"backspace unindent cuts a tab into spaces", "  a\r\n\tb", 1, 8, nullptr, {Back}, "  a\r\n  b", 1, 2},
        {"backspace without unindent takes one blank", "    a\r\n        b", 1, 8,
         [](TEditor& E) { E.Caret().SetBackSpaceUnIndent(false); }, {Back}, "    a\r\n       b", 1, 7},
        {"backspace at the text's start does nothing", "ab", 0, 0, nullptr, {Back}, "ab", 0, 0},
        {"delete joins the next line, padding a free caret", "ab\r\ncd", 0, 4, nullptr, {Del}, "ab  cd", 0, 4},
        {"delete takes a double-byte character whole", Sjis("あい"), 0, 0, nullptr, {Del}, Sjis("い"), 0, 0},
        {"delete on a tab's cells takes the tab", "\tb", 0, 3, [](TEditor& E) { E.Caret().SetInTab(true); }, {Del},
         "b", 0, 0},
        {"delete at the text's end does nothing", "ab", 0, 2, nullptr, {Del}, "ab", 0, 2},
        {"delete removes a final line end", "ab\r\n", 0, 2, nullptr, {Del}, "ab", 0, 2},
        {"tab inserts a tab character", "ab", 0, 2, nullptr, {Tab}, "ab\t", 0, 8},
        {"soft tab inserts spaces to the stop", "ab", 0, 2, [](TEditor& E) { E.Caret().SetSoftTab(true); }, {Tab},
         "ab      ", 0, 8},
        {"soft tab stops at the wrap width", "abcdefghijklmnopqr", 0, 18,
         [&](TEditor& E) {
             wrap20(E);
             E.Caret().SetSoftTab(true);
         },
         {Tab}, "abcdefghijklmnopqr  ", 1, 0},
        {"shift+tab types nothing", "ab", 0, 0, nullptr, {T("\t", ssShift)}, "ab", 0, 0},
        {"tab in overwrite mode only moves", "abc", 0, 0, overwrite, {Tab}, "abc", 0, 8},
        {"overwrite replaces what follows", "abcdef", 0, 1, overwrite, {T("XY")}, "aXYdef", 0, 3},
        {"overwrite cutting a double-byte character leaves a space", Sjis("aあb"), 0, 0, overwrite, {T("XY")}, "XY b",
         0, 2},
        {"overwrite runs on into the wrapped row", "0123456789ABCDEFGHIJab", 0, 18,
         [&](TEditor& E) {
             wrap20(E);
             overwrite(E);
         }, {T("WXYZ")}, "0123456789ABCDEFGHWXYZ", 1, 2},
        {"overwrite stops at the line end", "ab\r\ncd", 0, 1, overwrite, {T("XYZ")}, "aXYZ\r\ncd", 0, 4},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.Name);
        HostedEditor e;
        e.SetText(c.Text);
        if (c.Setup) c.Setup(*e);
        e->SetRowCol(c.Row, c.Col);
        for (const Key& k : c.Keys) Press(*e, k);
        EXPECT_EQ(Content(*e), c.Expected);
        EXPECT_EQ(e->Row(), c.ExpectedRow);
        EXPECT_EQ(e->Col(), c.ExpectedCol);
        // Every keystroke is one undo step.
        for (std::size_t i = 0; i < c.Keys.size() && e->CanUndo(); ++i) e->Undo();
        EXPECT_EQ(Content(*e), c.Text);
    }
}

TEST(EditorKeys, ALeadByteGoesInOnlyWithItsTrail)
{
    HostedEditor e;
    e.SetText("");
    const std::string a = Sjis("あ"), kanji = "\xE0\x40";  // 0xE0 leads a character too
    e->KeyPress(a.substr(0, 1));
    EXPECT_EQ(Content(*e), "");
    e->KeyPress(a.substr(1));
    e->KeyPress(kanji.substr(0, 1));
    e->KeyPress(kanji.substr(1));
    EXPECT_EQ(Content(*e), a + kanji);
    // A lead byte followed by no trail is dropped, never inserted alone.
    e->KeyPress("\xE0");
    e->KeyPress("\r");
    e->KeyPress("\x81");
    e->KeyPress("\x7F");
    EXPECT_EQ(Content(*e), a + kanji + "\r\n");
    // Half-width katakana are single bytes.
    e->KeyPress("\xB1");
    EXPECT_EQ(Content(*e), a + kanji + "\r\n\xB1");
}

TEST(EditorKeys, ReadOnlyTakesNoTypingButMoves)
{
    HostedEditor e;
    e.SetText("ab\r\ncd");
    e->SetReadOnly(true);
    e->SetRowCol(0, 1);
    for (const Key& k : {T("x"), Enter, Back, Tab, Del}) Press(*e, k);
    EXPECT_EQ(Content(*e), "ab\r\ncd");
    Press(*e, K(VK_DOWN));
    EXPECT_EQ(e->Row(), 1);
}

TEST(EditorKeys, TypingReplacesASelectionAndEnterDeletesItShiftEnterKeepsIt)
{
    HostedEditor e;
    e.SetText("abcdef");
    e->SetRowCol(0, 1);
    Press(*e, K(VK_RIGHT, ssShift));
    Press(*e, K(VK_RIGHT, ssShift));
    EXPECT_EQ(e->SelText(), "bc");
    Press(*e, T("X"));
    EXPECT_EQ(Content(*e), "aXdef");
    EXPECT_EQ(e->SelectionState(), 0);

    e->SetRowCol(0, 0);
    Press(*e, K(VK_END, ssShift));
    Press(*e, T("\r", ssShift));
    EXPECT_EQ(Content(*e), "aXdef");
    EXPECT_EQ(e->SelectionState(), 2);
    Press(*e, Enter);
    EXPECT_EQ(Content(*e), "\r\n");
    Press(*e, Back);
    EXPECT_EQ(Content(*e), "");
}

TEST(EditorKeys, CaretKeysMoveAndShiftExtendsTheSelection)
{
    HostedEditor e;
    e->Caret().SetFreeCaret(false);
    e.SetText("ab\r\ncd\r\nefg");
    e->SetRowCol(0, 2);
    Press(*e, K(VK_RIGHT));
    EXPECT_EQ(e->Row(), 0) << "without NextLine the caret stays at the row's end";
    e->Caret().SetNextLine(true);
    Press(*e, K(VK_RIGHT));
    EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{1, 0}));
    Press(*e, K(VK_LEFT));
    EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{0, 2}));
    Press(*e, K(VK_END, ssCtrl));
    EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{2, 3}));
    Press(*e, K(VK_HOME, ssShift));
    EXPECT_EQ(e->SelText(), "efg");
    Press(*e, K(VK_UP, ssShift));
    EXPECT_EQ(e->SelText(), "cd\r\nefg");
    Press(*e, K(VK_HOME, ssCtrl));
    EXPECT_EQ(e->SelectionState(), 0);
    EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{0, 0}));
    Press(*e, K(VK_UP));
    Press(*e, K(VK_DOWN));
    Press(*e, K(VK_DOWN));
    Press(*e, K(VK_DOWN));
    EXPECT_EQ(e->Row(), 2) << "Down stops on the row that ends the text";
    // Alt+arrow belongs to the menus.
    EXPECT_FALSE(e->KeyDown(VK_UP, ssAlt));
    EXPECT_EQ(e->Row(), 2);
}

TEST(EditorKeys, CtrlArrowsMoveByWords)
{
    HostedEditor e;
    e.SetText(Sjis("foo  bar(baz)\r\n日本語です"));
    const std::vector<std::pair<int, int>> right = {{0, 5}, {0, 9}, {0, 13}, {1, 0}, {1, 6}, {1, 10}};
    e->SetRowCol(0, 0);
    for (const auto& [row, col] : right) {
        Press(*e, K(VK_RIGHT, ssCtrl));
        EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{row, col}));
    }
    const std::vector<std::pair<int, int>> left = {{1, 6}, {1, 0}, {0, 13}, {0, 9}, {0, 5}, {0, 0}};
    for (const auto& [row, col] : left) {
        Press(*e, K(VK_LEFT, ssCtrl));
        EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{row, col}));
    }
    int row = 0, col = 0;
    EXPECT_FALSE(e->FindWordStart(row, col, -1));
}

TEST(EditorKeys, HeldArrowsAtTheEdgeAndPagesKeepTheCaretOnTheScreen)
{
    HostedEditor e;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line\r\n";
    e.SetText(text);
    e->Viewport()->SetFocus();
    const int rows = e->VisibleRows();
    ASSERT_GT(rows, 4);
    e->SetRowCol(rows - 1, 0);
    e->KeyDown(VK_DOWN, 0, true);
    EXPECT_EQ(e->Row(), rows - 1 + e->Speed().CaretVerticalAc());
    e->KeyUp(VK_DOWN, 0);
    e->KeyDown(VK_DOWN, 0, false);
    EXPECT_EQ(e->Row(), rows + e->Speed().CaretVerticalAc());

    const int offset = e->Row() - e->TopRow();
    const int top = e->TopRow();
    Press(*e, K(VK_NEXT));
    EXPECT_EQ(e->TopRow(), top + (rows - 1) / 2 * e->Speed().PageVerticalRange());
    EXPECT_EQ(e->Row() - e->TopRow(), offset);
    Press(*e, K(VK_PRIOR));
    EXPECT_EQ(e->TopRow(), top);
    EXPECT_EQ(e->Row() - e->TopRow(), offset);

    // Ctrl+Down scrolls under the caret until it would leave the view.
    e->SetRowCol(e->TopRow(), 0);
    Press(*e, K(VK_DOWN, ssCtrl));
    EXPECT_EQ(e->Row(), e->TopRow());
}

TEST(EditorKeys, KeyEventsSeeTheKeyFirstAndMayTakeIt)
{
    HostedEditor e;
    e.SetText("ab");
    e->OnKeyDown = [](TObject*, int& Key, TShiftState) {
        if (Key == VK_DELETE) Key = 0;
    };
    e->OnKeyPress = [](TObject*, char& Key) {
        if (Key == 'x') Key = 0;
        if (Key == 'y') Key = 'Y';
    };
    e->SetRowCol(0, 0);
    EXPECT_FALSE(e->KeyDown(VK_DELETE, 0));
    e->KeyPress("xy");
    EXPECT_EQ(Content(*e), "Yab");
}


// Input at the last column of an unwrapped line: what the caret can follow goes in, in the order given;
// what it cannot is refused whole (a beep, the message), the text untouched; the saved bytes show it.
TEST(EditorKeys, InputAtTheLastColumnIsKeptInOrderOrRefusedWhole)
{
    const std::string a1995(1995, 'a'), a1998(1998, 'a'), a1999(1999, 'a'), a2000(2000, 'a');
    const std::string kana = Sjis("あ");
    struct Case {
        const char* Name;
        std::string Text;
        int Row, Col;
        std::function<void(TEditor&, FakeClipboard&)> Input;  // one keystroke or command a call
        int Calls;
        std::string Saved;
        int ExpectedCol;
        int Refused;
    };
    const auto typeEach = [](std::string Chars) {
        return [Chars, i = std::size_t(0)](TEditor& E, FakeClipboard&) mutable {
            const std::size_t n = CharLengthAt(Chars, i);
            E.KeyPress(Chars.substr(i, n), 0);
            i += n;
        };
    };
    const auto paste = [](std::string Text, bool Box) {
        return [Text, Box](TEditor& E, FakeClipboard& C) {
            C.SetText(Text, Box);
            E.PasteFromClipboard();
        };
    };
    // A middle click at the caret pastes the primary selection there.
    const auto middleClick = [](std::string Text) {
        return [Text](TEditor& E, FakeClipboard& C) {
            C.OfferPrimarySelection(nullptr, [Text] { return Text; });
            E.PastePrimarySelection(E.TextAreaLeft() + (E.Col() - E.TopCol()) * E.ColWidth(),
                                    E.TextAreaTop() + (E.Row() - E.TopRow()) * E.RowHeight() + E.RowHeight() / 2);
        };
    };
    const std::vector<Case> cases = {
        {"ASCII typed across the limit", a1995 + "\r\n", 0, 1995, typeEach("1234567890"), 10, a1995 + "12345\r\n", 2000, 5},
        {"typing before the limit pushes the rest on", a2000 + "\r\n", 0, 10, typeEach("xy"), 2, a2000.substr(0, 10) + "xy" + a2000.substr(10) + "\r\n", 12, 0},
        {"a double-byte character whose lead byte is on the last drawn column", a1999, 0, 1999, typeEach(kana + "b"), 2, a1999 + kana, 2001, 1},
        {"a double-byte character after the last column", a2000, 0, 2000, typeEach(kana), 1, a2000, 2000, 1},
        {"a tab typed at the limit", a2000, 0, 2000, typeEach("\t"), 1, a2000, 2000, 1},
        {"a paste at column 1999 that fits", a1999, 0, 1999, paste("x", false), 1, a1999 + "x", 2000, 0},
        {"a paste at column 1999 past the limit", a1999, 0, 1999, paste("xyz", false), 1, a1999, 1999, 1},
        {"a middle-click paste at column 1999 past the limit", a1999, 0, 1999, middleClick("xyz"), 1, a1999, 1999, 1},
        {"a paste whose last line fits", a1999, 0, 1999, paste("x\r\nyz", false), 1, a1999 + "x\r\nyz", 2, 0},
        {"a box paste across the limit", a1998 + "\r\n" + a1998 + "\r\n", 0, 1998, paste("123\r\n456", true), 1,
         a1998 + "\r\n" + a1998 + "\r\n", 1998, 1},
        {"a box paste up to the limit", a1998 + "\r\n" + a1998 + "\r\n", 0, 1998, paste("12\r\n45", true), 1,
         a1998 + "12\r\n" + a1998 + "45\r\n", 2000, 0},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        HostedEditor e(Construct<TQxEditor>());
        e.SetText(c.Text);
        e->SetRowCol(c.Row, c.Col);
        auto input = c.Input;
        int refused = 0;
        for (int i = 0; i < c.Calls; ++i) {
            try {
                input(*e, e.Clipboard);
            } catch (const Exception& error) {
                EXPECT_EQ(error.what(), std::string(TEditor::InputTooLongText));
                ++refused;
            }
        }
        EXPECT_EQ(refused, c.Refused);
        EXPECT_EQ(e.Viewport.Beeps, c.Refused);
        EXPECT_EQ(e->Col(), c.ExpectedCol);
        const std::string file = dir.File("saved.txt");
        static_cast<TQxEditor&>(*e).SaveToFile(file);
        EXPECT_EQ(ReadBytes(file), c.Saved);
    }
}

// A wrapped text has no last column to pass: the same keys go in.
TEST(EditorKeys, AWrappedLineTakesInputAtAnyColumn)
{
    HostedEditor e;
    e->SetWordWrap(true);
    e.SetText(std::string(1990, 'a'));
    e->SetRowCol(e->RowCount() - 1, e->RowDisplayWidth(e->RowCount() - 1));
    for (int i = 0; i < 20; ++i) e->KeyPress("b", 0);
    EXPECT_EQ(Content(*e), std::string(1990, 'a') + std::string(20, 'b'));
    EXPECT_EQ(e.Viewport.Beeps, 0);
}

} // namespace
} // namespace qx::test
