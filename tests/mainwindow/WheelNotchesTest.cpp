#include "mainwindow/WheelNotches.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

TEST(WheelNotches, SmallDeltasAddUpAndATurnBackStartsAfresh)
{
    struct Step {
        int Delta, Notches;
    };
    TWheelNotches wheel;
    for (const Step& s : std::vector<Step>{{40, 0}, {40, 0}, {40, 1}, {-60, 0}, {-60, -1}, {30, 0},
                                           {-120, -1}, {360, 3}, {-1, 0}})
        EXPECT_EQ(wheel.Add(s.Delta), s.Notches) << s.Delta;
}

TEST(WheelNotches, RowsAndTabs)
{
    EXPECT_EQ(WheelScrollRows(-1, false, 3, 40), 3);   // toward the user: three rows down
    EXPECT_EQ(WheelScrollRows(2, false, 3, 40), -6);
    EXPECT_EQ(WheelScrollRows(-1, true, 3, 40), 40);   // a page per notch
    EXPECT_EQ(WheelTab(0, 3, -1), 1);
    EXPECT_EQ(WheelTab(2, 3, -1), 0);  // round past the last
    EXPECT_EQ(WheelTab(0, 3, 1), 2);
    EXPECT_EQ(WheelTab(1, 3, 7), 0);
    EXPECT_EQ(WheelTab(0, 0, 1), -1);
}

} // namespace
} // namespace qx
