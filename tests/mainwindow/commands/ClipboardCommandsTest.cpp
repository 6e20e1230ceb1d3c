#include "mainwindow/commands/ClipboardCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qx;

TEST(QuoteLines, MarksEveryLineWhateverItsEnd)
{
    struct Case {
        const char* Text;
        const char* Mark;
        const char* Quoted;
    };
    for (const Case c : {Case{"x\r\ny", ">", ">x\r\n>y\r\n"}, Case{"x\ny", ">", ">x\r\n>y\r\n"},
                         Case{"x\ry", "> ", "> x\r\n> y\r\n"}, Case{"x\r\n", ">", ">x\r\n"},
                         Case{"x\r\n\r\ny", "|", "|x\r\n|\r\n|y\r\n"}, Case{"", ">", ""},
                         Case{"a\x81\r\nb", "\x81\x84", "\x81\x84" "a\x81\r\n\x81\x84" "b\r\n"}}) {
        EXPECT_EQ(QuoteLines(c.Text, c.Mark), c.Quoted) << c.Text;
    }
}

namespace {

// An editor pane with a text and a selection [SelStart, SelStart + SelLength).
struct FakeEditor : TClipboardEditor {
    bool ReadOnly() const override { return IsReadOnly; }
    std::string SelText() const override { return Text.substr(SelStart, SelLength); }
    void CutToClipboard() override { Log.push_back("cut"); Clipboard->SetText(SelText()); ClearSelection(); }
    void CopyToClipboard() override { Log.push_back("copy"); Clipboard->SetText(SelText()); }
    void ClearSelection() override { SetSelText(""); }
    void SetSelText(const std::string& text) override
    {
        Text.replace(SelStart, SelLength, text);
        SelStart += static_cast<int>(text.size());
        SelLength = 0;
    }
    int CaretIndex() const override { return SelStart; }
    void SetCaretIndex(int index) override { SelStart = index; SelLength = 0; }
    bool PasteCurPos() const override { return CaretAfterPaste; }

    std::string Text;
    int SelStart = 0, SelLength = 0;
    bool IsReadOnly = false;
    bool CaretAfterPaste = true;
    TTextClipboard* Clipboard = nullptr;
    std::vector<std::string> Log;
};

// A clipboard that hands every change to the history, as the Qt feeder does.
struct FakeClipboard : TTextClipboard {
    std::optional<std::string> Text() const override { return Value; }
    void SetText(const std::string& text) override
    {
        Value = text;
        if (History) History->ClipboardChanged(text);
    }
    std::optional<std::string> Value;
    TQxClipBoardHistory* History = nullptr;
};

class ClipboardCommandsTest : public ::testing::Test {
protected:
    ClipboardCommandsTest()
    {
        history.SetDisabled(true);
        clipboard.History = &history;
        editor.Clipboard = &clipboard;
    }
    void Select(const std::string& text, int start, int length)
    {
        editor.Text = text;
        editor.SelStart = start;
        editor.SelLength = length;
    }

    TMainSettings settings;
    TQxClipBoardHistory history;
    FakeClipboard clipboard;
    FakeEditor editor;
    TClipboardCommands commands{settings, history, clipboard};
};

} // namespace

TEST_F(ClipboardCommandsTest, AppendCopyWithoutHistoryExtendsTheClipboard)
{
    settings.ClipBoardViewer.UseClip = false;
    clipboard.Value = "a";
    Select("bc", 0, 1);
    commands.PlusCopy(&editor);
    Select("bc", 1, 1);
    commands.PlusCopy(&editor);
    EXPECT_EQ(clipboard.Value, "abc");
    EXPECT_EQ(editor.Text, "bc");
    EXPECT_EQ(history.Count(), 0) << "the history records nothing while it is not in use";

    // An empty clipboard makes it a plain command; the cut variant deletes the selection.
    clipboard.Value.reset();
    Select("xyz", 1, 1);
    commands.PlusCut(&editor);
    EXPECT_EQ(clipboard.Value, "y");
    EXPECT_EQ(editor.Text, "xz");
    EXPECT_EQ(editor.Log, (std::vector<std::string>{"cut"}));
}

