#include "mainwindow/commands/TextCommands.h"

#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "mainwindow/commands/TextConvert.h"
#include "platform/Cp932.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <map>

namespace qx {
namespace {

using test::HostedEditor;

class TextCommandsTest : public ::testing::Test {
protected:
    TEditor& E() { return *Ed.Editor; }
    std::string Text() { return E().Lines().Text(); }
    void Select(int Row1, int Col1, int Row2, int Col2)
    {
        E().SetRowCol(Row1, Col1);
        E().StartSelection();
        E().SetRowCol(Row2, Col2);
        E().ShowSelection();
    }
    // One undo step brings Before back.
    void ExpectOneUndoStep(const std::string& Before)
    {
        E().Undo();
        EXPECT_EQ(Text(), Before);
    }

    HostedEditor Ed{Construct<TQxEditor>()};
};

TEST_F(TextCommandsTest, QuoteAndAppendTakeTheSelectedLinesInOneStepKeepingMarks)
{
    E().Lines().SetText("a\r\nb\r\nc");
    E().PutRowMark(1, 4);
    // A selection ending just after a line break leaves the next line alone.
    Select(0, 0, 2, 0);
    QuoteSelectedLines(E(), ">");
    EXPECT_EQ(Text(), ">a\r\n>b\r\nc\r\n");
    EXPECT_EQ(E().FindRowMark(4), 1);
    ExpectOneUndoStep("a\r\nb\r\nc\r\n");

    // Without a selection: the caret's line.
    E().SetRowCol(2, 0);
    AppendMarkToSelectedLines(E(), Utf8ToCp932("＜"));
    EXPECT_EQ(Cp932ToUtf8(Text()), "a\r\nb\r\nc＜\r\n");

    E().SetReadOnly(true);
    QuoteSelectedLines(E(), ">");
    EXPECT_EQ(Cp932ToUtf8(Text()), "a\r\nb\r\nc＜\r\n");
}

TEST_F(TextCommandsTest, AWrappedLineIsQuotedOnceAsALine)
{
    E().SetWordWrap(true);
    E().WrapOption().SetWrapByte(10);
    E().Lines().SetText("0123456789abcdefghij\r\nx");
    ASSERT_GT(E().RowCount(), 2);
    Select(0, 0, E().RowCount() - 1, 1);
    QuoteSelectedLines(E(), "> ");
    EXPECT_EQ(Text(), "> 0123456789abcdefghij\r\n> x\r\n");
}

TEST_F(TextCommandsTest, LineNumbersChooseTheirWidth)
{
    std::string text;
    for (int i = 0; i < 150; ++i) text += "L\r\n";
    E().Lines().SetText(text);
    InsertLineNumbers(E(), true, 0, 1, 150, 1, 1);
    EXPECT_EQ(E().Lines().Get(0), "001 L");
    EXPECT_EQ(E().Lines().Get(149), "150 L");
    ExpectOneUndoStep(text);

    // One digit ("%.d") still writes a 0; lines outside the text are left out.
    InsertLineNumbers(E(), false, 1, 0, 500, 149, 5);
    EXPECT_EQ(E().Lines().Get(147), "L");
    EXPECT_EQ(E().Lines().Get(148), "0 L");
    EXPECT_EQ(E().Lines().Get(149), "5 L");
}

TEST_F(TextCommandsTest, DuplicateLineKeepsTheCaretOffset)
{
    E().Lines().SetText("ab\r\ncd\r\nef");
    E().SetRowCol(1, 1);
    const auto offset = E().SelStart();
    DuplicateCurrentLine(E());
    EXPECT_EQ(Text(), "ab\r\ncd\r\ncd\r\nef\r\n");
    EXPECT_EQ(E().SelStart(), offset);
    ExpectOneUndoStep("ab\r\ncd\r\nef\r\n");
}

TEST_F(TextCommandsTest, LineBreaksAtWrapsMakeEachRowALineInOneStep)
{
    E().SetWordWrap(true);
    E().WrapOption().SetWrapByte(20);
    // Rows of 19 and 12 bytes: a double-byte character never straddles the wrap column.
    const std::string line = "a" + Utf8ToCp932("一二三四五六七八九十一二三四五");
    E().Lines().SetText(line + "\r\nshort");
    const int rows = E().RowCount();
    ASSERT_GT(rows, 2);
    std::vector<std::string> rowTexts;
    for (int r = 0; r < rows; ++r) rowTexts.push_back(E().RowString(r));
    E().PutRowMark(rows - 1, 2);
    AddLineBreaksAtWraps(E());
    EXPECT_EQ(E().RowCount(), rows);
    ASSERT_EQ(E().Lines().Count(), rows);
    for (int r = 0; r < rows; ++r) EXPECT_EQ(E().Lines().Get(r), rowTexts[static_cast<std::size_t>(r)]);
    EXPECT_EQ(E().FindRowMark(2), rows - 1);
    ExpectOneUndoStep(line + "\r\nshort\r\n");

    // Without word wrap nothing happens.
    E().SetWordWrap(false);
    AddLineBreaksAtWraps(E());
    EXPECT_EQ(E().Lines().Count(), 2);
}

TEST_F(TextCommandsTest, ConversionsReplaceTheSelectionOrInsertABlock)
{
    E().Lines().SetText("abc\r\ndef");
    Select(0, 1, 1, 2);
    ConvertSelection(E(), UpperCaseText);
    EXPECT_EQ(Text(), "aBC\r\nDEf\r\n");

    E().SetSelectionMode(smBox);
    Select(0, 0, 1, 1);
    ConvertSelection(E(), ConvertToZenkaku);
    EXPECT_EQ(Cp932ToUtf8(Text()), "ａBC\r\nＤEf\r\n");
}

// A conversion of all of the text goes line by line, with the old rows kept for undo: the text, the rows
// and the caret come out as replacing the selection by the converted whole does, in one undo step that
// brings every row and mark back, and redo converts again.
TEST_F(TextCommandsTest, AWholeTextConversionLineByLineMatchesTheWholeReplacement)
{
    using TConvert = std::string (*)(std::string_view);
    struct Case {
        const char* Text;  // UTF-8
        int WrapByte;      // 0: no word wrap
        TConvert Convert;
    };
    const Case cases[] = {
        {"ＡＢＣ　ｄ\r\nｶﾞｷﾞ\r\n\r\nlast", 0, ConvertToHankaku},
        {"ＡＢＣ　ｄ\r\nｶﾞｷﾞ\r\n\r\nlast", 0, ConvertToZenkaku},
        {"abc\\\r\n漢字カナ\r\n", 0, ConvertToZenkaku},
        {"012345678ｶﾞｷﾞｸﾞｹﾞｺﾞ0123456789\r\nＡＢＣＤＥＦＧＨＩＪＫ\r\nx", 10, ConvertToZenkaku},
        {"012345678ｶﾞｷﾞｸﾞｹﾞｺﾞ0123456789\r\nＡＢＣＤＥＦＧＨＩＪＫ\r\nx", 10, ConvertToHankaku},
        {"unchanged\r\nlines", 0, ConvertToHankaku},
        {"mixed Case words, and some more of them\r\n", 10, UpperCaseText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        HostedEditor whole{Construct<TQxEditor>()};
        HostedEditor lines{Construct<TQxEditor>()};
        for (TEditor* e : {whole.Editor.get(), lines.Editor.get()}) {
            e->SetWordWrap(c.WrapByte > 0);
            if (c.WrapByte > 0) e->WrapOption().SetWrapByte(c.WrapByte);
            e->Lines().SetText(Utf8ToCp932(c.Text));
            e->PutRowMark(1, 3);
            e->SelectAll();
        }
        TEditor& e = *lines.Editor;
        const int rows = e.RowCount();
        std::vector<std::string> before;
        for (int r = 0; r < rows; ++r) before.push_back(e.RowString(r));
        ASSERT_EQ(e.FindRowMark(3), 1);
        const int markLine = e.RowToLine(1);
        ConvertSelection(*whole.Editor, c.Convert);
        ConvertSelection(e, c.Convert, true);
        const auto rowTexts = [](TEditor& Editor) {
            std::vector<std::string> texts;
            for (int r = 0; r < Editor.RowCount(); ++r) texts.push_back(Editor.RowString(r));
            return texts;
        };
        EXPECT_EQ(rowTexts(e), rowTexts(*whole.Editor));
        EXPECT_EQ(e.Lines().Text(), whole.Editor->Lines().Text());
        EXPECT_EQ(e.SelStart(), whole.Editor->SelStart());
        // A mark stays on its line (where the replacement counts rows from the end).
        EXPECT_EQ(e.RowToLine(e.FindRowMark(3)), markLine);
        const std::string converted = e.Lines().Text();
        e.Undo();
        EXPECT_EQ(rowTexts(e), before);
        EXPECT_EQ(e.FindRowMark(3), 1);
        EXPECT_FALSE(e.CanUndo());
        e.Redo();
        EXPECT_EQ(e.Lines().Text(), converted);
        e.Undo();
        EXPECT_EQ(rowTexts(e), before);
    }
    // Undo keeps the marks in use: one removed since the conversion stays removed, one set since stays
    // (on the first row, as the row it stood on is gone).
    E().Lines().SetText(Utf8ToCp932("ａ\r\nｂ\r\nｃ"));
    E().PutRowMark(1, 3);
    E().SelectAll();
    ConvertSelection(E(), ConvertToHankaku, true);
    E().DeleteRowMark(1, 3);
    E().PutRowMark(2, 5);
    E().Undo();
    EXPECT_EQ(Cp932ToUtf8(Text()), "ａ\r\nｂ\r\nｃ\r\n");
    EXPECT_EQ(E().FindRowMark(3), -1);
    EXPECT_EQ(E().FindRowMark(5), 0);
}

// A part of the text, or a conversion that does not keep to lines, takes the selection's road.
TEST_F(TextCommandsTest, APartOfTheTextIsConvertedInPlaceOfTheSelection)
{
    E().Lines().SetText(Utf8ToCp932("ＡＢ\r\nＣＤ"));
    Select(0, 2, 1, 2);
    ConvertSelection(E(), ConvertToHankaku, true);
    EXPECT_EQ(Cp932ToUtf8(Text()), "ＡB\r\nCＤ\r\n");
    E().SelectAll();
    ConvertSelection(E(), RemoveLineBreaks);
    EXPECT_EQ(Cp932ToUtf8(Text()), "ＡBCＤ\r\n");
    ExpectOneUndoStep(Utf8ToCp932("ＡB\r\nCＤ\r\n"));
}

TEST(HtmlPage, HeadBodyAndTailAsWrittenWithAnEscapedTitle)
{
    const std::vector<std::string> lines = {"a<b", Utf8ToCp932("表")};
    EXPECT_EQ(Cp932ToUtf8(HtmlPage(lines, "t&<", false)),
              "<HTML>\r\n<HEAD><TITLE>t&amp;&lt;</TITLE></HEAD>\r\n<BODY>\r\n<!-- ここから本文です -->\r\n"
              "a&lt;b<BR>\r\n表<BR>\r\n\r\n<!-- ここまで -->\r\n</BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(Cp932ToUtf8(HtmlPage(lines, "t", true)),
              "<HTML>\r\n<HEAD><TITLE>t</TITLE></HEAD>\r\n<BODY>\r\n<PRE>\r\n<!-- ここから本文です -->\r\n"
              "a&lt;b\r\n表\r\n\r\n<!-- ここまで -->\r\n</PRE>\r\n</BODY>\r\n</HTML>");
}

TEST(ExportHtml, WritesInTheChosenCodeAndLineEnd)
{
    HostedEditor ed{Construct<TQxEditor>()};
    ed->Lines().SetText("x");
    test::ScriptedMessagePrompter prompter;
    std::map<std::string, std::string> files;
    const TFileWriter writer = [&](const std::string& Path, const TBytePieces& Bytes) {
        files[Path].clear();
        Bytes([&](std::string_view Piece) { files[Path] += Piece; });
    };
    ASSERT_TRUE(ExportHtml(*ed, prompter, "/p.html", "T", true, 7, 3, writer));  // UTF-8, LF
    EXPECT_EQ(files["/p.html"], "<HTML>\n<HEAD><TITLE>T</TITLE></HEAD>\n<BODY>\n<PRE>\n<!-- ここから本文です -->\nx\n\n"
                                "<!-- ここまで -->\n</PRE>\n</BODY>\n</HTML>");
    ASSERT_TRUE(ExportHtml(*ed, prompter, "/q.html", "T", false, 1, 1, writer));  // Shift-JIS, CR LF
    EXPECT_EQ(files["/q.html"].substr(files["/q.html"].size() - 9), "</HTML>\r\n");
}

} // namespace
} // namespace qx
