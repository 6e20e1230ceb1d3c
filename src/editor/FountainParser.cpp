#include "editor/FountainParser.h"

#include "editor/TokenChars.h"
#include "platform/Exception.h"

#include <algorithm>

namespace qx {

namespace {

bool IsKanjiLead(unsigned char c) { return (c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The full-width class of a double-byte character (toDBSymbol when it has none).
int FullWidthClass(unsigned code)
{
    if (code >= 0x824F && code <= 0x8258) return toDBInt;
    if ((code >= 0x8260 && code <= 0x8279) || (code >= 0x8281 && code <= 0x829A)) return toDBAlph;
    if (code >= 0x829F && code <= 0x82F1) return toDBHira;
    if (code >= 0x8340 && code <= 0x8396) return toDBKana;
    return toDBSymbol;
}

// Whether a run of full-width class Kind goes on over the character Code: digits over the full-width
// comma and full stop, hiragana over the prolonged sound marks.
bool ContinuesFullWidth(int Kind, unsigned Code)
{
    if (FullWidthClass(Code) == Kind) return true;
    if (Kind == toDBInt) return Code == 0x8143 || Code == 0x8144;
    if (Kind == toDBHira) return Code == 0x815B || Code == 0x817C;
    return false;
}

} // namespace

TFountainParser::TFountainParser(TFountain* Fountain) : FFountain(Fountain)
{
    if (!Fountain) throw Exception("TFountainParser.Create need instance of TFountain");
}

const TFountainParser::TScanTable& TFountainParser::MethodTable()
{
    static const TScanTable table = [] {
        TScanTable t;
        t.fill(&TFountainParser::ScanSymbol);  // a zero byte inside a row is a symbol too
        t[9] = &TFountainParser::ScanTab;
        t[10] = &TFountainParser::ScanLF;
        t[13] = &TFountainParser::ScanCR;
        for (int c = '0'; c <= '9'; ++c) t[c] = &TFountainParser::ScanNumber;
        for (int c = 0; c < 256; ++c)
            if (IsAsciiLetter(static_cast<unsigned char>(c))) t[c] = &TFountainParser::ScanIdentifier;
        t['_'] = &TFountainParser::ScanIdentifier;
        t[0x81] = &TFountainParser::ScanDBSymbol;
        for (int c = 0x84; c <= 0x87; ++c) t[c] = &TFountainParser::ScanDBSymbol;
        t[0x82] = t[0x83] = &TFountainParser::ScanFullWidth;
        for (int c = 0; c < 256; ++c)
            if (IsKanjiLead(static_cast<unsigned char>(c))) t[c] = &TFountainParser::ScanKanji;
        for (int c = 0xA1; c <= 0xA5; ++c) t[c] = &TFountainParser::ScanKanaSymbol;
        for (int c = 0xA6; c <= 0xDF; ++c) t[c] = &TFountainParser::ScanKana;
        return t;
    }();
    return table;
}

TFountainParser::TScanTable TFountainParser::BaseContinuedTable()
{
    TScanTable t;
    t.fill(&TFountainParser::ScanSymbol);
    t[toInteger] = t[toFloat] = &TFountainParser::ScanNumber;
    t[toBracket] = &TFountainParser::ScanBracketBody;
    t[toComment] = &TFountainParser::ScanComment;
    t[toReserve] = t[toReserve2] = t[toReserve3] = &TFountainParser::ScanReserveWordContinued;
    t[toAnk] = &TFountainParser::ScanIdentifier;
    t[toDBSymbol] = &TFountainParser::ScanDBSymbol;
    for (int k = toDBInt; k <= toDBKana; ++k) t[k] = &TFountainParser::ScanFullWidthContinued;
    t[toDBKanji] = &TFountainParser::ScanKanjiContinued;
    t[toKanaSymbol] = t[toKana] = &TFountainParser::ScanHalfWidthKanaContinued;
    t[toUrl] = &TFountainParser::ScanUrlBody;
    t[toMail] = &TFountainParser::ScanMailBody;
    t[toHex] = &TFountainParser::ScanHexBody;
    t[toSingleQuotation] = &TFountainParser::ScanSingleQuotation;
    t[toDoubleQuotation] = &TFountainParser::ScanDoubleQuotation;
    t[toFile] = &TFountainParser::ScanFileBody;
    return t;
}

const TFountainParser::TScanTable& TFountainParser::ContinuedTable() const
{
    static const TScanTable table = BaseContinuedTable();
    return table;
}

bool TFountainParser::ContinuesByItself(int Kind) const
{
    return Kind == toComment || Kind == toSingleQuotation || Kind == toDoubleQuotation;
}

void TFountainParser::StartRow(std::string_view Text, const TRowAttributeData& State)
{
    FText = Text;
    FP = FTokenStart = 0;
    FToken = toEof;
    FBracketIndex = State.BracketIndex == biNotComputed ? biNone : State.BracketIndex;
    FBracketToken = -1;
    FContinuedToken = State.Token;
    FRemain = std::max(0, State.Remain);
    FContinued = false;
    FQuote = State.DataStr.empty() ? 0 : State.DataStr[0];
    FStartsInDoubledQuote = State.DataStr.size() > 1;
    FRowEnd = std::string_view::npos;
}

int TFountainParser::Next()
{
    while (!AtEnd()) {  // control bytes other than tab, CR and LF belong to no token
        const unsigned char c = Byte(FP);
        if (c == 0 || c >= 32 || c == 9 || c == 10 || c == 13) break;
        ++FP;
    }
    FTokenStart = FP;
    FContinued = false;
    if (AtEnd()) return FToken = toEof;
    const char quote = FQuote;  // the closing character of a carried quotation
    const bool inDoubledQuote = FStartsInDoubledQuote;
    FQuote = 0;
    FStartsInDoubledQuote = FDoubledQuoteCut = false;

    if (FContinuedToken != 0) {
        const int kind = FContinuedToken;
        FContinued = true;
        if (FRemain > 0) {
            FP = std::min(FText.size(), FP + static_cast<std::size_t>(FRemain));
            FToken = kind;
            if (kind == toBracket) {
                FBracketToken = FBracketIndex;
                FBracketIndex = biNone;
            }
        } else {
            FQuote = quote;  // a carried quotation closes with its own character
            if (inDoubledQuote && quote != 0 && FText[FP] == quote) ++FP;  // not its closing character
            (this->*ContinuedTable()[kind])();
        }
        FContinuedToken = 0;
        FRemain = 0;
        if (FP > FTokenStart) return FToken;
        FContinued = false;  // the row does not go on with the carried kind: scan it afresh
    }
    if (FBracketIndex >= 0 && ValidBracket(FBracketIndex))
        ScanBracketBody();
    else {
        FBracketIndex = biNone;
        Dispatch();
    }
    return FToken;
}

void TFountainParser::Dispatch()
{
    if (!TryBracket()) DispatchByte();
}

bool TFountainParser::ValidBracket(int Index) const
{
    auto& brackets = FFountain->Brackets();
    if (Index < 0 || Index >= brackets.Count()) return false;
    const TFountainBracketItem* item = brackets.BracketItems(Index);
    return !item->LeftBracket().empty() && !item->RightBracket().empty();
}

bool TFountainParser::TryBracket()
{
    auto& brackets = FFountain->Brackets();
    for (int i = 0; i < brackets.Count(); ++i) {
        // A pair with an empty side never opens: it would match everywhere or never close.
        if (!ValidBracket(i) || !StartsWith(brackets.BracketItems(i)->LeftBracket())) continue;
        FP += brackets.BracketItems(i)->LeftBracket().size();
        FBracketIndex = i;
        ScanBracketBody();
        return true;
    }
    return false;
}

void TFountainParser::ScanBracketBody()
{
    FToken = toBracket;
    if (!ValidBracket(FBracketIndex)) {  // a stale state: nothing of the row is inside a pair
        FBracketIndex = biNone;
        return;
    }
    FBracketToken = FBracketIndex;
    const std::string& right = FFountain->Brackets().BracketItems(FBracketIndex)->RightBracket();
    while (!AtEnd()) {
        if (StartsWith(right)) {
            FP += right.size();
            FBracketIndex = biNone;
            return;
        }
        StepChar();
    }
}

void TFountainParser::ScanSymbol()
{
    FToken = toSymbol;
    ++FP;
}

void TFountainParser::ScanTab()
{
    FToken = toTab;
    ++FP;
}

void TFountainParser::ScanLF()
{
    FToken = toEof;
    ++FP;
}

void TFountainParser::ScanCR()
{
    FToken = toEof;
    ++FP;
    if (Byte(FP) == 10) ++FP;
}

void TFountainParser::ScanNumber()
{
    FToken = toInteger;
    while (IsAsciiDigit(Byte(FP))) ++FP;
    if (Byte(FP) == '.' && IsAsciiDigit(Byte(FP + 1))) {
        FP += 2;
        while (IsAsciiDigit(Byte(FP))) ++FP;
        FToken = toFloat;
    }
    if (Byte(FP) == 'E' || Byte(FP) == 'e') {
        std::size_t i = FP + 1;
        if (Byte(i) == '+' || Byte(i) == '-') ++i;
        if (IsAsciiDigit(Byte(i))) {
            FP = i;
            while (IsAsciiDigit(Byte(FP))) ++FP;
            FToken = toFloat;
        }
    }
}

void TFountainParser::ScanIdentifier()
{
    FToken = toAnk;
    while (IsIdentChar(Byte(FP))) ++FP;
}

void TFountainParser::ScanReserveWordContinued()
{
    ScanIdentifier();
    FToken = FContinuedToken;
}

void TFountainParser::ScanDBSymbol()
{
    if (!DoubleByteAt(FP)) return ScanSymbol();
    FToken = toDBSymbol;
    FP += 2;
}

void TFountainParser::ScanFullWidth()
{
    if (!DoubleByteAt(FP)) return ScanSymbol();
    FToken = FullWidthClass(CodeAt(FP));
    FP += 2;
    if (FToken == toDBSymbol) return;
    while (DoubleByteAt(FP) && ContinuesFullWidth(FToken, CodeAt(FP))) FP += 2;
}

void TFountainParser::ScanFullWidthContinued()
{
    FToken = FContinuedToken;
    while (DoubleByteAt(FP) && ContinuesFullWidth(FToken, CodeAt(FP))) FP += 2;
}

void TFountainParser::ScanKanji()
{
    if (!DoubleByteAt(FP)) return ScanSymbol();
    ScanKanjiContinued();
}

void TFountainParser::ScanKanjiContinued()
{
    FToken = toDBKanji;
    while (DoubleByteAt(FP) && IsKanjiLead(Byte(FP))) FP += 2;
}

void TFountainParser::ScanKanaSymbol()
{
    FToken = toKanaSymbol;
    ++FP;
}

void TFountainParser::ScanKana()
{
    FToken = toKana;
    while (Byte(FP) >= 0xA6 && Byte(FP) <= 0xDF) ++FP;
}

void TFountainParser::ScanHalfWidthKanaContinued()
{
    const unsigned char c = Byte(FP);
    if (c >= 0xA1 && c <= 0xA5) ScanKanaSymbol();
    else ScanKana();
}

void TFountainParser::ScanComment()
{
    FToken = toComment;
    FP = FText.size();
}

void TFountainParser::ScanUrlBody()
{
    FToken = toUrl;
    RunWhile(IsUrlChar);
}

void TFountainParser::ScanMailBody()
{
    FToken = toMail;
    RunWhile(IsMailChar);
}

void TFountainParser::ScanHexBody()
{
    FToken = toHex;
    RunWhile(IsHexDigitChar);
}

void TFountainParser::ScanFileBody()
{
    FToken = toFile;
    RunWhile(IsFileChar);
}

void TFountainParser::ScanQuotationBody(char Quote, int Kind)
{
    FToken = Kind;
    FQuote = Quote;
    RunToQuote(Quote);
}

void TFountainParser::RunToQuote(char Quote)
{
    while (!AtEnd()) {
        if (FText[FP] == Quote) {
            if (Byte(FP + 1) == static_cast<unsigned char>(Quote) && FP + 1 < FText.size()) {
                if (FP + 1 == FRowEnd) FDoubledQuoteCut = true;
                FP += 2;  // a doubled quote stays inside
                continue;
            }
            ++FP;
            return;
        }
        StepChar();
    }
}

void TFountainParser::ScanSingleQuotation() { ScanQuotationBody('\'', toSingleQuotation); }

void TFountainParser::ScanDoubleQuotation() { ScanQuotationBody('"', toDoubleQuotation); }

bool TFountainParser::InReserveList(int List) const
{
    const TStringList& list = List == 1   ? FFountain->ReserveWordList()
                              : List == 2 ? FFountain->ReserveWordList2()
                                          : FFountain->ReserveWordList3();
    int index;
    return !list.Empty() && list.Find(TokenString(), index);
}

bool TFountainParser::IsReserveWord() const { return InReserveList(1); }
bool TFountainParser::IsReserveWord2() const { return InReserveList(2); }
bool TFountainParser::IsReserveWord3() const { return InReserveList(3); }

int TFountainParser::ReserveWordToken() const
{
    if (FToken == toEof || FToken == toBracket || FToken == toComment || FContinued) return FToken;
    if (IsReserveWord()) return toReserve;
    if (IsReserveWord2()) return toReserve2;
    if (IsReserveWord3()) return toReserve3;
    return FToken;
}

const TFountainColor* TFountainParser::TokenColor() const
{
    switch (ReserveWordToken()) {
    case toReserve: return &FFountain->Reserve();
    case toReserve2: return &FFountain->Reserve2();
    case toReserve3: return &FFountain->Reserve3();
    case toBracket:
        return ValidBracket(FBracketToken) ? &FFountain->Brackets().BracketItems(FBracketToken)->ItemColor()
                                           : nullptr;
    default: return nullptr;
    }
}

void TFountainParser::NextRowState(int Row, const TRowAttributeStringList& Rows, TRowAttributeData& State)
{
    const int attribute = Rows.RowAttributes(Row);
    const bool wrapped = attribute == raWrapped && Row + 1 < Rows.Count();
    State.PrevRowAttribute = static_cast<std::uint8_t>(attribute);
    State.RowAttribute = static_cast<std::uint8_t>(Row + 1 < Rows.Count() ? Rows.RowAttributes(Row + 1) : 0);

    // A comment runs to the end of its line: it goes on only into the next row of a wrapped line.
    if (State.Token == toComment) {
        if (!wrapped) {
            State.Token = 0;
            State.Remain = 0;
            State.DataStr.clear();
        }
        return;
    }
    const std::string_view row = Rows.Get(Row);
    // A blank row hands the state on unchanged, unless a token is carried into it: that token must
    // end with the row's line, so the row is lexed.
    if (State.Token == 0 && row.find_first_not_of(' ') == std::string_view::npos) return;

    // A token that crosses the wrap is seen whole in the row joined with its continuation.
    std::string_view text = row;
    if (wrapped) {
        FJoined.assign(row);
        FJoined.append(Rows.Get(Row + 1));
        text = FJoined;
    }
    StartRow(text, State);
    FRowEnd = row.size();
    if (State.BracketIndex == biNotComputed) State.BracketIndex = biNone;
    bool beyond = false;
    while (Next() != toEof) {
        if (FTokenStart >= row.size()) break;  // the next row's own token
        State.BracketIndex = FBracketIndex;
        if (FP > row.size()) {
            beyond = true;
            break;
        }
        if (FP == row.size()) break;
    }
    State.Token = 0;
    State.Remain = 0;
    State.DataStr.clear();
    if (!beyond) return;

    const std::size_t inNextRow = FP - row.size();
    if (FToken == toBracket) {
        // The next row starts inside the pair; when only part of the right bracket stands in it, that
        // part is carried as the rest of this token.
        State.BracketIndex = FBracketToken;
        if (FBracketIndex == biNone && ValidBracket(FBracketToken) &&
            inNextRow < FFountain->Brackets().BracketItems(FBracketToken)->RightBracket().size()) {
            State.Token = toBracket;
            State.Remain = static_cast<std::int32_t>(inNextRow);
        }
        return;
    }
    State.Token = static_cast<std::uint8_t>(ReserveWordToken());
    if (FQuote != 0) State.DataStr.assign(FDoubledQuoteCut ? 2 : 1, FQuote);
    if (ContinuesByItself(FToken)) return;
    const bool runsToTheEnd = FP == text.size();
    const bool nextWrapped = Row + 2 < Rows.Count() && Rows.RowAttributes(Row + 1) == raWrapped;
    // The row state holds at most 255 bytes; a longer rest is found again by the kind's scanner.
    if (!(runsToTheEnd && nextWrapped) && inNextRow <= 255) State.Remain = static_cast<std::int32_t>(inNextRow);
}

} // namespace qx
