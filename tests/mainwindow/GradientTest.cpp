#include "dialogs/Gradient.h"
#include "mainwindow/bars/SystemResources.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(BankersRound, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2},
                                            {33.333, 33}, {66.667, 67}, {0.49, 0}, {0.51, 1}, {7.0, 7}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(BankersRound(value), rounded) << value;
}

TEST(GradientBands, BandsRunFromTheStartToTheEndColour)
{
    // 100 pixels in 3 steps: bands of 33, four of them, covering 132 pixels: nothing left to fill.
    const auto bands = GradientBands(100, 2, RGBColor(0, 0, 0), RGBColor(255, 100, 10));
    ASSERT_EQ(bands.size(), 4u);
    const TGradBand expected[] = {{0, 33, RGBColor(0, 0, 0)},
                                  {33, 33, RGBColor(85, 33, 3)},
                                  {66, 33, RGBColor(170, 67, 7)},
                                  {99, 33, RGBColor(255, 100, 10)}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bands[i], expected[i]) << i;

    // GradStep 0: the first band fills the box in the start colour, the second lies outside.
    const auto one = GradientBands(50, 0, clWhite, clBlack);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0], (TGradBand{0, 50, clWhite}));
    EXPECT_EQ(one[1].Offset, 50);
}

TEST(GradientBands, NoPixelIsLeftUnpainted)
{
    // Rounded-down bands leave space at the end, less than a band or more: it takes the last colour.
    for (int length : {1, 7, 100, 300, 301, 999, 1000}) {
        for (int step : {0, 1, 2, 7, 128, 255}) {
            const auto bands = GradientBands(length, step, clWhite, clBlack);
            int covered = 0;
            for (const TGradBand& band : bands) {
                EXPECT_EQ(band.Offset, covered) << length << "/" << step;
                covered = band.Offset + band.Size;
            }
            EXPECT_GE(covered, length) << length << "/" << step;
            EXPECT_EQ(bands.back().Color, clBlack) << length << "/" << step;
        }
    }
    // 300 pixels in 129 steps: bands of 2 cover 260; the last 40 pixels are filled.
    const auto bands = GradientBands(300, 128, clWhite, clBlack);
    EXPECT_EQ(bands.back(), (TGradBand{260, 40, clBlack}));
    EXPECT_TRUE(GradientBands(0, 128, clWhite, clBlack).empty());
}

TEST(ProgressPercent, RoundsAndStaysInRange)
{
    const std::tuple<int, int, int> cases[] = {{3, 2, 67}, {3, 1, 33}, {8, 1, 12}, {200, 1, 0},
                                               {200, 3, 2}, {0, 5, 0}, {1, 0, 0}, {1, 1, 100},
                                               {4, 9, 100}, {4, -1, 0}};
    for (const auto& [maximum, position, percent] : cases)
        EXPECT_EQ(ProgressPercent(maximum, position), percent) << maximum << "/" << position;
}

TEST(SystemResources, EveryFigureIsUnknown)
{
    EXPECT_EQ(GetSystemResourceTexts(), (std::array<std::string, 3>{"???", "???", "???"}));
    EXPECT_EQ(ResourceStatusText(2), "System resource: ???%");
    EXPECT_EQ(ResourceStatusText(3), "GDI resource: ???%");
    EXPECT_EQ(ResourceStatusText(4), "User resource: ???%");
    EXPECT_EQ(ResourceStatusText(1), "");
}

TEST(SystemResources, DiskSpaceInWholeMegabytesAndItsShare)
{
    constexpr std::uint64_t MB = 1024 * 1024;
    const std::tuple<std::uint64_t, std::uint64_t, const char*> cases[] = {
        {4096 * MB, 1024 * MB, "Disk space: 1024MB (25%)"},
        {3 * MB, 2 * MB + MB / 2, "Disk space: 2MB (66%)"},
        {8000000 * MB, 7999999 * MB, "Disk space: 7999999MB (99%)"},  // no overflow on large drives
        {MB / 2, MB / 4, "Disk space: 0MB (???%)"},                   // a drive below a megabyte
        {0, 0, "Disk space: 0MB (???%)"},
    };
    for (const auto& [total, free, text] : cases) EXPECT_EQ(DiskSpaceStatusText(total, free), text);
}
