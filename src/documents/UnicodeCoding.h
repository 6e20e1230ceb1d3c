#pragma once
// Recognising UTF-16 and UTF-8 documents, the UTF-8 coder between UTF-16 units and bytes, the way
// between UTF-16 document bytes and the editor's Shift-JIS text, and the JIS code of a Shift-JIS
// character.
//
// The UTF-8 encoder works on single UTF-16 units, as the documents it serves come from code page 932,
// which has only characters of the Basic Multilingual Plane: a unit below 0x80 is one byte, below 0x800
// two, else three (a surrogate unit too, on its own). The decoder takes well-formed UTF-8: four-byte
// sequences become surrogate pairs (characters that the way to Shift-JIS then counts lost), the
// three-byte forms of surrogates the encoder writes become their units, and overlong forms ("C0 AF" for
// "/") and anything beyond U+10FFFF are invalid.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// 1 when Bytes starts with the little-endian mark FF FE, 2 with the big-endian mark FE FF; 0 otherwise
// and for inputs of 2 bytes or fewer.
int DetectUnicodeBom(std::string_view Bytes);

// 1 when Bytes is UTF-8 without a mark, 2 with the mark EF BB BF, 0 when it is not UTF-8: a byte that
// cannot start a sequence, a sequence cut off by a bad byte or by the end, an overlong form, or nothing
// but ASCII. Exactly what it accepts (with ASCII alone), DecodeUtf8Buffer decodes.
int DetectUtf8(std::string_view Bytes);

// Writes the UTF-8 form of Source[0..SourceCount) and a terminating NUL to Dest (size DestSize) and
// returns the bytes written including the NUL. A character that does not fit together with the NUL is
// left out with everything after it. With Dest null, returns the size needed including the NUL.
std::ptrdiff_t EncodeUtf8Buffer(char* Dest, std::size_t DestSize, const char16_t* Source, std::size_t SourceCount);
// Writes the UTF-16 units of Source[0..SourceCount) and a terminating NUL to Dest and returns the units
// written including the NUL (a unit that does not fit with the NUL is left out with everything after
// it), or -1 when Source is not valid UTF-8 (see above). With Dest null, returns the size needed
// including the NUL, or -1.
std::ptrdiff_t DecodeUtf8Buffer(char16_t* Dest, std::size_t DestSize, const char* Source, std::size_t SourceCount);

std::string WideToUtf8(std::u16string_view Text);
// Empty for input that is not valid (see DecodeUtf8Buffer).
std::u16string Utf8ToWide(std::string_view Bytes);

// UTF-8 document bytes as Shift-JIS text: the same as Utf16ToCp932 (Utf8ToWide (Bytes), Lost), in one
// pass without the units in between. Empty (and nothing lost) for input that is not valid.
std::string Utf8ToSjis(std::string_view Bytes, std::size_t* Lost = nullptr);
// The same into Text, whose memory is used again (a reader of many pieces allocates once); false, with
// Text empty, for input that is not valid.
bool Utf8ToSjis(std::string_view Bytes, std::string& Text, std::size_t* Lost = nullptr);
// The units of UTF-16 document bytes (after the mark), in the given byte order, as Shift-JIS text
// through the code page 932 codec; characters without a code become '?' and are counted in `*Lost`. A
// last odd byte is not a unit: it becomes a '?' too and is counted lost.
std::string Utf16ToSjis(std::string_view Bytes, bool BigEndian, std::size_t* Lost = nullptr);
// The same into Text, whose memory is used again.
void Utf16ToSjis(std::string_view Bytes, bool BigEndian, std::string& Text, std::size_t* Lost = nullptr);
// Shift-JIS text as UTF-16 bytes in the given byte order, without a mark. Nothing is lost: every byte
// of the text decodes to some unit (a broken sequence to the codec's substitute).
std::string SjisToUtf16(std::string_view Text, bool BigEndian);

// The JIS code (J1 << 8 | J2) of a Shift-JIS double-byte code (lead byte high); 0 when the code is not a
// valid pair or its JIS form lies outside the rows that hold characters.
unsigned SjisCodeToJisCode(unsigned Code);

} // namespace qx
