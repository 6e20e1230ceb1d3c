#pragma once
// Qt keys as the class library's virtual-key codes (the low byte of a shortcut value), with the
// number pad apart from the main keys and the punctuation keys of the Japanese keyboard.

#include <Qt>

namespace qx {

// 0 for a key without a virtual-key code.
int QtKeyToVirtualKey(int QtKey, Qt::KeyboardModifiers Modifiers);

} // namespace qx
