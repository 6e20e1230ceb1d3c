// The Qt host: a paint event becomes the control's drawing on the widget's pixels.

#include "editor/qt/EditorScrollBar.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/QtCanvas.h"
#include "platform/Cp932.h"
#include "platform/qt/QtColor.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

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

// The built-in context menu shows each item's key in the program's own key text and binds no Qt shortcut.
TEST(EditorWidget, TheContextMenuShowsKeysInTheProgramsKeyText)
{
    TEditorWidget widget;
    widget.resize(300, 200);
    widget.show();
    QStringList texts;
    bool anyShortcut = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        const auto walk = [&](auto&& self, QMenu* m) -> void {
            for (QAction* a : m->actions()) {
                if (a->menu()) self(self, a->menu());
                texts << a->text();
                anyShortcut = anyShortcut || !a->shortcut().isEmpty();
            }
        };
        walk(walk, menu);
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), widget.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(widget.viewport(), &event);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("0\tShift+Ctrl+0"))) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("9\tCtrl+9")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("元に戻す(&U)\tCtrl+Z")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("削除(&D)")));
    EXPECT_FALSE(anyShortcut);
}

// Bytes that are no character keep the rest of the row on its cells: an undefined pair fills its two
// cells with a substitute, the character after it stands in the third, a lead byte at the end in the
// fourth.
TEST(EditorWidget, TheBorderFollowsTheControlsBorderStyle)
{
    TEditorWidget widget;
    EXPECT_EQ(widget.frameShape(), QFrame::StyledPanel);
    widget.Editor().SetBorderStyle(bsNone);
    EXPECT_EQ(widget.frameShape(), QFrame::NoFrame);
    widget.Editor().SetBorderStyle(bsSingle);
    EXPECT_EQ(widget.frameShape(), QFrame::StyledPanel);
    EXPECT_EQ(widget.frameShadow(), QFrame::Sunken);
}

TEST(QtCanvas, BytesThatAreNoCharacterDrawASubstituteAndKeepTheGrid)
{
    const int w = 10, h = 20;
    QImage image(8 * w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TFontResolver fonts;
        TQtCanvas canvas(painter, fonts);
        TTextStyle style;
        style.Font = {"IPAGothic", 10, clBlack, {}};
        style.CellWidth = w;
        canvas.TextRun({0, 0, 8 * w, h}, 0, 0, etoClipped, std::string("\x85\x40X\x82", 4), style);
    }
    const auto inked = [&](int FirstCell, int Cells) {
        return CountPixels(image, QRect(FirstCell * w, 0, Cells * w, h), Qt::black);
    };
    EXPECT_GT(inked(0, 2), 0);
    EXPECT_GT(inked(2, 1), 0);
    EXPECT_GT(inked(3, 1), 0);
    EXPECT_EQ(inked(4, 4), 0);
}

// Runs are gathered and drawn together, yet the picture is that of drawing each at once: what is
// drawn later over the same cells covers them, what is drawn elsewhere leaves them.
TEST(QtCanvas, GatheredRunsKeepTheOrderOfDrawing)
{
    const int w = 10, h = 20;
    QImage image(6 * w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    TTextStyle black, red;
    black.Font = {"IPAGothic", 10, clBlack, {}};
    black.CellWidth = w;
    red = black;
    red.Font.Color = clRed;
    {
        QPainter painter(&image);
        TFontResolver fonts;
        TQtCanvas canvas(painter, fonts);
        canvas.TextRun({0, 0, 6 * w, h}, 0, 0, etoClipped, "HHH", black);
        canvas.FillRect({0, 0, w, h}, clWhite);                  // cell 0 wiped after its text
        canvas.TextRun({0, 0, 6 * w, h}, w, 0, etoClipped, "H", red);  // cell 1 written over in red
        canvas.FillRect({4 * w, 0, 5 * w, h}, clYellow);         // elsewhere: cell 2 stays black
    }
    const auto count = [&](int Cell, QColor Color) { return CountPixels(image, QRect(Cell * w, 0, w, h), Color); };
    EXPECT_EQ(count(0, Qt::black), 0);
    EXPECT_EQ(count(1, Qt::black), 0);
    EXPECT_GT(count(1, Qt::red), 0);
    EXPECT_GT(count(2, Qt::black), 0);
    EXPECT_GT(count(4, Qt::yellow), 0);
}

// A bar whose slider does not move by a pixel shows the picture the style painted before; one that
// moves is painted again, and looks as the style paints it.
TEST(EditorScrollBar, ReusesItsPictureWhileTheBarLooksTheSame)
{
    TEditorScrollBar bar(Qt::Vertical);
    QScrollBar plain(Qt::Vertical);
    for (QScrollBar* b : {static_cast<QScrollBar*>(&bar), &plain}) {
        b->resize(16, 400);
        b->setRange(0, 2000000);
        b->setPageStep(50);
        b->setValue(1000000);
    }
    const QImage first = bar.grab().toImage();
    const int paints = bar.StylePaints();
    EXPECT_GE(paints, 1);
    bar.setValue(1000050);
    EXPECT_EQ(bar.grab().toImage(), first);
    EXPECT_EQ(bar.StylePaints(), paints);

    for (int value : {0, 1000000, 2000000 - 50}) {
        bar.setValue(value);
        plain.setValue(value);
        const QImage mine = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage theirs = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(mine.size(), theirs.size());
        int different = 0;
        for (int y = 0; y < mine.height(); ++y)
            for (int x = 0; x < mine.width(); ++x) {
                const QColor a = mine.pixelColor(x, y), b = theirs.pixelColor(x, y);
                if (std::abs(a.red() - b.red()) > 2 || std::abs(a.green() - b.green()) > 2 || std::abs(a.blue() - b.blue()) > 2)
                    ++different;
            }
        EXPECT_EQ(different, 0) << value;
    }
    EXPECT_EQ(bar.StylePaints(), paints + 2);
}

} // namespace
} // namespace qx
