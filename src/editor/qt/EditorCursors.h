#pragma once
// Mouse cursors by the control's cursor numbers: the class library's standard ones map to Qt's, and
// the control's own two (1958, an arrow pointing right for the left margin; 1959, the drag-and-copy
// arrow) are drawn here; the hand point is -21.

#include <QCursor>

namespace qx {

QCursor EditorCursor(int Cursor);

// The screen's list of cursors the program loads itself (its own cursor, a cursor file) under numbers of
// their own; EditorCursor gives them by their number from then on.
void SetScreenCursor(int Number, const QCursor& Cursor);

} // namespace qx
