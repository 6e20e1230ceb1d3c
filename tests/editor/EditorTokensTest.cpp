// The token under a point: found on the whole logical line, so a wrap never cuts it, and selected
// with the caret at its start.

#include "EditorFixture.h"

#include "editor/FountainParser.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {
namespace {

TPoint At(TEditor& E, int Row, int Col)
{
    return {E.TextAreaLeft() + (Col - E.TopCol()) * E.ColWidth() + 1,
            E.TextAreaTop() + (Row - E.TopRow()) * E.RowHeight() + 1};
}

TEST(EditorTokens, AUrlCutByTheWrapIsOneToken)
{
    HostedEditor e;
    e->View().Fountain().SetUrl(true);
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    const std::string url = "http://example.com/path/to/page.html";
    e.SetText("see " + url + " ok\r\nnext");
    ASSERT_GT(e->RowCount(), 2);
    ASSERT_EQ(e->RowAttribute(0), 1);  // "see http://example.co" | "m/path/..."
    // On the second row, inside the URL.
    for (const TPoint p : {At(*e, 0, 6), At(*e, 1, 3)}) {
        std::string token;
        int kind = 0;
        EXPECT_TRUE(e->TokenAt(p, true, token, false, kind));
        EXPECT_EQ(token, url);
        EXPECT_EQ(kind, toUrl);
    }
    EXPECT_TRUE(e->SelectTokenAt(At(*e, 1, 3), true));
    EXPECT_EQ(e->SelText(), url);
    EXPECT_EQ(e->SelStart(), 4);
    EXPECT_EQ(e->Row(), 0);  // the caret at the token's start
    EXPECT_EQ(e->Col(), 4);
    // Plain words cut the URL at its symbols.
    EXPECT_EQ(e->TokenStringAt(At(*e, 0, 5)), url);
    e->SelectWordAtPos(At(*e, 0, 5));
    EXPECT_EQ(e->SelText(), "http");
}

TEST(EditorTokens, PointsThatFindNoTokenOrTheWholeCharacter)
{
    HostedEditor e;
    e.SetText(Utf8ToCp932("ab 日本語 x\tyz\r\n"));
    std::string token;
    int kind = 0;
    // Right of the row's end, above the text, left of the text area, below the rows.
    for (const TPoint p : {At(*e, 0, 30), TPoint{At(*e, 0, 1).X, 0}, TPoint{2, At(*e, 0, 1).Y}, At(*e, 5, 1)}) {
        EXPECT_FALSE(e->TokenAt(p, false, token, false, kind));
        EXPECT_EQ(kind, 0);
        EXPECT_EQ(token, "");
    }
    // The second half of a double-byte character belongs to it.
    EXPECT_TRUE(e->TokenAt(At(*e, 0, 4), false, token, false, kind));
    EXPECT_EQ(token, Utf8ToCp932("日本語"));
    EXPECT_EQ(kind, toDBKanji);
    // A tab's filler cells are the tab.
    int row = 0, byte = 0;
    EXPECT_TRUE(e->PointToPos(At(*e, 0, 14), row, byte));
    EXPECT_EQ(byte, 11);
    EXPECT_EQ(e->TokenKindAt(At(*e, 0, 14)), toTab);
}

} // namespace
} // namespace qx::test
