#include "editor/EditorFountain.h"

#include "LexerTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qx;
using qx::test::Lex;
using qx::test::Rows;
using qx::test::Sjis;
using qx::test::Tok;
using Toks = std::vector<Tok>;

namespace {

struct EditorFountainTest : ::testing::Test {
    std::unique_ptr<TEditorFountain> fountain = Construct<TEditorFountain>();
    std::unique_ptr<TFountainParser> Parser() { return fountain->CreateParser(); }
};

struct Case {
    std::string text;
    Toks tokens;
};

void ExpectTokens(TFountainParser& parser, std::initializer_list<Case> cases)
{
    for (const auto& c : cases) EXPECT_EQ(Lex(parser, c.text), c.tokens) << c.text;
}

} // namespace

TEST_F(EditorFountainTest, MakesAnEditorParser)
{
    EXPECT_NE(dynamic_cast<TEditorParser*>(Parser().get()), nullptr);
    EXPECT_NE(dynamic_cast<TEditorBracketCollection*>(&fountain->Brackets()), nullptr);
}

TEST_F(EditorFountainTest, UrlsNeedTheirExactPrefix)
{
    fountain->SetUrl(true);
    auto parser = Parser();
    ExpectTokens(*parser, {
        {"see www.example.com/a?b=1&c=%20 x",
         {{toAnk, "see"}, {toSymbol, " "}, {toUrl, "www.example.com/a?b=1&c=%20"}, {toSymbol, " "}, {toAnk, "x"}}},
        {"https://h.jp/~u#top", {{toUrl, "https://h.jp/~u#top"}}},
        {"ftp:x", {{toUrl, "ftp:x"}}},
        {"WWW.example.com", {{toAnk, "WWW"}, {toSymbol, "."}, {toAnk, "example"}, {toSymbol, "."}, {toAnk, "com"}}},
        {"Http://x", {{toAnk, "Http"}, {toSymbol, ":"}, {toSymbol, "/"}, {toSymbol, "/"}, {toAnk, "x"}}},
    });
    fountain->SetUrl(false);
    EXPECT_EQ(Lex(*parser, "www.x")[0], (Tok{toAnk, "www"}));
}

TEST_F(EditorFountainTest, MailAddressesNeedAnAtFollowedByADot)
{
    fountain->SetMail(true);
    auto parser = Parser();
    ExpectTokens(*parser, {
        {"to: a.b-c@ex.co.jp.", {{toAnk, "to"}, {toSymbol, ":"}, {toSymbol, " "}, {toMail, "a.b-c@ex.co.jp."}}},
        {"a.b@c", {{toAnk, "a"}, {toSymbol, "."}, {toAnk, "b"}, {toSymbol, "@"}, {toAnk, "c"}}},
        {"@a.b", {{toSymbol, "@"}, {toAnk, "a"}, {toSymbol, "."}, {toAnk, "b"}}},
        // A failed run is remembered, but a new run after it is judged afresh.
        {"x@y z@w.v", {{toAnk, "x"}, {toSymbol, "@"}, {toAnk, "y"}, {toSymbol, " "}, {toMail, "z@w.v"}}},
        {Sjis("宛先") + "u@h.jp", {{toDBKanji, Sjis("宛先")}, {toMail, "u@h.jp"}}},
    });
    // Each row is judged on its own.
    EXPECT_EQ(Lex(*parser, "ab")[0], (Tok{toAnk, "ab"}));
    EXPECT_EQ(Lex(*parser, "a@b.c")[0], (Tok{toMail, "a@b.c"}));
}

TEST_F(EditorFountainTest, FileNamesPlainAndQuoted)
{
    fountain->SetFiles(true);
    auto parser = Parser();
    const std::string folder = Sjis("フォルダ");
    ExpectTokens(*parser, {
        {"file://C:\\" + folder + "\\a.txt rest",
         {{toFile, "file://C:\\" + folder + "\\a.txt"}, {toSymbol, " "}, {toAnk, "rest"}}},
        {"file:\"C:\\My Files\\a b.txt\" x",
         {{toFile, "file:\"C:\\My Files\\a b.txt\""}, {toSymbol, " "}, {toAnk, "x"}}},
        // an unclosed quote ends the name at the row end
        {"file:\"C:\\a b", {{toFile, "file:\"C:\\a b"}}},
        // this system's own paths use "/"
        {"file:///usr/x,y", {{toFile, "file:///usr/x"}, {toSymbol, ","}, {toAnk, "y"}}},
    });
}

