#pragma once
// The table-driven lexer of a fountain: it cuts one row of Shift-JIS text into tokens of byte-coded
// kinds and carries its state (an open bracket pair, a token that crosses a wrapped row) from row to
// row through the row store's per-row state. Parsers are short-lived: made for a paint or a state pass.

#include "editor/Fountain.h"
#include "editor/RowAttributes.h"
#include "platform/LeadByte.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// Token kinds, shared with the painter and the token lookup.
constexpr int toEof = 0;             // end of the row
constexpr int toSymbol = 1;          // any other single byte
constexpr int toInteger = 3;
constexpr int toFloat = 4;
constexpr int toBracket = 6;         // text inside an open bracket pair, through its right bracket
constexpr int toComment = 7;
constexpr int toReserve = 8;         // word of ReserveWordList
constexpr int toTab = 9;
constexpr int toAnk = 11;            // identifier
constexpr int toDBSymbol = 12;       // full-width character of no class below
constexpr int toDBInt = 14;          // full-width digits
constexpr int toDBAlph = 15;         // full-width Latin letters
constexpr int toDBHira = 16;         // hiragana
constexpr int toDBKana = 17;         // katakana
constexpr int toDBKanji = 18;
constexpr int toKanaSymbol = 19;     // half-width katakana punctuation
constexpr int toKana = 20;           // half-width katakana
constexpr int toUrl = 21;
constexpr int toMail = 22;
constexpr int toHex = 23;            // hexadecimal number after a hex prefix
constexpr int toSingleQuotation = 24;
constexpr int toDoubleQuotation = 25;
constexpr int toQuotation = 26;      // quotation of the editor fountain
constexpr int toControlCode = 27;    // "#" and decimal digits
constexpr int toHexControlCode = 28; // "#$" and hexadecimal digits
constexpr int toFile = 30;
constexpr int toReserve2 = 31;       // word of ReserveWordList2
constexpr int toReserve3 = 32;       // word of ReserveWordList3

class TFountainParser : public TObject {
public:
    // Raises Exception when Fountain is null.
    explicit TFountainParser(TFountain* Fountain);

    TFountain* Fountain() const { return FFountain; }

    // Sets the parser on a row text with the state at the row's start (a bracket index of -2 reads as
    // no state). The text must outlive the tokens read from it.
    virtual void StartRow(std::string_view Text, const TRowAttributeData& State);
    // Scans the next token and returns its kind; toEof at the end of the row (and again after it).
    int Next();

    int Token() const { return FToken; }
    std::string_view TokenString() const { return FText.substr(FTokenStart, FP - FTokenStart); }
    int SourcePos() const { return static_cast<int>(FTokenStart); }
    int TokenLength() const { return static_cast<int>(FP - FTokenStart); }
    // The open bracket pair (-1: none) and the pair of the last bracket token.
    int BracketIndex() const { return FBracketIndex; }
    int BracketToken() const { return FBracketToken; }
    // The current token was carried over from the row before.
    bool Continued() const { return FContinued; }

    // Whether the current token's text is in the respective reserved-word list.
    bool IsReserveWord() const;
    bool IsReserveWord2() const;
    bool IsReserveWord3() const;
    // The colour of the current token: the reserved-word colours and the bracket pairs' colours; null
    // when the editor's own colour applies.
    virtual const TFountainColor* TokenColor() const;

    // The current token's kind as colouring and the row state see it: toReserve, toReserve2 or
    // toReserve3 when its text is in those lists (tested in that order), except for end, bracket and
    // comment tokens and for tokens carried over from the row before.
    int ReserveWordToken() const;

    // State holds the state at the start of row Row of Rows; on return it holds the state at the
    // start of the next row (with RowAttribute the next row's attribute when there is one).
    void NextRowState(int Row, const TRowAttributeStringList& Rows, TRowAttributeData& State);

protected:
    using TScanProc = void (TFountainParser::*)();
    using TScanTable = std::array<TScanProc, 256>;

    // The scanner of each first byte and of each carried token kind; built once per parser class.
    static const TScanTable& MethodTable();
    virtual const TScanTable& ContinuedTable() const;
    static TScanTable BaseContinuedTable();
    // Chooses and runs the scanner of a token that is neither carried nor inside a bracket pair.
    virtual void Dispatch();
    // Kinds that carry themselves into the next row without a byte count (comments, quotations).
    virtual bool ContinuesByItself(int Kind) const;

    // Opens the first bracket pair whose left bracket stands at the position and scans its body.
    bool TryBracket();
    void DispatchByte() { (this->*MethodTable()[Byte(FP)])(); }

    unsigned char Byte(std::size_t I) const { return I < FText.size() ? static_cast<unsigned char>(FText[I]) : 0; }
    bool AtEnd() const { return FP >= FText.size(); }
    // A lead byte with a byte after it; a lead byte that ends the row is a one-byte symbol.
    bool DoubleByteAt(std::size_t I) const { return I + 1 < FText.size() && IsDBCSLeadByte(FText[I]); }
    unsigned CodeAt(std::size_t I) const { return (Byte(I) << 8) | Byte(I + 1); }
    void StepChar() { FP += DoubleByteAt(FP) ? 2 : 1; }
    bool StartsWith(std::string_view S) const { return !S.empty() && FText.substr(FP, S.size()) == S; }
    // Advances over bytes for which In(byte) holds, stepping over double-byte characters whole.
    template <class Pred>
    void RunWhile(Pred In)
    {
        while (!AtEnd() && In(Byte(FP))) StepChar();
    }
    // Advances past the closing Quote (a doubled Quote stays inside) or to the end of the row.
    void RunToQuote(char Quote);
    // A quotation token of Kind closed by Quote; the character is carried with the token into the
    // next row.
    void ScanQuotationBody(char Quote, int Kind);

    // Scanners: each sets FToken and advances FP.
    void ScanSymbol();
    void ScanTab();
    void ScanLF();
    void ScanCR();
    void ScanNumber();
    void ScanIdentifier();
    void ScanDBSymbol();
    void ScanFullWidth();
    void ScanFullWidthContinued();
    void ScanKanji();
    void ScanKanjiContinued();
    void ScanKanaSymbol();
    void ScanKana();
    void ScanHalfWidthKanaContinued();
    void ScanBracketBody();
    void ScanComment();
    void ScanReserveWordContinued();
    void ScanUrlBody();
    void ScanMailBody();
    void ScanHexBody();
    void ScanFileBody();
    void ScanSingleQuotation();
    void ScanDoubleQuotation();

    std::string_view FText;
    std::size_t FP = 0;
    std::size_t FTokenStart = 0;
    int FToken = toEof;
    int FBracketIndex = -1;
    int FBracketToken = -1;
    int FContinuedToken = 0;
    int FRemain = 0;
    bool FContinued = false;
    char FQuote = 0;  // the closing character of the current quotation token
    // A carried quotation keeps its closing character in the row state's string, twice when the wrap
    // cut a doubled closing character in two: the row then begins with the second half, inside.
    bool FStartsInDoubledQuote = false;
    bool FDoubledQuoteCut = false;                    // the current token's doubled quote spans FRowEnd
    std::size_t FRowEnd = std::string_view::npos;  // NextRowState: the end of the row in the joined text

private:
    bool ValidBracket(int Index) const;
    bool InReserveList(int List) const;

    TFountain* FFountain;
    std::string FJoined;  // the row and its wrapped continuation, for NextRowState
};

} // namespace qx
