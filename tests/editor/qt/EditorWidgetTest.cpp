// The Qt host: a paint event becomes the control's drawing on the widget's pixels.

#include "editor/qt/EditorWidget.h"
#include "platform/Cp932.h"
#include "platform/qt/QtColor.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx {
namespace {

// Pixels of Image inside R that are near Color (glyph edges are smoothed).
int CountPixels(const QImage& Image, const QRect& R, QColor Color)
{
    int n = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
        for (int x = R.left(); x <= R.right(); ++x) {
            const QColor c = Image.pixelColor(x, y);
            if (std::abs(c.red() - Color.red()) < 60 && std::abs(c.green() - Color.green()) < 60 &&
                std::abs(c.blue() - Color.blue()) < 60)
                ++n;
        }
    return n;
}

TEST(EditorWidget, PaintEventDrawsTheTextOnItsCellsAndTheFrameAreas)
{
    TEditorWidget widget;
    widget.setFrameStyle(QFrame::NoFrame);
    widget.resize(400, 200);
    TEditor& editor = widget.Editor();
    editor.SetColor(clYellow);
    editor.Leftbar().SetVisible(true);
    editor.Leftbar().SetBkColor(clSilver);
    editor.Lines().SetText(Utf8ToCp932("漢字ab\r\n"));
    editor.View().Colors().Ank().SetColor(clRed);  // "ab" is a word

    const QImage image = widget.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const char* dump = std::getenv("QX_DUMP_GRAB")) image.save(QString::fromLocal8Bit(dump));
    const int w = editor.ColWidth();
    const int h = editor.FontHeight();
    const int left = editor.TextAreaLeft();
    const int top = editor.TextAreaTop();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    // The two kanji take four cells of dark glyph pixels; "ab" is red in the two cells after them.
    const QRect kanji(left, top, 4 * w, h);
    const QRect ab(left + 4 * w, top, 2 * w, h);
    EXPECT_GT(CountPixels(image, kanji, Qt::black), 10);
    EXPECT_GT(CountPixels(image, ab, QColor(Qt::red)), 5);
    EXPECT_EQ(CountPixels(image, ab, Qt::black), 0);
    // Background right of the text, and the line-number bar's colour.
    EXPECT_EQ(image.pixelColor(390, top + h / 2), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(2, top + h / 2), ToQColor(clSilver));
}

} // namespace
} // namespace qx
