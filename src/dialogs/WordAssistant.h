#pragma once
// Where the word assistant's window goes: at the focused editor's caret, above the caret row when it
// fits there, else below it, and wholly on the screen.

#include "editor/EditorCanvas.h"

namespace qx {

// The window's top-left corner for a window of Width x Height, the caret's top-left Caret and its row
// height in screen pixels, on the screen area Screen.
TPoint WordAssistantPosition(TPoint Caret, int RowHeight, int Width, int Height, const TRect& Screen);

} // namespace qx