TEST_F(EditorFountainTest, QuotationsCommentsControlCodesAndHexNumbers)
{
    fountain->SetCommenter("//");
    fountain->SetCommenter2(";");
    fountain->SetQuotation("\"");
    fountain->SetQuotation2("'");
    fountain->SetControlCode(true);
    fountain->SetHexPrefix("0x");
    auto parser = Parser();
    ExpectTokens(*parser, {
        {"x // c \"q\"", {{toAnk, "x"}, {toSymbol, " "}, {toComment, "// c \"q\""}}},
        {"a;b", {{toAnk, "a"}, {toComment, ";b"}}},
        {"\"a // b\" c", {{toQuotation, "\"a // b\""}, {toSymbol, " "}, {toAnk, "c"}}},
        {"say \"he said \"\"hi\"\"\" ok",
         {{toAnk, "say"}, {toSymbol, " "}, {toQuotation, "\"he said \"\"hi\"\"\""}, {toSymbol, " "}, {toAnk, "ok"}}},
        {"'it''s' \"x", {{toQuotation, "'it''s'"}, {toSymbol, " "}, {toQuotation, "\"x"}}},
        {"#13#$1fG #", {{toControlCode, "#13"}, {toHexControlCode, "#$1f"}, {toAnk, "G"}, {toSymbol, " "},
                       {toControlCode, "#"}}},
        {"0XFF 0x1g 0", {{toHex, "0XFF"}, {toSymbol, " "}, {toHex, "0x1"}, {toAnk, "g"}, {toSymbol, " "},
                         {toInteger, "0"}}},
    });
    fountain->SetControlCode(false);
    EXPECT_EQ(Lex(*parser, "#1"), (Toks{{toSymbol, "#"}, {toInteger, "1"}}));
}

TEST(EditorParser, RecognisersCompeteInTheirFixedOrder)
{
    // Where two recognisers could take the same position, the earlier one in the order wins: bracket,
    // file name, mail, URL, comment, quotation, control code, hexadecimal prefix, byte table.
    struct OrderCase {
        const char* winner;
        std::function<void(TEditorFountain&)> setUp;
        std::string text;
        Toks tokens;
    };
    const auto pair = [](TEditorFountain& f, const char* left, const char* right) {
        auto* item = f.Brackets().AddBracket();
        item->SetLeftBracket(left);
        item->SetRightBracket(right);
    };
    const OrderCase cases[] = {
        {"bracket over comment", [&](TEditorFountain& f) { pair(f, "(*", "*)"); f.SetCommenter("(*"); },
         "(* x *) y", {{toBracket, "(* x *)"}, {toSymbol, " "}, {toAnk, "y"}}},
        {"bracket over file name", [&](TEditorFountain& f) { pair(f, "file:", ";"); f.SetFiles(true); },
         "file:a; b", {{toBracket, "file:a;"}, {toSymbol, " "}, {toAnk, "b"}}},
        {"mail over URL", [](TEditorFountain& f) { f.SetMail(true); f.SetUrl(true); },
         "www.a@b.jp", {{toMail, "www.a@b.jp"}}},
        {"mail over comment", [](TEditorFountain& f) { f.SetMail(true); f.SetCommenter2("--"); },
         "--a@b.jp", {{toMail, "--a@b.jp"}}},
        {"URL over comment", [](TEditorFountain& f) { f.SetUrl(true); f.SetCommenter("www"); },
         "www.x y", {{toUrl, "www.x"}, {toSymbol, " "}, {toAnk, "y"}}},
        {"comment over quotation", [](TEditorFountain& f) { f.SetCommenter("'"); f.SetQuotation("'"); },
         "'a' b", {{toComment, "'a' b"}}},
        {"quotation over control code", [](TEditorFountain& f) { f.SetQuotation2("#"); f.SetControlCode(true); },
         "#12# 3", {{toQuotation, "#12#"}, {toSymbol, " "}, {toInteger, "3"}}},
        {"control code over hex prefix", [](TEditorFountain& f) { f.SetControlCode(true); f.SetHexPrefix("#"); },
         "#1F", {{toControlCode, "#1"}, {toAnk, "F"}}},
        {"mail over hex prefix", [](TEditorFountain& f) { f.SetMail(true); f.SetHexPrefix("0x"); },
         "0x1@a.b", {{toMail, "0x1@a.b"}}},
        {"hex prefix over numbers", [](TEditorFountain& f) { f.SetHexPrefix("0x"); },
         "0x1F 10", {{toHex, "0x1F"}, {toSymbol, " "}, {toInteger, "10"}}},
    };
    for (const auto& c : cases) {
        auto fountain = Construct<TEditorFountain>();
        c.setUp(*fountain);
        auto parser = fountain->CreateParser();
        EXPECT_EQ(Lex(*parser, c.text), c.tokens) << c.winner;
    }
}

