#pragma once
// The keyboard input of an editor as the main window passes it on: key presses, typed characters and
// text committed by the input method. The key router takes it from the widgets and from key-macro
// playback; the focused editor takes what no command took.

#include "platform/ShortCut.h"

#include "platform/LeadByte.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Bit 30 of a key's data: the key was already down (auto-repeat).
inline constexpr std::int32_t KeyDataRepeat = 0x40000000;

class TKeyInput {
public:
    virtual ~TKeyInput() = default;
    // A key press: the virtual-key code with the modifier bits of a shortcut value (Shift 0x2000,
    // Ctrl 0x4000, Alt 0x8000), and the key's data (repeat count, scan code, bit 30 auto-repeat).
    virtual void KeyDown(TShortCut key, std::int32_t keyData) = 0;
    // A typed character: one byte, or a double-byte character with its lead byte high; `modifiers`
    // holds the modifier bits that were down.
    virtual void KeyChar(std::uint16_t charCode, TShortCut modifiers) = 0;
    // Text (CP932) committed by the input method, inserted as one piece.
    virtual void ImeText(const std::string& text, TShortCut modifiers) = 0;
};

// The editor that receives the keys that no command takes.
using TKeyTarget = TKeyInput;

// The modifier bits of a shortcut value.
constexpr TShortCut KeyModifiers(TShortCut key)
{
    return key & (scShift | scCtrl | scAlt);
}

// The characters of a CP932 text as codes: one byte, or a double-byte character with its lead byte high.
inline std::vector<std::uint16_t> CharCodes(std::string_view text)
{
    std::vector<std::uint16_t> codes;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        std::uint16_t code = static_cast<unsigned char>(text[i]);
        if (length == 2) code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(text[i + 1]));
        codes.push_back(code);
        i += length;
    }
    return codes;
}

// The bytes of a character code.
inline std::string CharBytes(std::uint16_t code)
{
    if (code > 0xFF) return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    return std::string(1, static_cast<char>(code));
}

} // namespace qx
