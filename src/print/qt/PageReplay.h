#pragma once
// Draws a laid-out page through the control's canvas. The painter's coordinates are the layout's
// device pixels (set a transform to draw at another scale); the fonts must be made for the layout's
// resolution (TFontResolver(Pages.DpiY)), so that text keeps to the cell grid at any scale.

#include "editor/qt/FontResolver.h"
#include "print/PageModel.h"

class QPainter;

namespace qx {

void ReplayPage(QPainter& Painter, TFontResolver& Fonts, const TPrintPages& Pages, const TPrintPage& Page);

} // namespace qx
