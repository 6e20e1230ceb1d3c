#pragma once
// Virtual-key codes of the keys the program reads from the keyboard, found by the key's position or by
// the character it types. The program names keys as on the Japanese 106/109 keyboard, so a key maps by
// where it sits: Shift+3 is the key "3" whatever character the shifted key types, and the key right of
// "L" is ";" (VK 0xBB), as the key dialog and the shortcut texts name it.

#include <span>

namespace qx {

// Virtual-key codes used by name.
inline constexpr int VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                     VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                     VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
                     VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_NUMPAD0 = 0x60, VK_F1 = 0x70;

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
