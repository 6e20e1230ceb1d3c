#pragma once
// Keyboard and mouse state as the class library's events carry it: the shift state bits and the mouse
// button. The editing control and the tray icon share them.

namespace qx {

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

} // namespace qx
