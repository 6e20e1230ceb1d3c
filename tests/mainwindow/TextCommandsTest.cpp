#include "mainwindow/TextCommands.h"

#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "mainwindow/TextConvert.h"
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
    const TFileWriter writer = [&](const std::string& Path, const std::string& Bytes) { files[Path] = Bytes; };
    ASSERT_TRUE(ExportHtml(*ed, prompter, "/p.html", "T", true, 7, 3, writer));  // UTF-8, LF
    EXPECT_EQ(files["/p.html"], "<HTML>\n<HEAD><TITLE>T</TITLE></HEAD>\n<BODY>\n<PRE>\n<!-- ここから本文です -->\nx\n\n"
                                "<!-- ここまで -->\n</PRE>\n</BODY>\n</HTML>");
    ASSERT_TRUE(ExportHtml(*ed, prompter, "/q.html", "T", false, 1, 1, writer));  // Shift-JIS, CR LF
    EXPECT_EQ(files["/q.html"].substr(files["/q.html"].size() - 9), "</HTML>\r\n");
}

} // namespace
} // namespace qx
