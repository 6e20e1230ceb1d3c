// The token under a point: found on its logical line, so a wrap never cuts it, and selected with the
// caret at its start; lexed only near the point, with the same answers as a lex of the whole line.

#include "EditorFixture.h"

#include "editor/EditorFountain.h"
#include "editor/EditorScreenStrings.h"
#include "editor/FountainParser.h"
#include "editor/TokenParser.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

// What a lookup answers: the token, its kind and its character index in the text.
struct Found {
    bool Hit = false;
    std::string Text;
    int Kind = 0;
    std::int64_t Index = -1;
    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const Found& F)
{
    return Out << (F.Hit ? "\"" + F.Text + "\" kind " + std::to_string(F.Kind) + " at " + std::to_string(F.Index) : "none");
}

// The lookup as the control makes it (the selection tells where the token starts).
Found Lookup(TEditor& E, TPoint P, bool UseFountain, bool KeepState)
{
    Found f;
    f.Hit = E.TokenAt(P, UseFountain, f.Text, KeepState, f.Kind);
    if (f.Hit && E.SelectTokenAt(P, UseFountain, KeepState)) f.Index = E.SelStart();
    return f;
}

// The reference: the row's whole logical line lexed from its start.
Found WholeLine(TEditor& E, int Row, int Byte, bool UseFountain, bool KeepState)
{
    TEditorScreenStrings& list = E.List();
    const int first = list.LineStartRow(Row);
    const int last = list.LineEndRow(Row);
    std::string line;
    std::int64_t offset = Byte;
    for (int r = first; r <= last; ++r) {
        if (r < Row) offset += static_cast<std::int64_t>(list.Get(r).size());
        line += list.Get(r);
    }
    const std::unique_ptr<TFountainParser> parser =
        UseFountain ? E.ActiveFountain()->CreateParser() : std::make_unique<TTokenParser>();
    parser->StartRow(line, UseFountain && KeepState ? list.RowAttributeData(first) : TRowAttributeData{});
    Found f;
    while (parser->Next() != toEof && parser->SourcePos() <= offset) {
        if (offset >= parser->SourcePos() + parser->TokenLength()) continue;
        f = {true, std::string(parser->TokenString()), parser->ReserveWordToken(),
             list.CharIndexOfRow(first) + parser->SourcePos()};
        break;
    }
    return f;
}

std::string Repeat(const std::string& S, int N)
{
    std::string r;
    for (int i = 0; i < N; ++i) r += S;
    return r;
}

TEST(EditorTokens, TheWindowAroundThePointAnswersAsTheWholeLine)
{
    const std::string words = Utf8ToCp932(
        "see http://example.com/a/b?q=1 or mail to someone@example.org, open /usr/share/doc/readme.txt "
        "\"quoted http://x.jp\" \u65e5\u672c\u8a9e\u306e\u6587\u7ae0\u3068\u30ab\u30bf\u30ab\u30ca "
        "\u534a\uff76\uff85 x\ty www.example.com ");
    struct Case {
        const char* Name;
        std::string Text;
        int WrapByte;  // 0: unwrapped
        int Step;      // probes every Step-th row and column
    };
    const std::vector<Case> cases = {
        {"short, unwrapped", words + "// comment http://x.jp\r\n" + words, 0, 1},
        {"a URL across a wrap", "ab http://example.com/path/to/page.html?x=1 cd\r\n", 20, 1},
        {"wrapped Japanese", words + "\r\n", 23, 1},
        // Over two windows long: points near the window's edge, where the lexing starts mid-line in the state
        // the row list keeps (a comment, which runs to the line's end, would be cut there).
        {"long, wrapped", Repeat(words, 45) + "\r\nnext", 61, 4},
        {"long, unwrapped", Repeat(words, 45), 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        HostedEditor e;
        e->View().Fountain().SetUrl(true);
        e->View().Fountain().SetMail(true);
        e->View().Fountain().SetFiles(true);
        e->View().Fountain().SetQuotation("\"");
        e->View().Fountain().SetCommenter("//");
        if (c.WrapByte > 0) {
            e->WrapOption().SetWrapByte(c.WrapByte);
            e->SetWordWrap(true);
        }
        e.SetText(c.Text);
        for (int row = 0; row < e->RowCount(); row += c.Step) {
            e->SetTopRow(row);
            const int cols = std::min(static_cast<int>(e->List().Get(row).size()) + 2, 300);
            for (int col = 0; col < cols; col += c.Step) {
                const TPoint p = At(*e, row, col);
                int r = 0, byte = 0;
                ASSERT_TRUE(e->PointToPos(p, r, byte));
                for (const bool fountain : {false, true})
                    for (const bool keep : {false, true}) {
                        if (!fountain && keep) continue;
                        ASSERT_EQ(Lookup(*e, p, fountain, keep), WholeLine(*e, r, byte, fountain, keep))
                            << "row " << row << " col " << col << (fountain ? " fountain" : " plain")
                            << (keep ? " keeping state" : "");
                    }
            }
        }
    }
}

TEST(EditorTokens, ALinkAtTheEndOfAMultiMegabyteLine)
{
    const std::string url = "http://example.com/very/long/path/index.html";
    const std::string filler = Repeat(Utf8ToCp932("abc \u65e5\u672c def/ghi "), 2 * 1024 * 1024 / 17);
    for (const int wrap : {0, 80}) {
        SCOPED_TRACE(wrap);
        HostedEditor e;
        e->View().Fountain().SetUrl(true);
        if (wrap > 0) {
            e->WrapOption().SetWrapByte(wrap);
            e->SetWordWrap(true);
        }
        // Unwrapped the link stands where the row shows; wrapped it ends the line, across a wrap.
        const std::string text = wrap > 0 ? filler + "see " + url : filler.substr(0, 1000) + "see " + url + " " + filler;
        e.SetText(text);
        const std::int64_t start = static_cast<std::int64_t>(text.find(url));
        for (const std::int64_t at : {start, start + static_cast<std::int64_t>(url.size()) - 1}) {
            const int row = e->List().RowOfCharIndex(at);
            const int col = static_cast<int>(at - e->List().CharIndexOfRow(row));
            e->SetTopRow(row);
            const TPoint p = At(*e, row, col);
            EXPECT_EQ(Lookup(*e, p, true, false), (Found{true, url, toUrl, start})) << "at " << at;
        }
        if (wrap > 0) EXPECT_GT(e->List().LineEndRow(e->RowCount() - 1) - e->List().LineStartRow(e->RowCount() - 1), 20000);
    }
}

} // namespace
} // namespace qx::test
