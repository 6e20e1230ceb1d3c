#pragma once
// Detection of the Japanese byte encoding of a text (JIS, EUC, Shift-JIS) and conversion of whole texts
// between JIS (ISO-2022-JP style, with escape sequences), EUC-JP and Shift-JIS. All functions are pure
// and take byte strings of known length; none reads past the end of its input.
//
// Shift-JIS here is code page 932, so a text may hold characters that JIS X 0208 has no place for. The
// converters to JIS and EUC treat them so that no byte outside the target's ranges is ever written:
//  - IBM extensions (lead 0xFA..0xFC) are written as their NEC-selected or NEC row 13 equivalents, the
//    code page's lowest code for the same character (as nkf does);
//  - user-defined characters (lead 0xF0..0xF9) go to the user area of JIS and EUC, rows 85..88 and
//    93..94 (EUC 0xF5A1..0xFEFE), in the usual layout (0xF040 -> row 85 cell 1), except leads 0xF2 and
//    0xF3 whose places hold the NEC-selected IBM extensions (rows 89..92);
//  - anything else that has no place, and every broken or incomplete character, becomes the geta mark
//    (0x222E) and is counted in `*Lost` when the caller asks for the count. This includes the undefined
//    leads 0xEB, 0xEC and 0xEF, whose rows are the user area.
// The readers of JIS and EUC take the user area back to the user-defined leads 0xF0, 0xF1 and 0xF4 (both
// the same way), so that user-defined characters survive a save and files of other programs keep them.
// The JIS X 0212 characters that code page 932 holds (EUC 0x8F + two bytes, JIS ESC $ ( D) are read as
// their code page codes; the rest are lost. JIS half-width katakana (ESC ( I, SO ... SI, 8-bit bytes)
// are read as half-width katakana.
// The converters to Shift-JIS write the geta mark (0x81AC) for broken input and count it the same way.

#include "documents/JisCode.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// The outcome of DetectCharCode, also the source and target codes of ConvertCharCode.
enum TDetectedCharCode : int {
    dcAscii = 0,     // only bytes below 0x80 and no "ESC $" sequence
    dcBinary = 1,    // a byte below 0x08 or equal to 0xFF
    dcJis = 2,       // ESC $ B
    dcOldJis = 3,    // ESC $ @
    dcEuc = 4,
    dcSjis = 5,
    dcEucOrSjis = 6, // only bytes that both codes share were met
};

// JIS X 0208 geta mark, written for a character the target cannot hold.
constexpr unsigned kJisGeta = 0x222E;

int DetectCharCode(std::string_view Text);
// DetectCharCode's two passes, for a text read in pieces: the test of the text's head for binary bytes
// (given its first 513 bytes or more, or the whole text, it answers for the whole), then the main pass
// over each piece in turn while the pieces before left it Undecided (dcAscii or dcEucOrSjis; the first
// piece starts at dcAscii). Pieces cut after a CR or LF byte give together what DetectCharCode gives
// for the whole text.
bool HasBinaryHead(std::string_view Text);
int ContinueCharCodeDetection(std::string_view Text, int Undecided);

// Converts Text from Source to Target (dcJis, dcEuc or dcSjis). Text comes back unchanged when Source is
// dcAscii, dcBinary, dcEucOrSjis or Target itself, and for any other target.
std::string ConvertCharCode(std::string_view Text, int Source, int Target, std::size_t* Lost = nullptr);
// DetectCharCode, then ConvertCharCode from the detected code.
std::string ConvertCharCodeAuto(std::string_view Text, int Target, std::size_t* Lost = nullptr);

std::string JisToEuc(std::string_view Text, std::size_t* Lost = nullptr);
std::string JisToSjis(std::string_view Text, std::size_t* Lost = nullptr);
// What a JIS reader carries from one piece of a text to the next: the set the last escape chose and
// whether SO is in force.
struct TJisReadState {
    int Set = 0;
    bool ShiftOut = false;
};
// JisToSjis over the pieces of one text (cut after a CR or LF byte): State starts each piece where the
// piece before left the reader.
std::string JisPieceToSjis(std::string_view Text, std::size_t* Lost, TJisReadState& State);
std::string EucToJis(std::string_view Text, std::size_t* Lost = nullptr);
std::string EucToSjis(std::string_view Text, std::size_t* Lost = nullptr);
std::string SjisToJis(std::string_view Text, std::size_t* Lost = nullptr);
std::string SjisToEuc(std::string_view Text, std::size_t* Lost = nullptr);

// The full-width JIS character of the half-width katakana at Text[Pos] (0xA1..0xDF in Shift-JIS; the
// byte after an 0x8E in EUC, with Pos at the 0x8E), with a following voiced or semi-voiced sound mark
// merged where the pair has a character of its own (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ). Pos advances past what
// was used. When Text[Pos] is not such a character the result is {0, 0} and Pos advances by one.
TBytePair SjisKanaToJis(std::string_view Text, std::size_t& Pos);
TBytePair EucKanaToJis(std::string_view Text, std::size_t& Pos);

} // namespace qx
