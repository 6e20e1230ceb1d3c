#include "mainwindow/bars/ControlBar.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

// The colours a shape list paints with, and whether any shape touches a point.
bool Uses(const std::vector<TBarShape>& Shapes, TColor Color)
{
    return std::any_of(Shapes.begin(), Shapes.end(), [&](const TBarShape& s) { return s.Color == Color; });
}
bool HasPixel(const std::vector<TBarShape>& Shapes, TColor Color, TBarPoint At)
{
    for (const TBarShape& s : Shapes)
        if (s.Kind == TBarShape::Pixels && s.Color == Color &&
            std::find(s.Points.begin(), s.Points.end(), At) != s.Points.end())
            return true;
    return false;
}

TEST(ControlBar, FoldTabsFollowTheFoldedBandsHeights)
{
    const std::vector<TFoldTab> one = FoldTabs({22});
    EXPECT_EQ(one, (std::vector<TFoldTab>{{0, 37}}));
    const std::vector<TFoldTab> three = FoldTabs({22, 26, 10});
    EXPECT_EQ(three, (std::vector<TFoldTab>{{0, 37}, {37, 41}, {78, 25}}));
    const struct {
        int X;
        int Tab;
    } hits[] = {{0, 0}, {36, 0}, {37, 1}, {77, 1}, {78, 2}, {102, 2}, {103, -1}, {-1, -1}};
    for (const auto& h : hits) EXPECT_EQ(FoldTabAt(three, h.X), h.Tab) << h.X;
    EXPECT_EQ(FoldTabAt({}, 0), -1);
    // The strip is the bottom ten pixels.
    EXPECT_FALSE(InFoldStrip(29, 40));
    EXPECT_TRUE(InFoldStrip(30, 40));
    EXPECT_TRUE(InFoldStrip(39, 40));
    EXPECT_FALSE(InFoldStrip(40, 40));
}

TEST(ControlBar, AClickFoldsButTheEndOfADragDoesNot)
{
    TBandClickTracker clicks;
    clicks.Pressed();
    EXPECT_TRUE(clicks.IsClick());
    clicks.Realigned();  // the band moved while the button was down
    EXPECT_FALSE(clicks.IsClick());
    clicks.Pressed();    // the next press starts afresh
    EXPECT_TRUE(clicks.IsClick());
}

TEST(ControlBar, BandStylesAndLedColours)
{
    EXPECT_EQ(BandTypeOfStyle(0), TCuteBandType::cbtNormal);
    EXPECT_EQ(BandTypeOfStyle(1), TCuteBandType::cbtJust);
    EXPECT_EQ(BandTypeOfStyle(2), TCuteBandType::cbtNetscape);
    EXPECT_EQ(LedColor(TCuteBandType::cbtGreenLED, false), 0x008000);
    EXPECT_EQ(LedColor(TCuteBandType::cbtGreenLED, true), 0x00FF00);
    EXPECT_EQ(LedColor(TCuteBandType::cbtOrangeLED, true), 0x4080FF);
    EXPECT_EQ(LedColor(TCuteBandType::cbtBlueLED, false), 0x800000);
    EXPECT_EQ(LedColor(TCuteBandType::cbtNetscape, true), clNone);
}

TEST(ControlBar, GripsByStyleHeightAndHover)
{
    // The standard grabber stays the platform's.
    EXPECT_TRUE(BandGrip(TCuteBandType::cbtNormal, 0, 0, 100, 26, true).empty());
    // An LED band turns bright under the mouse; one lower than 7 pixels keeps the standard grabber.
    const auto dim = BandGrip(TCuteBandType::cbtGreenLED, 0, 0, 100, 26, false);
    const auto bright = BandGrip(TCuteBandType::cbtGreenLED, 0, 0, 100, 26, true);
    EXPECT_TRUE(Uses(dim, 0x008000) && !Uses(dim, 0x00FF00));
    EXPECT_TRUE(Uses(bright, 0x00FF00) && !Uses(bright, 0x008000));
    EXPECT_TRUE(BandGrip(TCuteBandType::cbtGreenLED, 0, 0, 100, 6, false).empty());
    // Rows every three pixels from the top + 3: (26 - 6) / 3 + 1 = 7 rows of two lines.
    EXPECT_EQ(dim.size(), 14u);
    EXPECT_EQ(dim.front().Points, (std::vector<TBarPoint>{{2, 3}, {8, 3}}));
    // Netscape: the band filled only under the mouse, the knurl starting at the band's top + 9.
    const auto net = BandGrip(TCuteBandType::cbtNetscape, 5, 2, 80, 22, false);
    const auto netHover = BandGrip(TCuteBandType::cbtNetscape, 5, 2, 80, 22, true);
    EXPECT_FALSE(Uses(net, 0xFFC8CF));
    ASSERT_TRUE(Uses(netHover, 0xFFC8CF));
    EXPECT_EQ(netHover.front().Points, (std::vector<TBarPoint>{{5, 2}, {85, 24}}));
    EXPECT_TRUE(HasPixel(net, clWhite, {8, 11}));
    EXPECT_TRUE(HasPixel(net, clGray, {13, 5}));
    EXPECT_TRUE(HasPixel(netHover, 0x60302F, {13, 5}));
    // A Netscape band of 14 pixels or less shows its line only.
    EXPECT_EQ(BandGrip(TCuteBandType::cbtNetscape, 0, 0, 80, 14, false).size(), 1u);
    // Just: dots every four pixels.
    const auto just = BandGrip(TCuteBandType::cbtJust, 0, 0, 80, 15, false);
    EXPECT_TRUE(HasPixel(just, clBtnHighlight, {2, 3}));
    EXPECT_TRUE(HasPixel(just, clBtnShadow, {9, 8}));
    EXPECT_TRUE(BandGrip(TCuteBandType::cbtJust, 0, 0, 80, 7, false).empty());
}

TEST(ControlBar, TheStripDrawsALineAndOneOutlinedTabPerFoldedBand)
{
    EXPECT_TRUE(FoldStripShapes(TCuteBandType::cbtNormal, {}, 5, 200, -1).empty());
    const std::vector<TFoldTab> tabs = FoldTabs({22, 22});
    const auto shapes = FoldStripShapes(TCuteBandType::cbtNetscape, tabs, 5, 200, 1);
    EXPECT_EQ(shapes.front().Points, (std::vector<TBarPoint>{{0, 4}, {200, 4}}));
    std::vector<std::vector<TBarPoint>> outlines;
    std::vector<TColor> faces;
    for (const TBarShape& s : shapes)
        if (s.Kind == TBarShape::Polygon && s.Outline == clBlack) {
            outlines.push_back(s.Points);
            faces.push_back(s.Color);
        }
    EXPECT_EQ(outlines, (std::vector<std::vector<TBarPoint>>{{{0, 14}, {0, 5}, {46, 5}, {37, 14}},
                                                            {{37, 14}, {46, 5}, {83, 5}, {74, 14}}}));
    // The hovered tab of a Netscape bar is highlighted.
    EXPECT_EQ(faces, (std::vector<TColor>{clBtnFace, 0xFFC8CF}));
    // A bright LED mark on the hovered tab only.
    const auto led = FoldStripShapes(TCuteBandType::cbtBlueLED, tabs, 5, 200, 0);
    EXPECT_TRUE(Uses(led, 0xFFFF00) && Uses(led, 0x800000));
}

} // namespace
} // namespace qx
