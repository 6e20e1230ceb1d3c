#pragma once
// Shortcut values and their texts in the class library's form.
//
// A shortcut is a 16-bit value: the virtual-key code in the low byte, Shift 0x2000, Ctrl 0x4000 and
// Alt 0x8000. Its text is the modifier prefixes in the order "Shift+", "Ctrl+", "Alt+" followed by the
// key's name: "BkSp", "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up",
// "Right", "Down", "Ins", "Del", the digits and letters, "F1".."F24", and the punctuation keys of the
// Japanese keyboard (":", ";", ",", "-", ".", "/", "@", "[", "\", "]", "^"). The number-pad digits show
// as plain digits. Reading accepts the prefixes in any order and ignores ASCII case; a text that does
// not read, such as "" or "(なし)", gives 0 (no key).

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// The text that stands for "no key" in the settings (UTF-8).
constexpr const char* kNoShortCutText = "(なし)";

// The name of a virtual-key code without modifiers; "" when the key has no name.
std::string ShortCutKeyName(int virtualKey);

// "" for 0 or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(std::string_view text);

} // namespace qx
