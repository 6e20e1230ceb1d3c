#include "dialogs/ToolBarSetModel.h"

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

TEST(ToolBarSetModel, TheListOperationsAtTheirEdges)
{
    TToolBarSetModel model({5, 6, 7}, {});
    struct Case {
        const char* What;
        std::function<int()> Run;
        int Index;
        std::vector<int> Bar;
    };
    const Case cases[] = {
        {"add without a selection goes to the top", [&] { return model.Add(0, 1, -1); }, 0, {1, 5, 6, 7}},
        {"add with the first selected goes to the top", [&] { return model.Add(0, 2, 0); }, 0, {2, 1, 5, 6, 7}},
        {"add goes before the selected entry", [&] { return model.Add(0, 3, 3); }, 3, {2, 1, 5, 3, 6, 7}},
        {"the first cannot move up", [&] { return model.Up(0, 0); }, 0, {2, 1, 5, 3, 6, 7}},
        {"up swaps with the one above", [&] { return model.Up(0, 3); }, 2, {2, 1, 3, 5, 6, 7}},
        {"the last cannot move down", [&] { return model.Down(0, 5); }, 5, {2, 1, 3, 5, 6, 7}},
        {"down swaps with the one below", [&] { return model.Down(0, 0); }, 1, {1, 2, 3, 5, 6, 7}},
        {"delete without a selection", [&] { model.Delete(0, -1); return -1; }, -1, {1, 2, 3, 5, 6, 7}},
        {"delete the selected entry", [&] { model.Delete(0, 5); return -1; }, -1, {1, 2, 3, 5, 6}},
        {"add to an empty bar", [&] { return model.Add(1, 99, -1); }, 0, {1, 2, 3, 5, 6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Run(), c.Index) << c.What;
        EXPECT_EQ(model.Bar(0), c.Bar) << c.What;
    }
    EXPECT_EQ(model.Bar(1), std::vector<int>{99});
    model.Reset();
    EXPECT_EQ(model.Bar(0), (std::vector<int>{0, 1, 99, 3, 4, 99, 6, 99, 9, 99, 12, 13, 99, 14, 15, 16, 18, 99, 38, 41}));
    EXPECT_EQ(model.Bar(1), (std::vector<int>{26, 27, 28, 99, 34, 99, 47, 50, 56, 99, 48, 58, 59, 99, 64, 99, 66, 99, 72, 11}));
}

} // namespace
} // namespace qx
