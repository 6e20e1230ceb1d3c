#pragma once
// The pattern reader of the regular-expression engine: Shift-JIS characters as 16-bit codes, the
// pattern error ERegExpParser, and TREScanner, which cuts a pattern into tokens outside and inside
// character classes. The parser and the pre-processor read patterns through it.

#include "platform/Exception.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// A bad pattern: the message and the 1-based byte position in the pattern where it was found.
class ERegExpParser : public Exception {
public:
    ERegExpParser(const std::string& Message, int ErrorPos) : Exception(Message), ErrorPos(ErrorPos) {}
    int ErrorPos;
};

// A character: a single byte is its value, a double-byte character lead * 256 + trail.
using WChar_t = std::uint16_t;

// Token codes; the parser and the pre-processor test these values.
enum REToken_t : int {
    retk_Char = 0,
    retk_CharRange = 1,
    retk_Union = 2,
    retk_LPar = 3,
    retk_RPar = 4,
    retk_Star = 5,
    retk_Plus = 6,
    retk_QMark = 7,
    retk_LBra = 8,
    retk_LBraNegative = 9,
    retk_RBra = 10,
    retk_Dot = 11,
    retk_LHead = 12,
    retk_LTail = 13,
    retk_End = 14,
};

// Reads the character at Pos (0-based) and advances past it; 0 at the end, without advancing. A lead
// byte that ends the pattern is read as a single byte.
WChar_t GetWChar(std::string_view Pattern, std::size_t& Pos);
// Steps Pos back over one character, deciding a double-byte character by the parity of the run of
// lead-byte-like bytes before it; never below 0.
void UngetWChar(std::string_view Pattern, std::size_t& Pos);
// The bytes of a code: two when its high byte is a lead byte, else the low byte.
std::string WCharToStr(WChar_t Code);
// Puts a backslash before each of the twelve metacharacters ^ ( | ) + * ? . [ ] $ \.
std::string QuoteMetaChars(std::string_view S);

class TREScanner {
public:
    explicit TREScanner(std::string_view Pattern = {}) { SetPattern(Pattern); }
    virtual ~TREScanner() = default;

    void SetPattern(std::string_view Pattern);
    const std::string& Pattern() const { return FPattern; }
    // 0-based offset of the next unread byte.
    std::size_t Position() const { return FPos; }

    // Reads the next token; Char (and CharEnd for a range) describe it.
    REToken_t GetToken();
    REToken_t Token() const { return FToken; }
    WChar_t Char() const { return FChar; }
    WChar_t CharEnd() const { return FCharEnd; }
    bool InClass() const { return FInClass; }

protected:
    virtual REToken_t GetTokenStd();
    virtual REToken_t GetTokenInClass();

    bool AtEnd() const { return FPos >= FPattern.size(); }
    // The next character; a lead byte that ends the pattern is an error.
    WChar_t ReadChar();
    // The escaped character after a backslash.
    WChar_t ReadEscape();
    [[noreturn]] void Fail(const std::string& Message) const;

    std::string FPattern;
    std::size_t FPos = 0;
    REToken_t FToken = retk_End;
    WChar_t FChar = 0;
    WChar_t FCharEnd = 0;
    bool FInClass = false;
};

// The scanner's message texts (other stages raise some of them too).
namespace REMsg {
inline constexpr const char* BadDBCS = "不正な２バイト文字コードです。";
inline constexpr const char* NeedCharAfterYen = "\"\\\"の次には文字が必要です。";
inline constexpr const char* BadHex = "不正な１６進数コード表記です。";
inline constexpr const char* BadOctal = "不正な８進数コード表記です。";
inline constexpr const char* NeedRBra = "右ブラケット\"]\"が必要です";
inline constexpr const char* BadRange = "不正なキャラクタ範囲です";
inline constexpr const char* NeedRPar = "右(閉じ)括弧が必要です";
inline constexpr const char* NeedPrimary = "普通の文字、または左括弧\"(\"が必要です";
inline constexpr const char* BadClass = "不正なキャラクタクラス指定です。";
inline constexpr const char* ExtraChars = "正規表現に余分な文字があります";
} // namespace REMsg

} // namespace qx