TEST_F(ClipboardCommandsTest, AppendWithHistoryStartsFromItsNewestEntry)
{
    settings.ClipBoardViewer.UseClip = true;
    clipboard.Value = "from another program";  // not in the history, so not appended to
    Select("abc", 0, 1);
    commands.PlusCopy(&editor);
    EXPECT_EQ(editor.Log, (std::vector<std::string>{"copy"}));
    EXPECT_EQ(history.Count(), 1);
    EXPECT_TRUE(history.CanUpdate());

    Select("abc", 1, 2);
    commands.PlusCut(&editor);
    EXPECT_EQ(clipboard.Value, "abc");
    EXPECT_EQ(history.GetText(0), "abc");
    EXPECT_EQ(editor.Text, "a");
}

TEST_F(ClipboardCommandsTest, QuotedCutAndCopyGoThroughTheQuoteMarkDialog)
{
    std::vector<TQuoteMode> modes;
    bool accept = true;
    commands.QuoteMarkQuery = [&](TQuoteMode mode) {
        modes.push_back(mode);
        if (accept) settings.Option.InyouString1 = "> ";
        return accept;
    };
    Select("x\r\ny!", 0, 4);
    commands.InyouCopy(&editor);
    EXPECT_EQ(clipboard.Value, "> x\r\n> y\r\n");
    EXPECT_EQ(settings.Option.InyouString1, "> ") << "the dialog's mark is the one kept";
    commands.InyouCut(&editor);
    EXPECT_EQ(editor.Text, "!");

    // Cancelling changes neither the text nor the clipboard nor the mark.
    accept = false;
    clipboard.Value = "kept";
    Select("x\r\ny!", 0, 4);
    commands.InyouCut(&editor);
    EXPECT_EQ(clipboard.Value, "kept");
    EXPECT_EQ(editor.Text, "x\r\ny!");
    EXPECT_EQ(settings.Option.InyouString1, "> ");
    EXPECT_EQ(modes, (std::vector<TQuoteMode>{TQuoteMode::Copy, TQuoteMode::Cut, TQuoteMode::Cut}));
}

TEST_F(ClipboardCommandsTest, QuotedPasteTakesTheNewestEntryAndKeepsTheCaretUnlessAsked)
{
    settings.ClipBoardViewer.UseClip = true;
    history.SetCanUpdate(true);
    clipboard.SetText("p\nq");
    clipboard.Value = "newer, not recorded";
    Select("AB", 1, 0);
    editor.CaretAfterPaste = false;
    commands.InyouPaste(&editor);
    EXPECT_EQ(editor.Text, "A>p\r\n>q\r\nB");
    EXPECT_EQ(editor.CaretIndex(), 1);

    editor.CaretAfterPaste = true;
    settings.ClipBoardViewer.UseClip = false;
    Select("AB", 0, 2);  // replaces the selection
    commands.InyouPaste(&editor);
    EXPECT_EQ(editor.Text, ">newer, not recorded\r\n");
    EXPECT_EQ(editor.CaretIndex(), static_cast<int>(editor.Text.size()));
}

TEST_F(ClipboardCommandsTest, QuotedPasteRefusesReadOnlyAndEmptySources)
{
    int dialogs = 0;
    commands.QuoteMarkQuery = [&](TQuoteMode) { return ++dialogs, true; };
    clipboard.Value = "t";
    editor.IsReadOnly = true;
    Select("AB", 0, 2);
    commands.InyouPaste(&editor);
    EXPECT_EQ(dialogs, 0) << "no dialog for a read-only document";
    EXPECT_EQ(editor.Text, "AB");

    // An empty clipboard does not wipe the selection.
    editor.IsReadOnly = false;
    settings.ClipBoardViewer.UseClip = false;
    clipboard.Value.reset();
    commands.InyouPaste(&editor);
    EXPECT_EQ(editor.Text, "AB");
    commands.InyouPaste(nullptr);
}