TEST_F(EditorFountainTest, AFullWidthQuotationCharacterIsIgnored)
{
    // Only the first byte of a quotation setting counts; the lead byte of "「" is no quotation
    // character and must not split the characters that share it.
    fountain->SetQuotation(Sjis("「"));
    // A quotation character that can be a trail byte ("Ａ" is 82 60) never closes inside a character.
    fountain->SetQuotation2("`");
    auto parser = Parser();
    EXPECT_EQ(Lex(*parser, Sjis("「、」")),
              (Toks{{toDBSymbol, Sjis("「")}, {toDBSymbol, Sjis("、")}, {toDBSymbol, Sjis("」")}}));
    EXPECT_EQ(Lex(*parser, "`" + Sjis("Ａ") + "` x"),
              (Toks{{toQuotation, "`" + Sjis("Ａ") + "`"}, {toSymbol, " "}, {toAnk, "x"}}));
}

TEST_F(EditorFountainTest, QuotationsAndCommentsGoOnOverWrappedRows)
{
    fountain->SetCommenter("//");
    fountain->SetQuotation("\"");
    fountain->SetQuotation2("'");
    auto parser = Parser();

    // A quotation opened by one character is closed by that character on the next row.
    Rows quote{{"x \"don", raWrapped}, {"'t stop", raWrapped}, {"\" y", raEnd}, {"'z", raEof}};
    const auto states = quote.States(*parser);
    EXPECT_EQ(states[1].Token, toQuotation);
    EXPECT_EQ(states[1].Remain, 0);
    EXPECT_EQ(quote.LexAll(*parser), (std::vector<Toks>{
                                         {{toAnk, "x"}, {toSymbol, " "}, {toQuotation, "\"don"}},
                                         {{toQuotation, "'t stop"}},
                                         {{toQuotation, "\""}, {toSymbol, " "}, {toAnk, "y"}},
                                         // quotations end with their line
                                         {{toQuotation, "'z"}},
                                     }));
    EXPECT_EQ(states[3].Token, 0);
    EXPECT_EQ(states[3].DataStr, "");

    // A comment runs over the rows of its line and stops at the line end.
    Rows comment{{"a // long", raWrapped}, {"comment", raWrapped}, {"more", raEnd}, {"b", raEof}};
    EXPECT_EQ(comment.LexAll(*parser), (std::vector<Toks>{
                                           {{toAnk, "a"}, {toSymbol, " "}, {toComment, "// long"}},
                                           {{toComment, "comment"}},
                                           {{toComment, "more"}},
                                           {{toAnk, "b"}},
                                       }));
}

