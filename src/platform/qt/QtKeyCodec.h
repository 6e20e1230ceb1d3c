#pragma once
// A Qt key event as the key router takes it: the shortcut value (virtual key and the Shift, Ctrl and
// Alt bits), the key's data and the characters it types.

#include "platform/ShortCut.h"

#include <Qt>

#include <cstdint>
#include <string>
#include <vector>

class QKeyEvent;

namespace qx {

struct TQtKeyStroke {
    TShortCut Key = 0;                  // 0: a key the program has no code for
    TShortCut Modifiers = 0;            // the Shift, Ctrl and Alt bits
    std::int32_t KeyData = 1;           // repeat count 1, scan code, bit 30 auto-repeat
    std::vector<std::uint16_t> Chars;   // the characters it types (CP932 codes), as the keyboard gives them
};

TShortCut ShortCutModifiers(Qt::KeyboardModifiers modifiers);

// The virtual key of a Qt key. `inputKeyCode` is the Linux input code of the key's position (the native
// scan code less 8 on X11 and Wayland), 0 when the platform gives none; digits and punctuation keys then
// map by the character the key names.
int VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers, int inputKeyCode);

TQtKeyStroke KeyStrokeOf(const QKeyEvent& event);

} // namespace qx
