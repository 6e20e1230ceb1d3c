#include "documents/FileDialogs.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(FileDialogs, FiltersTakeQtsFormWithoutTheirOwnPatternLists)
{
    const std::string open =
        "ﾃｷｽﾄ文書 (*.txt;*.log)|*.txt;*.log|全てのﾌｧｲﾙ (*.*)|*.*|ﾕｰｻﾞｰ指定 1(*.qxp;*.qxh)|*.qxp;*.qxh|"
        "ﾕｰｻﾞｰ指定 2(*.*)|*.*|plain|*.c;;*.h";
    EXPECT_EQ(QtNameFilters(open), (std::vector<std::string>{"ﾃｷｽﾄ文書 (*.txt *.log)", "全てのﾌｧｲﾙ (*)",
                                                             "ﾕｰｻﾞｰ指定 1 (*.qxp *.qxh)", "ﾕｰｻﾞｰ指定 2 (*)",
                                                             "plain (*.c *.h)"}));
    // No filter at all means every file; a nameless filter is named by its patterns.
    EXPECT_EQ(QtNameFilters(""), (std::vector<std::string>{"*.* (*)"}));
    EXPECT_EQ(QtNameFilters("|*.md"), (std::vector<std::string>{"*.md (*.md)"}));
}

TEST(FileDialogs, TheOneBasedIndexPicksAFilterAndAnIndexOutsidePicksTheFirst)
{
    const struct {
        int Index;
        int Count;
        int Place;
    } cases[] = {{1, 6, 0}, {6, 6, 5}, {4, 6, 3}, {0, 6, 0}, {7, 6, 0}, {-1, 6, 0}, {1, 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(QtFilterPlace(c.Index, c.Count), c.Place) << c.Index << "/" << c.Count;
}

} // namespace
} // namespace qx
