#pragma once
// Cutting texts to a byte budget without splitting a character.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// The longest prefix of the CP932 text `sjis` of at most `maxBytes` bytes that ends on a character
// boundary (a lead byte at the very end counts as a character of its own).
std::string_view Cp932Prefix(std::string_view sjis, std::size_t maxBytes);

// The longest prefix of whole characters of the UTF-8 text `utf8` whose CP932 form takes at most
// `maxBytes` bytes (a character without a CP932 code counts as the one byte of its substitute).
std::string Utf8PrefixByCp932Length(std::string_view utf8, std::size_t maxBytes);

} // namespace qx