TEST_F(EditorFountainTest, ADoubledQuoteCutByTheWrapStaysInsideItsQuotation)
{
    // Each line, cut into wrapped rows at every place, colours its bytes as the whole line does.
    fountain->SetQuotation("\"");
    fountain->SetQuotation2("'");
    auto parser = Parser();
    const auto kinds = [&](std::string_view text, const TRowAttributeData& state, std::size_t limit) {
        std::vector<int> k(limit, -1);
        parser->StartRow(text, state);
        while (parser->Next() != toEof && static_cast<std::size_t>(parser->SourcePos()) < limit)
            for (int i = parser->SourcePos(); i < parser->SourcePos() + parser->TokenLength(); ++i)
                if (static_cast<std::size_t>(i) < limit) k[i] = parser->ReserveWordToken();
        return k;
    };
    const std::string lines[] = {
        "x \"he said \"\"hi\"\" ok\" y",
        "'it''s' and 'that''''s' z",
        "a \"\"\"q\"\"\" b \"\" c",
        "\"\"\"\"\"\"\"\"\" d",
    };
    for (const std::string& line : lines) {
        const std::vector<int> whole = kinds(line, {}, line.size());
        for (std::size_t cut1 = 1; cut1 < line.size(); ++cut1)
            for (std::size_t cut2 = cut1 + 1; cut2 <= line.size(); ++cut2) {
                // Two or three rows; the painter hands a wrapped row to the parser with the next row
                // joined to it.
                Rows rows{{line.substr(0, cut1), raWrapped}, {line.substr(cut1, cut2 - cut1), raWrapped},
                          {line.substr(cut2), raEnd}};
                const auto states = rows.States(*parser);
                std::vector<int> pieces;
                for (int r = 0; r < 3; ++r) {
                    std::string text(rows.list.Get(r));
                    if (r < 2) text += rows.list.Get(r + 1);
                    const auto k = kinds(text, states[r], rows.list.Get(r).size());
                    pieces.insert(pieces.end(), k.begin(), k.end());
                }
                EXPECT_EQ(pieces, whole) << line << " cut at " << cut1 << " and " << cut2;
            }
    }
}

TEST_F(EditorFountainTest, ATokenCarriedIntoABlankRowEndsWithItsLine)
{
    // Word wrap can leave a row of spaces only (a long run of blanks after an open quotation or a
    // quoted file name). The token ends with that row's line: the next line is lexed afresh.
    fountain->SetQuotation("\"");
    fountain->SetFiles(true);
    auto parser = Parser();
    const Toks nextLine{{toAnk, "next"}, {toSymbol, " "}, {toAnk, "line"}};
    struct BlankCase {
        std::string opening;  // a wrapped row that ends inside a token
        std::string blank;
    };
    const BlankCase cases[] = {
        {"x = \"abc", "      "},
        {"x = \"abc", " "},
        {"file:\"a b", "      "},
        {"file:\"a b", "  "},
    };
    for (const auto& c : cases) {
        Rows rows{{c.opening, raWrapped}, {c.blank, raEnd}, {"next line", raEof}};
        const auto states = rows.States(*parser);
        EXPECT_EQ(states[2].Token, 0) << c.opening << "|" << c.blank.size();
        EXPECT_EQ(states[2].Remain, 0) << c.opening << "|" << c.blank.size();
        EXPECT_EQ(states[2].DataStr, "") << c.opening << "|" << c.blank.size();
        EXPECT_EQ(rows.LexAll(*parser)[2], nextLine) << c.opening << "|" << c.blank.size();
    }

    // A blank row that is itself wrapped hands the quotation on to the rest of its line.
    Rows wrapped{{"x = \"abc", raWrapped}, {"    ", raWrapped}, {"def\" y", raEnd}, {"next line", raEof}};
    const auto lexed = wrapped.LexAll(*parser);
    EXPECT_EQ(lexed[2], (Toks{{toQuotation, "def\""}, {toSymbol, " "}, {toAnk, "y"}}));
    EXPECT_EQ(lexed[3], nextLine);
}

