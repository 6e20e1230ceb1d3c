#pragma once
// TColor to QColor: plain colours by their byte order, system colours through the application palette.

#include "platform/Color.h"

#include <QColor>
#include <QPalette>

namespace qx {

QColor ToQColor(TColor color, const QPalette& palette);
QColor ToQColor(TColor color);  // with the application's palette
TColor FromQColor(const QColor& color);

} // namespace qx
