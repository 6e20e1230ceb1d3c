#pragma once
// Text conversions behind the Edit menu's commands and the tools, each a function from Shift-JIS text to
// Shift-JIS text: ASCII case, line-break removal, width and kana, enclosing in marks, HTML escapes and
// the number format of line numbering. Each walks the text once by whole characters (a trail byte is
// never taken for a character of its own) and leaves line ends as they are unless it exists to change
// them.

#include <string>
#include <string_view>

namespace qx {

// ASCII letters only; double-byte characters and their trail bytes stay.
std::string UpperCaseText(std::string_view Text);
std::string LowerCaseText(std::string_view Text);

// Every CR, every LF, or both deleted.
std::string RemoveCR(std::string_view Text);
std::string RemoveLF(std::string_view Text);
std::string RemoveLineBreaks(std::string_view Text);

// Width and kana conversions over code page 932: full width (the backslash becomes "￥"), half width
// (a voiced katakana becomes a letter and a mark), hiragana, katakana. A character whose other form the
// code page lacks stays as it is ("ヴ" to hiragana).
std::string ConvertToZenkaku(std::string_view Text);
std::string ConvertToHankaku(std::string_view Text);
std::string ConvertToHiragana(std::string_view Text);
std::string ConvertToKatakana(std::string_view Text);

// Head + Text + Tail; a text of several lines (it holds CR LF) becomes its lines with Head before the
// first and Tail after the last, each line followed by CR LF.
std::string EncloseText(std::string_view Text, std::string_view Head, std::string_view Tail);

// "&" gets "amp;" after it (unless it has it), "<", ">" and the double quote their entities.
std::string HtmlEscape(std::string_view Text);

// The digits of line numbering: with AutoWidth as many as Count * Step needs (1 to 8), else Digits (1 to
// 8). FormatLineNumber writes Number with at least that many digits, zero-padded ("%.Nd"; 0 is "0").
int LineNumberDigits(bool AutoWidth, int Digits, long long Count, int Step);
std::string FormatLineNumber(long long Number, int Digits);

} // namespace qx
