#include "editor/qt/EditorCursors.h"

#include "editor/EditorOptions.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <map>

namespace qx {

namespace {

// The standard arrow's outline, pointing up-left from (0, 0).
QPolygon ArrowOutline()
{
    return QPolygon({QPoint(0, 0), QPoint(0, 15), QPoint(4, 11), QPoint(7, 17), QPoint(9, 16), QPoint(6, 10),
                     QPoint(11, 10)});
}

QPixmap ArrowPixmap(bool Mirrored, bool CopyBox)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon arrow = ArrowOutline();
    if (Mirrored) {
        for (QPoint& pt : arrow) pt.setX(15 - pt.x());
    }
    p.setPen(Qt::white);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    if (CopyBox) {
        p.setBrush(Qt::white);
        p.setPen(Qt::black);
        p.drawRect(10, 18, 10, 10);
        p.drawLine(12, 23, 18, 23);
        p.drawLine(15, 20, 15, 26);
    }
    return pixmap;
}

std::map<int, QCursor>& ScreenCursors()
{
    static std::map<int, QCursor> cursors;
    return cursors;
}

} // namespace

void SetScreenCursor(int Number, const QCursor& Cursor) { ScreenCursors()[Number] = Cursor; }

QCursor EditorCursor(int Cursor)
{
    const auto loaded = ScreenCursors().find(Cursor);
    if (loaded != ScreenCursors().end()) return loaded->second;
    switch (Cursor) {
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crDrag: return QCursor(Qt::DragMoveCursor);
    case crRightArrow: {
        static const QCursor right(ArrowPixmap(true, false), 15, 0);
        return right;
    }
    case crDragSelCopy: {
        static const QCursor copy(ArrowPixmap(false, true), 0, 0);
        return copy;
    }
    default: return QCursor(Qt::ArrowCursor);
    }
}

} // namespace qx
