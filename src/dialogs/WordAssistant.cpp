#include "dialogs/WordAssistant.h"

#include <algorithm>

namespace qx {

TPoint WordAssistantPosition(TPoint Caret, int RowHeight, int Width, int Height, const TRect& Screen)
{
    TPoint at;
    at.Y = Caret.Y - Height - RowHeight;
    if (at.Y < Screen.Top) at.Y = Caret.Y + RowHeight;
    at.X = Caret.X + 2;
    if (at.X + Width > Screen.Right) at.X = Screen.Right - Width - 4;
    // A window larger than the screen, or a caret off it, still shows the window's top-left corner.
    at.X = std::max(Screen.Left, std::min(at.X, Screen.Right - Width));
    at.Y = std::max(Screen.Top, std::min(at.Y, Screen.Bottom - Height));
    return at;
}

} // namespace qx
