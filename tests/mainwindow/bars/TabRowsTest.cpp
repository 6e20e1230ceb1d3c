#include "mainwindow/bars/TabRows.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(TabRows, TabsFillRowsInOrderAndWrapWhenTheNextDoesNotFit)
{
    struct Case {
        std::vector<int> Widths;
        int Available;
        std::vector<TTabCell> Cells;
    };
    const Case cases[] = {
        {{}, 100, {}},
        {{40, 60}, 100, {{0, 0, 40}, {0, 40, 60}}},
        {{40, 61, 30}, 100, {{0, 0, 40}, {1, 0, 61}, {1, 61, 30}}},
        // A tab wider than the row has a row of its own, cut to it.
        {{30, 150, 20}, 100, {{0, 0, 30}, {1, 0, 100}, {2, 0, 20}}},
        // No room at all still gives every tab a place.
        {{10, 10}, 0, {{0, 0, 1}, {1, 0, 1}}},
    };
    for (const Case& c : cases) {
        const std::vector<TTabCell> cells = LayTabRows(c.Widths, c.Available);
        EXPECT_EQ(cells, c.Cells);
        EXPECT_EQ(TabRowCount(cells), c.Cells.empty() ? 1 : c.Cells.back().Row + 1);
    }
}

TEST(TabRows, APointFindsTheTabOfItsRow)
{
    const std::vector<TTabCell> cells = LayTabRows({40, 61, 30}, 100);
    EXPECT_EQ(TabCellAt(cells, 20, 0, 0), 0);
    EXPECT_EQ(TabCellAt(cells, 20, 39, 19), 0);
    EXPECT_EQ(TabCellAt(cells, 20, 50, 10), -1) << "the rest of a row is no tab";
    EXPECT_EQ(TabCellAt(cells, 20, 50, 20), 1);
    EXPECT_EQ(TabCellAt(cells, 20, 61, 39), 2);
    EXPECT_EQ(TabCellAt(cells, 20, 61, 40), -1);
    EXPECT_EQ(TabCellAt(cells, 20, 5, -1), -1);
}

} // namespace
} // namespace qx
