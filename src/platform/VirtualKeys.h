#pragma once
// Virtual-key codes of the keys the program reads from the keyboard, found by the key's position or by
// the character it types. The program names keys as on the Japanese 106/109 keyboard, so a key maps by
// where it sits: Shift+3 is the key "3" whatever character the shifted key types, and the key right of
// "L" is ";" (VK 0xBB), as the key dialog and the shortcut texts name it.

#include "platform/VirtualKeyCodes.h"

#include <span>

namespace qx {

// One line of a key table: a code of some kind and the virtual key it stands for.
struct TKeyPair {
    int From;
    int Key;
};

// The key of `from` in a table, 0 when the table does not hold it.
int FindKey(std::span<const TKeyPair> table, int from);

// The key at a position of the main block, by the Linux input layer's key code (the X11 key code
// less 8): digits, letters and punctuation keys. 0 for any other key.
int VirtualKeyAtPosition(int inputKeyCode);

// The key that types a character on the Japanese keyboard, shifted or not: digits and their shifted
// signs, letters of either case, punctuation. 0 for any other character.
int VirtualKeyOfCharacter(char32_t c);

} // namespace qx
