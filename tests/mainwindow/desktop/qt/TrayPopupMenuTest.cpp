#include "mainwindow/desktop/qt/TrayPopupMenu.h"

#include <QImage>

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(TrayPopupMenu, TheBannerStripTakesItsColourSetAndTheTextThatFits)
{
    TTrayPopupMenu menu;
    for (int i = 0; i < 4; ++i) menu.addAction(QString("item %1").arg(i));
    menu.resize(200, 400);
    // A tall menu shows the long text, a short one a shorter one.
    const QString tall = menu.BannerText();
    menu.resize(200, 90);
    const QString shortText = menu.BannerText();
    EXPECT_TRUE(tall.startsWith(" QxEditor for Windows")) << tall.toStdString();
    EXPECT_LT(shortText.size(), tall.size());

    menu.resize(200, 400);
    const auto stripAndItems = [&](int set) {
        menu.SetColorSet(set);
        const QImage image = menu.grab().toImage();
        return std::make_pair(image.pixelColor(3, 3), image.pixelColor(150, 3));
    };
    const auto [strip0, items0] = stripAndItems(0);
    const auto [strip2, items2] = stripAndItems(2);
    EXPECT_NE(strip0, items0);  // the strip is painted over the menu's background
    EXPECT_NE(strip0, strip2);  // in the colours of its set
    EXPECT_EQ(items0, items2);
    EXPECT_EQ(stripAndItems(7).first, strip0);  // an unknown set gives the first
}

} // namespace
} // namespace qx
