#pragma once
// The numbers a document's character code and line end are known by: the code chosen when a file is
// opened or saved (the dialogs' list index + 1), the code a document is kept in, and its line end.

#include <string_view>

namespace qx {

// The code chosen when opening or saving: the open dialog's first list, index + 1.
enum TOpenCharCode : int {
    ocAuto = 1,
    ocSjis = 2,
    ocEuc = 3,
    ocJis = 4,
    ocUtf16LE = 5,
    ocUtf16BE = 6,
    ocUtf8 = 7,
};

// The code a document is kept in and saved in.
enum TSaveFileCharType : int {
    sfctJIS = 0,
    sfctEUC = 1,
    sfctSJIS = 2,
    sfctUnicode = 3,     // UTF-16 little-endian, with the mark FF FE
    sfctUnicodeBig = 4,  // UTF-16 big-endian, with the mark FE FF
    sfctUTF8 = 5,        // without a mark
};

enum TSaveFileRtrnType : int { sfrtCR = 0, sfrtLF = 1, sfrtCRLF = 2 };

// The line end chosen when saving: the dialogs' second list, index + 1.
enum TLineEndChoice : int { lcKeep = 1, lcCRLF = 2, lcLF = 3, lcCR = 4 };

// A code choice as the document's code: 2..7 map to their code, anything else keeps Current.
int CharTypeOfChoice(int Choice, int Current);
// The open code that reads a document's code again (JIS 4, EUC 3, Shift-JIS 2, UTF-16 5 and 6, UTF-8 7).
int OpenCodeOfCharType(int CharType);
// A line-end choice as the document's line end: 2..4 map to theirs, anything else keeps Current.
int RtrnTypeOfChoice(int Choice, int Current);

// The names the status bar shows ("JIS" .. "UTF-8", "CR", "LF", "CR+LF"); empty for other values.
std::string_view CharTypeName(int CharType);
std::string_view RtrnTypeName(int RtrnType);

// The first line end of a text: 0 none, 1 CR LF, 2 CR (also a CR that ends the text), 3 LF.
int DetectLineEnd(std::string_view Text);
// A document's line end from DetectLineEnd: CR and LF as found, otherwise CR LF.
int RtrnTypeOfLineEnd(int LineEnd);

} // namespace qx
