#include "platform/qt/QtColor.h"

#include <QGuiApplication>

namespace qx {

namespace {
// The palette role that stands for a system colour index; NColorRoles where none fits.
QPalette::ColorRole RoleOf(int index, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (index) {
    case 5: return QPalette::Base;                        // clWindow
    case 8: return QPalette::Text;                        // clWindowText
    case 13: return QPalette::Highlight;                   // clHighlight
    case 14: return QPalette::HighlightedText;            // clHighlightText
    case 15: return QPalette::Button;                     // clBtnFace
    case 16: return QPalette::Mid;                        // clBtnShadow
    case 17: group = QPalette::Disabled; return QPalette::Text;  // clGrayText
    case 18: return QPalette::ButtonText;                 // clBtnText
    case 20: return QPalette::Light;                      // clBtnHighlight
    case 21: return QPalette::Shadow;                     // cl3DDkShadow
    case 22: return QPalette::Midlight;                   // cl3DLight
    case 23: return QPalette::ToolTipText;                // clInfoText
    case 24: return QPalette::ToolTipBase;                // clInfoBk
    case 4: return QPalette::Window;                      // clMenu
    case 7: return QPalette::WindowText;                  // clMenuText
    case 12: return QPalette::Dark;                       // clAppWorkSpace
    default: return QPalette::NColorRoles;
    }
}
} // namespace

QColor ToQColor(TColor color, const QPalette& palette)
{
    if (color == clNone || color == clDefault) return QColor();
    if (IsSystemColor(color)) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = RoleOf(SystemColorIndex(color), group);
        if (role != QPalette::NColorRoles) return palette.color(group, role);
        color = SystemColorFallback(color);
    }
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QColor ToQColor(TColor color)
{
    // Plain colours need no palette: painting converts thousands of them a frame.
    if (color != clNone && color != clDefault && !IsSystemColor(color))
        return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
    return ToQColor(color, QGuiApplication::palette());
}

TColor FromQColor(const QColor& color)
{
    if (!color.isValid()) return clNone;
    return RGBColor(color.red(), color.green(), color.blue());
}

} // namespace qx
