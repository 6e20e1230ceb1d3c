#include "regexp/REScanner.h"

#include "platform/LeadByte.h"

namespace qx {

WChar_t GetWChar(std::string_view Pattern, std::size_t& Pos)
{
    if (Pos >= Pattern.size()) return 0;
    const auto b = static_cast<unsigned char>(Pattern[Pos]);
    if (IsDBCSLeadByte(b) && Pos + 1 < Pattern.size()) {
        const auto t = static_cast<unsigned char>(Pattern[Pos + 1]);
        Pos += 2;
        return static_cast<WChar_t>(b << 8 | t);
    }
    ++Pos;
    return b;
}

void UngetWChar(std::string_view Pattern, std::size_t& Pos)
{
    if (Pos == 0) return;
    if (Pos > Pattern.size()) Pos = Pattern.size();
    // The bytes before the run of lead-byte-like bytes end a character, so an even run before the
    // last byte means that byte and the one before it form one double-byte character.
    std::size_t run = 0;
    while (Pos - 1 > run && IsDBCSLeadByte(Pattern[Pos - 2 - run])) ++run;
    Pos -= (Pos >= 2 && run % 2 == 1) ? 2 : 1;
}

std::string WCharToStr(WChar_t Code)
{
    std::string s;
    if (IsDBCSLeadByte(static_cast<unsigned char>(Code >> 8))) s.push_back(static_cast<char>(Code >> 8));
    s.push_back(static_cast<char>(Code & 0xFF));
    return s;
}

std::string QuoteMetaChars(std::string_view S)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < S.size()) {
        const std::size_t start = pos;
        const WChar_t c = GetWChar(S, pos);
        switch (c) {
        case '^': case '(': case '|': case ')': case '+': case '*':
        case '?': case '.': case '[': case ']': case '$': case '\\':
            out.push_back('\\');
            break;
        default:
            break;
        }
        out.append(S.substr(start, pos - start));
    }
    return out;
}

void TREScanner::SetPattern(std::string_view Pattern)
{
    FPattern.assign(Pattern);
    FPos = 0;
    FInClass = false;
}

void TREScanner::Fail(const std::string& Message) const
{
    throw ERegExpParser(Message, static_cast<int>(FPos) + 1);
}

WChar_t TREScanner::ReadChar()
{
    if (FPos + 1 == FPattern.size() && IsDBCSLeadByte(FPattern[FPos])) {
        ++FPos;
        Fail(REMsg::BadDBCS);
    }
    return GetWChar(FPattern, FPos);
}

namespace {
int HexValue(WChar_t c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
} // namespace

WChar_t TREScanner::ReadEscape()
{
    if (AtEnd()) Fail(REMsg::NeedCharAfterYen);
    const WChar_t c = ReadChar();
    switch (c) {
    case 'b': return 8;
    case 'r': return 13;
    case 'n': return 10;
    case 't': return 9;
    case 'x': {
        unsigned code = 0;
        int digits = 0;
        while (digits < 4 && !AtEnd()) {
            const std::size_t before = FPos;
            const int v = HexValue(ReadChar());
            if (v < 0) {
                FPos = before;
                break;
            }
            code = code * 16 + static_cast<unsigned>(v);
            ++digits;
        }
        if (digits == 0) Fail(REMsg::BadHex);
        return static_cast<WChar_t>(code);
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        UngetWChar(FPattern, FPos);
        unsigned code = 0;
        int digits = 0;
        while (digits < 6 && !AtEnd()) {
            const std::size_t before = FPos;
            const WChar_t d = ReadChar();
            if (d < '0' || d > '7') {
                FPos = before;
                break;
            }
            code = code * 8 + (d - '0');
            ++digits;
        }
        if (digits == 0 || code > 0xFFFF) Fail(REMsg::BadOctal);
        return static_cast<WChar_t>(code);
    }
    return c;
}

REToken_t TREScanner::GetToken()
{
    if (!FInClass) {
        FToken = GetTokenStd();
        if (FToken == retk_LBra || FToken == retk_LBraNegative) FInClass = true;
    } else {
        try {
            FToken = GetTokenInClass();
        } catch (...) {
            FInClass = false;
            throw;
        }
        if (FToken == retk_RBra) FInClass = false;
    }
    return FToken;
}

REToken_t TREScanner::GetTokenStd()
{
    if (AtEnd()) {
        FChar = 0;
        return retk_End;
    }
    const WChar_t c = ReadChar();
    FChar = c;
    switch (c) {
    case '$': return retk_LTail;
    case '(': return retk_LPar;
    case ')': return retk_RPar;
    case '*': return retk_Star;
    case '+': return retk_Plus;
    case '.': return retk_Dot;
    case '?': return retk_QMark;
    case '|': return retk_Union;
    case ']': return retk_RBra;
    case '^': return retk_LHead;
    case '[': {
        if (AtEnd()) Fail(REMsg::NeedRBra);
        const WChar_t next = ReadChar();
        if (next == '^') return retk_LBraNegative;
        UngetWChar(FPattern, FPos);
        return retk_LBra;
    }
    case '\\':
        FChar = ReadEscape();
        return retk_Char;
    default:
        return retk_Char;
    }
}

REToken_t TREScanner::GetTokenInClass()
{
    if (AtEnd()) Fail(REMsg::NeedRBra);
    WChar_t first = ReadChar();
    if (first == ']') {
        FChar = first;
        return retk_RBra;
    }
    if (first == '\\') first = ReadEscape();
    FChar = first;
    const std::size_t afterFirst = FPos;
    if (AtEnd()) Fail(REMsg::NeedRBra);
    const WChar_t next = ReadChar();
    if (next != '-') {
        FPos = afterFirst;
        return retk_Char;
    }
    if (AtEnd()) Fail(REMsg::NeedRBra);
    WChar_t last = ReadChar();
    if (last == ']') {
        FPos = afterFirst; // the '-' is an ordinary character of the class
        return retk_Char;
    }
    if (last == '\\') last = ReadEscape();
    if (last < first) Fail(REMsg::BadRange);
    FCharEnd = last;
    return retk_CharRange;
}

} // namespace qx
