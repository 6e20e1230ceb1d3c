#include "mainwindow/bars/qt/CuteControlBar.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace qx {
namespace {

// Whether the left grip area of a widget's picture holds a colour.
bool GripHas(QWidget& Widget, QColor Color)
{
    const QImage image = Widget.grab().toImage();
    for (int x = 0; x < GripWidth + 4 && x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == Color) return true;
    return false;
}

struct ControlBarTest : ::testing::Test {
    QMainWindow Window;
    QToolBar* Band = new QToolBar(&Window);
    TCuteControlBar* Bar = nullptr;

    void SetUp() override
    {
        Band->setObjectName("UserToolBar");
        Band->addAction("one");
        Band->addAction("two");
        Window.addToolBar(Qt::TopToolBarArea, Band);
        Bar = new TCuteControlBar(Window, "ControlBar1");
        Bar->AddBand(Band);
        Window.resize(400, 300);
        Window.show();
        QApplication::processEvents();
    }
    void Click(QWidget& Widget, QPoint At)
    {
        QTest::mouseClick(&Widget, Qt::LeftButton, {}, At);
        QApplication::processEvents();
    }
};

TEST_F(ControlBarTest, LedGripsTurnBrightWhileTheMouseIsOverTheBand)
{
    Bar->SetBandType(TCuteBandType::cbtGreenLED);
    QApplication::processEvents();
    // Wherever the platform put the mouse at the start, it is not over the band now.
    QEvent away(QEvent::Leave);
    QApplication::sendEvent(Band, &away);
    EXPECT_TRUE(GripHas(*Band, QColor(0, 0x80, 0)));
    EXPECT_FALSE(GripHas(*Band, QColor(0, 0xFF, 0)));
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(Band, &enter);
    EXPECT_TRUE(GripHas(*Band, QColor(0, 0xFF, 0)));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Band, &leave);
    EXPECT_FALSE(GripHas(*Band, QColor(0, 0xFF, 0)));
}

TEST_F(ControlBarTest, AGripClickFoldsTheBandAndATabClickUnfoldsIt)
{
    Bar->SetBandType(TCuteBandType::cbtNetscape);
    // Without folding a click does nothing.
    Click(*Band, {3, 5});
    EXPECT_TRUE(Band->isVisible());
    Bar->SetCanFold(true);
    const int height = Band->height();
    Click(*Band, {3, 5});
    EXPECT_FALSE(Band->isVisible());
    ASSERT_EQ(Bar->Folded(), (std::vector<QToolBar*>{Band}));
    EXPECT_EQ(Bar->Strip().Tabs(), (std::vector<TFoldTab>{{0, height + 15}}));
    EXPECT_TRUE(Bar->Strip().isVisible());
    // A click beyond the tab does nothing; one on it unfolds the band.
    Click(Bar->Strip(), {height + 20, Bar->Strip().height() - 4});
    EXPECT_FALSE(Band->isVisible());
    Click(Bar->Strip(), {5, Bar->Strip().height() - 4});
    EXPECT_TRUE(Band->isVisible());
    EXPECT_TRUE(Bar->Folded().empty());
    EXPECT_FALSE(Bar->Strip().isVisible());
}

TEST_F(ControlBarTest, TheEndOfADragDoesNotFoldAndTurningFoldingOffUnfolds)
{
    Bar->SetCanFold(true);
    QTest::mousePress(Band, Qt::LeftButton, {}, {3, 5});
    Band->move(Band->pos() + QPoint(30, 0));  // the bands were laid out anew while the button was down
    QTest::mouseRelease(Band, Qt::LeftButton, {}, {3, 5});
    QApplication::processEvents();
    EXPECT_TRUE(Band->isVisible());
    Click(*Band, {3, 5});
    EXPECT_FALSE(Band->isVisible());
    Bar->SetCanFold(false);
    EXPECT_TRUE(Band->isVisible());
}

} // namespace
} // namespace qx