TEST_F(EditorFountainTest, TokenColorsFollowTheColourTable)
{
    fountain->SetUrl(true);
    fountain->SetMail(true);
    fountain->SetFiles(true);
    fountain->SetCommenter(";");
    fountain->SetQuotation("\"");
    fountain->SetControlCode(true);
    fountain->SetHexPrefix("$");
    TStringList words;
    words.Add("if");
    fountain->SetReserveWordList(words);
    auto* pair = fountain->Brackets().AddBracket();
    pair->SetLeftBracket("<");
    pair->SetRightBracket(">");
    TEditorColors& c = fountain->Colors();
    EXPECT_EQ(&c.Reserve(), &fountain->Reserve());  // read through to the fountain's own

    struct ColorCase {
        std::string text;
        const TFountainColor* color;
    };
    const ColorCase cases[] = {
        {"if", &c.Reserve()},          {"abc", &c.Ank()},           {"; x", &c.Comment()},
        {Sjis("あ"), &c.DBCS()},        {Sjis("ｱ"), &c.DBCS()},       {Sjis("、"), &c.DBCS()},
        {"file:a", &c.Files()},        {"12", &c.Int()},            {"1.5", &c.Int()},
        {"$FF", &c.Int()},             {"a@b.c", &c.Mail()},        {"\"s\"", &c.Str()},
        {"#1", &c.Str()},              {"#$1", &c.Str()},           {"+", &c.Symbol()},
        {"www.x", &c.Url()},           {"<b>", &pair->ItemColor()}, {"\t", nullptr},
    };
    auto parser = Parser();
    for (const auto& cc : cases) {
        parser->StartRow(cc.text, {});
        parser->Next();
        EXPECT_EQ(parser->TokenColor(), cc.color) << cc.text;
    }
}

TEST_F(EditorFountainTest, SettingAllColoursLeavesSelectionAndHitAndNotifiesOnce)
{
    int calls = 0;
    const int key = 0;
    fountain->NotifyEventList().Add(MakeMethod(&key, 0, [&](TObject*) { ++calls; }));
    TEditorColors& c = fountain->Colors();
    c.Hit().SetBkColor(clYellow);
    calls = 0;

    fountain->SetAllBkColor(clAqua);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(c.Ank().BkColor(), clAqua);
    EXPECT_EQ(c.Reserve2().BkColor(), clAqua);
    EXPECT_EQ(c.CurLine().BkColor(), clAqua);
    EXPECT_EQ(c.Select().BkColor(), clNavy);
    EXPECT_EQ(c.Select().Color(), clWhite);
    EXPECT_EQ(c.Hit().BkColor(), clYellow);

    fountain->SetAllStyle(fsBold);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(c.Url().Style(), fsBold);
    EXPECT_EQ(c.Url().BkColor(), clAqua);  // only the style changed
    EXPECT_TRUE(c.Select().Style().Empty());
}

TEST_F(EditorFountainTest, SettersNotifyOnlyRealChanges)
{
    int calls = 0;
    const int key = 0;
    fountain->NotifyEventList().Add(MakeMethod(&key, 0, [&](TObject*) { ++calls; }));
    fountain->SetCommenter("//");
    fountain->SetCommenter("//");
    fountain->SetUrl(false);
    fountain->SetUrl(true);
    fountain->Colors().Comment().SetColor(clGreen);
    EXPECT_EQ(calls, 3);

    // Bracket colours all at once: one change of the collection.
    auto& brackets = fountain->EditorBrackets();
    brackets.AddBracket();
    brackets.AddBracket();
    calls = 0;
    brackets.SetAllColor(clRed);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(brackets.BracketItems(1)->ItemColor().Color(), clRed);
}

TEST(TEditorColors, AssignCopiesEveryColourOnce)
{
    TEditorColors source, target;
    source.Mail().SetColor(clLime);
    source.Reserve3().SetStyle(fsItalic);
    source.Select().SetBkColor(clMaroon);
    int calls = 0;
    target.OnChange = [&](TObject*) { ++calls; };
    target.Assign(source);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(target.Mail().Color(), clLime);
    EXPECT_EQ(target.Reserve3().Style(), fsItalic);
    EXPECT_EQ(target.Select().BkColor(), clMaroon);
    EXPECT_EQ(target.Select().Color(), clWhite);
}
