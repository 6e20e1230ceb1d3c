#pragma once
// The keyboard input of an editor as the main window passes it on: key presses, typed characters and
// text committed by the input method. The key router takes it from the widgets and from key-macro
// playback; the focused editor takes what no command took.

#include "platform/ShortCut.h"

#include <cstdint>
#include <string>

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

} // namespace qx
