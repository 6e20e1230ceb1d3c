#include "editor/Fountain.h"
#include "editor/FountainParser.h"
#include "platform/Exception.h"
#include "support/Bytes.h"

#include "LexerTestSupport.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::Bytes;
using qx::test::Lex;
using qx::test::Rows;
using qx::test::Sjis;
using qx::test::Tok;
using Toks = std::vector<Tok>;

namespace {

struct Listener {
    int calls = 0;
    TObject* sender = nullptr;
    void Handler(TObject* s)
    {
        ++calls;
        sender = s;
    }
};

TFountainBracketItem* AddPair(TFountain& f, const std::string& left, const std::string& right)
{
    auto* item = f.Brackets().AddBracket();
    item->SetLeftBracket(left);
    item->SetRightBracket(right);
    return item;
}

} // namespace

TEST(TFountainParser, CutsRowsByTheFirstByteTable)
{
    auto fountain = Construct<TFountain>();
    auto parser = fountain->CreateParser();
    struct Case {
        std::string text;
        Toks tokens;
    };
    const std::string ka = Sjis("カ"), cho = Sjis("ー");
    const Case cases[] = {
        // numbers
        {"3.14", {{toFloat, "3.14"}}},
        {"3.a", {{toInteger, "3"}, {toSymbol, "."}, {toAnk, "a"}}},
        {"1e5 2E-3 4e", {{toFloat, "1e5"}, {toSymbol, " "}, {toFloat, "2E-3"}, {toSymbol, " "},
                         {toInteger, "4"}, {toAnk, "e"}}},
        {"x_1+_y", {{toAnk, "x_1"}, {toSymbol, "+"}, {toAnk, "_y"}}},
        // a tab is a token; other control bytes belong to none
        {"a\tb\x01\x1b" "c", {{toAnk, "a"}, {toTab, "\t"}, {toAnk, "b"}, {toAnk, "c"}}},
        // full-width classes and their continuations
        {Sjis("１，０００．５円"), {{toDBInt, Sjis("１，０００．５")}, {toDBKanji, Sjis("円")}}},
        {Sjis("ＡｂＣ１"), {{toDBAlph, Sjis("ＡｂＣ")}, {toDBInt, Sjis("１")}}},
        {Sjis("らーめん、"), {{toDBHira, Sjis("らーめん")}, {toDBSymbol, Sjis("、")}}},
        {ka + ka + cho, {{toDBKana, ka + ka}, {toDBSymbol, cho}}},
        {Sjis("漢字かな"), {{toDBKanji, Sjis("漢字")}, {toDBHira, Sjis("かな")}}},
        {Sjis("①Ω"), {{toDBSymbol, Sjis("①")}, {toDBSymbol, Sjis("Ω")}}},
        {Sjis("ｱｲｳ｡"), {{toKana, Sjis("ｱｲｳ")}, {toKanaSymbol, Sjis("｡")}}},
        // bytes outside every class
        {Bytes("80 A0 FD FF"), {{toSymbol, Bytes("80")}, {toSymbol, Bytes("A0")}, {toSymbol, Bytes("FD")},
                                {toSymbol, Bytes("FF")}}},
        // a zero byte inside a row does not end it
        {std::string("a\0b", 3), {{toAnk, "a"}, {toSymbol, std::string(1, '\0')}, {toAnk, "b"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Lex(*parser, c.text), c.tokens) << c.text;
}

TEST(TFountainParser, ALoneLeadByteAtTheRowEndIsAOneByteSymbol)
{
    auto fountain = Construct<TFountain>();
    auto parser = fountain->CreateParser();
    // One lead byte of each scanner's range: symbol, full-width classes, kanji.
    for (const char* lead : {"81", "82", "83", "87", "88", "E0", "FC"}) {
        const std::string text = "a" + Bytes(lead);
        EXPECT_EQ(Lex(*parser, text), (Toks{{toAnk, "a"}, {toSymbol, Bytes(lead)}})) << lead;
        // inside a run the run stops before it
        const std::string run = Sjis("漢") + Bytes(lead);
        const auto tokens = Lex(*parser, run);
        ASSERT_FALSE(tokens.empty());
        EXPECT_EQ(tokens.back(), (Tok{toSymbol, Bytes(lead)})) << lead;
    }
    const std::string lone = Bytes("82");
    parser->StartRow(lone, {});
    EXPECT_EQ(parser->Next(), toSymbol);
    EXPECT_EQ(parser->TokenLength(), 1);
    EXPECT_EQ(parser->Next(), toEof);
    EXPECT_EQ(parser->Next(), toEof);
}

TEST(TFountainParser, PositionsSkipControlBytes)
{
    auto fountain = Construct<TFountain>();
    auto parser = fountain->CreateParser();
    parser->StartRow("\x02\x03" "ab", {});
    EXPECT_EQ(parser->Next(), toAnk);
    EXPECT_EQ(parser->SourcePos(), 2);
    EXPECT_EQ(parser->TokenLength(), 2);
    EXPECT_EQ(parser->TokenString(), "ab");
}

TEST(TFountainParser, ReservedWordListsUpgradeTokensInListOrder)
{
    auto fountain = Construct<TFountain>();
    TStringList one, two, three;
    one.Add("begin");
    two.Add("begin");
    two.Add("end");
    three.Add("end");
    three.Add(Sjis("漢字"));
    three.Add("x");
    fountain->SetReserveWordList(one);
    fountain->SetReserveWordList2(two);
    fountain->SetReserveWordList3(three);
    auto parser = fountain->CreateParser();
    EXPECT_EQ(Lex(*parser, "BEGIN end " + Sjis("漢字") + " ends"),
              (Toks{{toReserve, "BEGIN"},
                    {toSymbol, " "},
                    {toReserve2, "end"},
                    {toSymbol, " "},
                    {toReserve3, Sjis("漢字")},
                    {toSymbol, " "},
                    {toAnk, "ends"}}));

    // Bracket and comment tokens never count as reserved words.
    AddPair(*fountain, "x", "x");
    EXPECT_EQ(Lex(*parser, "axx"), (Toks{{toAnk, "axx"}}));
    EXPECT_EQ(Lex(*parser, "x x"), (Toks{{toBracket, "x x"}}));
}

TEST(TFountainParser, ABracketPairOpenAcrossThreeRows)
{
    auto fountain = Construct<TFountain>();
    AddPair(*fountain, "/*", "*/");
    AddPair(*fountain, "{", "}");
    auto parser = fountain->CreateParser();
    Rows rows{{"a /* b", raEnd}, {"middle", raEnd}, {"c */ d {", raEnd}, {"e", raEof}};
    const auto states = rows.States(*parser);
    EXPECT_EQ(states[1].BracketIndex, 0);
    EXPECT_EQ(states[2].BracketIndex, 0);
    EXPECT_EQ(states[3].BracketIndex, 1);
    EXPECT_EQ(rows.LexAll(*parser), (std::vector<Toks>{
                                        {{toAnk, "a"}, {toSymbol, " "}, {toBracket, "/* b"}},
                                        {{toBracket, "middle"}},
                                        {{toBracket, "c */"}, {toSymbol, " "}, {toAnk, "d"}, {toSymbol, " "},
                                         {toBracket, "{"}},
                                        {{toBracket, "e"}},
                                    }));
    parser->StartRow("x */", states[2]);
    parser->Next();
    EXPECT_EQ(parser->BracketToken(), 0);
    EXPECT_EQ(parser->BracketIndex(), -1);
    EXPECT_EQ(parser->TokenColor(), &fountain->Brackets().BracketItems(0)->ItemColor());
}

TEST(TFountainParser, TokensCrossingAWrapAreCarriedIntoTheNextRow)
{
    auto fountain = Construct<TFountain>();
    TStringList words;
    words.Add("function");
    fountain->SetReserveWordList(words);
    AddPair(*fountain, "<<", ">>");
    auto parser = fountain->CreateParser();

    // An identifier and a number cut by the wrap: the next row's first bytes finish them.
    Rows cut{{"ab cd", raWrapped}, {"ef 3.", raWrapped}, {"25 g", raEnd}};
    auto states = cut.States(*parser);
    EXPECT_EQ(states[1].Token, toAnk);
    EXPECT_EQ(states[1].Remain, 2);
    EXPECT_EQ(states[2].Token, toFloat);
    EXPECT_EQ(states[2].Remain, 2);
    EXPECT_EQ(cut.LexAll(*parser), (std::vector<Toks>{
                                       {{toAnk, "ab"}, {toSymbol, " "}, {toAnk, "cd"}},
                                       // lexed alone, the row does not see the digits after "3."
                                       {{toAnk, "ef"}, {toSymbol, " "}, {toInteger, "3"}, {toSymbol, "."}},
                                       {{toFloat, "25"}, {toSymbol, " "}, {toAnk, "g"}},
                                   }));

    // A reserved word cut by the wrap is coloured as one on both rows.
    Rows word{{"x func", raWrapped}, {"tion y", raEnd}};
    EXPECT_EQ(word.LexAll(*parser)[1], (Toks{{toReserve, "tion"}, {toSymbol, " "}, {toAnk, "y"}}));

    // A right bracket cut by the wrap: its second half closes the pair on the next row.
    Rows bracket{{"a << b >", raWrapped}, {"> c", raEnd}};
    states = bracket.States(*parser);
    EXPECT_EQ(states[1].BracketIndex, 0);
    EXPECT_EQ(states[1].Token, toBracket);
    EXPECT_EQ(states[1].Remain, 1);
    EXPECT_EQ(bracket.LexAll(*parser)[1], (Toks{{toBracket, ">"}, {toSymbol, " "}, {toAnk, "c"}}));

    // A token that runs through a wrapped next row continues by its scanner, not by a byte count.
    Rows longRun{{"a bc", raWrapped}, {"defg", raWrapped}, {"hi j", raEnd}};
    states = longRun.States(*parser);
    EXPECT_EQ(states[1].Token, toAnk);
    EXPECT_EQ(states[1].Remain, 0);
    EXPECT_EQ(states[2].Token, toAnk);
    EXPECT_EQ(states[2].Remain, 2);
    EXPECT_EQ(longRun.LexAll(*parser)[1], (Toks{{toAnk, "defg"}}));

    // The rest of a carried token in the next row may exceed what the row state can count (255):
    // it is found again by the scanner.
    Rows wide{{"a b", raWrapped}, {std::string(300, 'c') + " d", raEnd}};
    states = wide.States(*parser);
    EXPECT_EQ(states[1].Token, toAnk);
    EXPECT_EQ(states[1].Remain, 0);
    EXPECT_EQ(wide.LexAll(*parser)[1], (Toks{{toAnk, std::string(300, 'c')}, {toSymbol, " "}, {toAnk, "d"}}));
}

TEST(TFountainParser, NextRowStateKeepsWhatNoLexerChangesAndSkipsBlankRows)
{
    auto fountain = Construct<TFountain>();
    auto parser = fountain->CreateParser();
    Rows rows{{"a", raWrapped}, {"   ", raEnd}, {"", raEnd}, {"b", raEof}};
    TRowAttributeData state;
    state.TokenState = 7;
    state.ExtraState = 9;
    state.TokenFlag = 3;
    parser->NextRowState(0, rows.list, state);
    EXPECT_EQ(state.TokenState, 7);
    EXPECT_EQ(state.ExtraState, 9);
    EXPECT_EQ(state.TokenFlag, 3);
    EXPECT_EQ(state.PrevRowAttribute, raWrapped);
    EXPECT_EQ(state.RowAttribute, raEnd);

    state.BracketIndex = 5;  // a blank row hands the state on unchanged
    parser->NextRowState(1, rows.list, state);
    parser->NextRowState(2, rows.list, state);
    EXPECT_EQ(state.BracketIndex, 5);
    EXPECT_EQ(state.TokenState, 7);
    EXPECT_EQ(state.RowAttribute, raEof);

    // ... except a token carried into it, which ends with the row's line.
    state.Token = toAnk;
    state.Remain = 4;
    parser->NextRowState(1, rows.list, state);
    EXPECT_EQ(state.Token, 0);
    EXPECT_EQ(state.Remain, 0);
    EXPECT_EQ(state.TokenState, 7);
}

TEST(TFountainParser, StaleStatesNeverReadPastTheRow)
{
    auto fountain = Construct<TFountain>();
    auto parser = fountain->CreateParser();
    TRowAttributeData state;
    state.BracketIndex = 3;  // no such pair (the pairs were removed)
    state.Token = toBracket;
    state.Remain = 50;       // longer than the row
    EXPECT_EQ(Lex(*parser, "ab", state), (Toks{{toBracket, "ab"}}));
    EXPECT_EQ(parser->TokenColor(), nullptr);
    state.Token = toDBKanji;  // a carried kind that the row does not go on with
    state.Remain = 0;
    EXPECT_EQ(Lex(*parser, "ab", state), (Toks{{toAnk, "ab"}}));
}

TEST(TFountainBracketCollection, HoldsAtMostFourteenPairs)
{
    auto fountain = Construct<TFountain>();
    for (int i = 0; i < TFountainBracketCollection::MaxBrackets; ++i) AddPair(*fountain, "(", ")");
    try {
        fountain->Brackets().Add();
        FAIL() << "a 15th pair was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "TFountainBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_EQ(fountain->Brackets().Count(), 14);

    // A pair with an empty side never opens.
    auto other = Construct<TFountain>();
    AddPair(*other, "", ")");
    AddPair(*other, "(", "");
    auto parser = other->CreateParser();
    EXPECT_EQ(Lex(*parser, "(a)"), (Toks{{toSymbol, "("}, {toAnk, "a"}, {toSymbol, ")"}}));
}

TEST(TFountain, ChangesReachEveryListenerOnce)
{
    auto fountain = Construct<TFountain>();
    Listener a, b;
    fountain->NotifyEventList().Add(MakeMethod(&a, &Listener::Handler));
    fountain->NotifyEventList().Add(MakeMethod(&b, &Listener::Handler));

    TStringList words;
    words.Add("if");
    fountain->SetReserveWordList2(words);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(a.sender, fountain.get());

    fountain->Reserve3().SetColor(clRed);
    auto* pair = AddPair(*fountain, "<", ">");
    a.calls = 0;
    pair->ItemColor().SetStyle(fsBold);
    EXPECT_EQ(a.calls, 1);

    // Assigning the brackets is one change.
    auto source = Construct<TFountain>();
    AddPair(*source, "[", "]");
    AddPair(*source, "(", ")")->ItemColor().SetBkColor(clYellow);
    a.calls = 0;
    fountain->SetBrackets(source->Brackets());
    EXPECT_EQ(a.calls, 1);
    ASSERT_EQ(fountain->Brackets().Count(), 2);
    EXPECT_EQ(fountain->Brackets().BracketItems(1)->RightBracket(), ")");
    EXPECT_EQ(fountain->Brackets().BracketItems(1)->ItemColor().BkColor(), clYellow);
}

TEST(TFountain, SetColorsAndHasItalicReachEveryPublishedColour)
{
    auto fountain = Construct<TFountain>();
    AddPair(*fountain, "(", ")");
    EXPECT_FALSE(fountain->HasItalic(fountain.get()));
    fountain->Brackets().BracketItems(0)->ItemColor().SetStyle(fsItalic | fsBold);
    EXPECT_TRUE(fountain->HasItalic(fountain.get()));

    TFountainColor color;
    color.SetBkColor(clBlue);
    color.SetColor(clRed);
    color.SetStyle(fsUnderline);
    TFountain::SetColors(fountain.get(), color, 1 | 4);
    for (TFountainColor* c : {&fountain->Reserve(), &fountain->Reserve2(), &fountain->Reserve3(),
                              &fountain->Brackets().BracketItems(0)->ItemColor()}) {
        EXPECT_EQ(c->BkColor(), clBlue);
        EXPECT_EQ(c->Color(), clNone);  // flag 2 not given
        EXPECT_EQ(c->Style(), fsUnderline);
    }
    EXPECT_FALSE(fountain->HasItalic(fountain.get()));
}

TEST(TFountainParser, NeedsAFountain)
{
    try {
        TFountainParser parser(nullptr);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "TFountainParser.Create need instance of TFountain");
    }
}
