#pragma once
// Laid-out pages: what a page shows, recorded once and replayed on any device of the resolution it was
// laid out for (the printer, the preview, an image). Coordinates are device pixels of the printable
// area; text is Shift-JIS on the control's cell grid (a byte a cell), so a run needs no measuring.

#include "editor/EditorCanvas.h"

#include <string>
#include <vector>

namespace qx {

// One line of text: its first cell's left edge at X, its top at Y, nothing drawn outside Clip.
struct TPrintText {
    TRect Clip;
    int X = 0;
    int Y = 0;
    std::string Text;
};

// A one-pixel rule from (X1, Y) to X2 (the end left out).
struct TPrintRule {
    int X1 = 0;
    int X2 = 0;
    int Y = 0;
};

struct TPrintPage {
    int Number = 0;  // the page number it carries
    std::vector<TPrintText> Texts;
    std::vector<TPrintRule> Rules;
};

// The pages of one layout and what replaying them needs.
struct TPrintPages {
    int PageWidth = 0;   // the printable area, device pixels
    int PageHeight = 0;
    int PaperWidth = 0;  // the whole sheet, device pixels
    int PaperHeight = 0;
    int UnprintableLeft = 0;  // where the printable area lies on the sheet
    int UnprintableTop = 0;
    int DpiX = 0;
    int DpiY = 0;
    TFontSpec Font;   // sized in points; a device draws it at its own resolution
    int CellWidth = 0;  // device pixels
    std::vector<TPrintPage> Pages;
};

} // namespace qx
