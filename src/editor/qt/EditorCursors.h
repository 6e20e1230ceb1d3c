#pragma once
// Mouse cursors by the control's cursor numbers: the class library's standard ones map to Qt's, and
// the control's own two (1958, an arrow pointing right for the left margin; 1959, the drag-and-copy
// arrow) are drawn here.

#include <QCursor>

namespace qx {

QCursor EditorCursor(int Cursor);

} // namespace qx
