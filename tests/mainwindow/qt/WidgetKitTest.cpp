#include "dialogs/qt/ColorConbo.h"
#include "dialogs/qt/GradBox.h"
#include "mainwindow/files/qt/LoadProgress.h"
#include "mainwindow/files/qt/Progress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

using namespace qx;

TEST(GradBox, PaintsEveryPixelFromStartToEndColour)
{
    TQxGradBox box;
    box.resize(40, 300);
    int changes = 0;
    box.OnChange = [&] { ++changes; };
    box.SetStartColor(clWhite);
    box.SetEndColor(clBlue);  // BGR: pure blue
    box.SetDirection(TGradDirection::gdVertical);  // no change, no event
    EXPECT_EQ(changes, 2);
    const QImage image = box.grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 0), QColor(255, 255, 255));
    // 300 pixels in 129 bands of 2 leave the bottom 40 pixels to the end colour.
    EXPECT_EQ(image.pixelColor(20, 299), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(20, 270), QColor(0, 0, 255));

    box.SetDirection(TGradDirection::gdHorizontal);
    box.SetGradStep(0);
    const QImage flat = box.grab().toImage();
    EXPECT_EQ(flat.pixelColor(39, 150), QColor(255, 255, 255)) << "one band in the start colour";
    EXPECT_EQ(changes, 4);
}

TEST(ColorConbo, ShowsTheModelAndTakesCustomColoursFromTheChooser)
{
    TQxColorConbo combo;
    EXPECT_EQ(combo.count(), 16);
    EXPECT_EQ(combo.itemText(0).toStdString(), "黒");
    combo.Model().SetSelection(ColorSelection::csSystemJ | ColorSelection::csCurrent | ColorSelection::csCustom);
    EXPECT_EQ(combo.count(), 18);
    EXPECT_EQ(combo.itemText(17).toStdString(), "その他...");

    combo.Model().ColorChooser = [](TColor) { return std::optional<TColor>(0x0080FF); };
    int selected = 0;
    combo.OnSelect = [&] { ++selected; };
    emit combo.activated(17);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(combo.count(), 19);
    EXPECT_EQ(combo.currentText().toStdString(), "$0080FF");
    EXPECT_EQ(combo.Model().GetSelectedColor(), 0x0080FF);

    combo.Model().SetSelectedColor(clRed);
    EXPECT_EQ(combo.currentText().toStdString(), "赤");

    combo.SetShowName(false);
    EXPECT_TRUE(combo.itemText(1).isEmpty());
    const QImage swatch = TQxColorConbo::Swatch(clRed, TBmpType::bmCircle, QSize(24, 10)).toImage();
    EXPECT_EQ(swatch.pixelColor(12, 5), QColor(255, 0, 0));
    EXPECT_EQ(swatch.pixelColor(0, 0).alpha(), 0) << "outside the circle";
}

TEST(ColorConbo, ExtendedColoursAreTheWebColoursQtKnows)
{
    for (const TNamedColor& c : kExtendedColorNames) {
        const QColor qt = QColor::fromString(QLatin1String(c.Name));
        ASSERT_TRUE(qt.isValid()) << c.Name;
        EXPECT_EQ(RGBColor(qt.red(), qt.green(), qt.blue()), c.Color) << c.Name;
    }
}

TEST(Progress, ShowsRoundedPercentagesAndClearsOnClose)
{
    TProgress progress;
    progress.Start("start");
    EXPECT_TRUE(progress.Form().isVisible());
    EXPECT_EQ(progress.Form().Bar()->value(), 0);
    progress.ShowProgress("読み込み中", 3, 2);
    EXPECT_EQ(progress.Form().Label()->text().toStdString(), "読み込み中");
    EXPECT_EQ(progress.Form().Bar()->value(), 67);
    progress.ShowProgress("x", 0, 5);
    EXPECT_EQ(progress.Form().Bar()->value(), 0);
    progress.ShowProgress("x", 4, 3);
    progress.Close();
    EXPECT_FALSE(progress.Form().isVisible());
    EXPECT_EQ(progress.Form().Bar()->value(), 0);
    EXPECT_TRUE(progress.Form().Label()->text().isEmpty());
}

TEST(LoadProgress, ALongLoadShowsItsProgressAndLetsTheWindowPaint)
{
    // A widget that counts its paints while the load runs.
    struct Counting : QWidget {
        int Paints = 0;
        bool event(QEvent* E) override
        {
            if (E->type() == QEvent::Paint) ++Paints;
            return QWidget::event(E);
        }
    } window;
    window.resize(200, 100);
    window.show();
    QCoreApplication::processEvents();
    const auto progressForm = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "FormProgress" && w->isVisible()) return static_cast<TFormProgress*>(w);
        return static_cast<TFormProgress*>(nullptr);
    };
    {
        // Shown from the first step on, as a load that has run long enough is.
        TLoadProgressShow show(&window, std::chrono::milliseconds(0), std::chrono::milliseconds(0));
        const int paints = window.Paints;
        window.update();
        show.Step(1 << 20, 4 << 20);
        ASSERT_NE(progressForm(), nullptr);
        EXPECT_EQ(progressForm()->Bar()->value(), 25);
        EXPECT_GT(window.Paints, paints) << "the window paints between the pieces";
        show.Step(4 << 20, 4 << 20);
        EXPECT_EQ(progressForm(), nullptr) << "the window goes when the file is read";
    }
    // A short load shows nothing.
    TLoadProgressShow quick(&window);
    quick.Step(1, 2);
    EXPECT_EQ(progressForm(), nullptr);
}
