#include "print/qt/PageReplay.h"

#include "editor/qt/QtCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qx {

void ReplayPage(QPainter& Painter, TFontResolver& Fonts, const TPrintPages& Pages, const TPrintPage& Page)
{
    TQtCanvas canvas(Painter, Fonts);
    TTextStyle style;
    style.Font = Pages.Font;
    style.CellWidth = Pages.CellWidth;
    for (const TPrintText& t : Page.Texts) canvas.TextRun(t.Clip, t.X, t.Y, etoClipped, t.Text, style);
    // Rules about 0.15 mm thick: a device pixel of a printer is too thin to see.
    const int thickness = std::max(1, static_cast<int>(std::lround(Pages.DpiY * 0.15 / 25.4)));
    for (const TPrintRule& r : Page.Rules) canvas.FillRect({r.X1, r.Y, r.X2, r.Y + thickness}, clBlack);
}

} // namespace qx
