#include "documents/DocumentCodes.h"


namespace qx {

int CharTypeOfChoice(int Choice, int Current)
{
    switch (Choice) {
    case ocSjis: return sfctSJIS;
    case ocEuc: return sfctEUC;
    case ocJis: return sfctJIS;
    case ocUtf16LE: return sfctUnicode;
    case ocUtf16BE: return sfctUnicodeBig;
    case ocUtf8: return sfctUTF8;
    default: return Current;
    }
}

int OpenCodeOfCharType(int CharType)
{
    switch (CharType) {
    case sfctJIS: return ocJis;
    case sfctEUC: return ocEuc;
    case sfctUnicode: return ocUtf16LE;
    case sfctUnicodeBig: return ocUtf16BE;
    case sfctUTF8: return ocUtf8;
    default: return ocSjis;
    }
}

int RtrnTypeOfChoice(int Choice, int Current)
{
    switch (Choice) {
    case lcCRLF: return sfrtCRLF;
    case lcLF: return sfrtLF;
    case lcCR: return sfrtCR;
    default: return Current;
    }
}

std::string_view CharTypeName(int CharType)
{
    static constexpr std::string_view Names[] = {"JIS", "EUC", "SJIS", "Unicode", "Unicode(B)", "UTF-8"};
    return CharType >= 0 && CharType < 6 ? Names[CharType] : std::string_view();
}

std::string_view RtrnTypeName(int RtrnType)
{
    static constexpr std::string_view Names[] = {"CR", "LF", "CR+LF"};
    return RtrnType >= 0 && RtrnType < 3 ? Names[RtrnType] : std::string_view();
}

int DetectLineEnd(std::string_view Text)
{
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\n') return 3;
        if (Text[I] == '\r') return I + 1 < Text.size() && Text[I + 1] == '\n' ? 1 : 2;
    }
    return 0;
}

int RtrnTypeOfLineEnd(int LineEnd)
{
    return LineEnd == 2 ? sfrtCR : LineEnd == 3 ? sfrtLF : sfrtCRLF;
}

} // namespace qx
