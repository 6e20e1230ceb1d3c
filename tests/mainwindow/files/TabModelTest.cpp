#include "mainwindow/files/TabModel.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string Joined(const TStringList& L)
{
    std::string s;
    for (int i = 0; i < L.Count(); ++i) s += (i ? " " : "") + L[i];
    return s;
}

TEST(TabModel, NameKindsAndUse)
{
    EXPECT_TRUE(IsUntitled("無題 3"));
    EXPECT_FALSE(IsUntitled("/tmp/無題.txt"));
    EXPECT_TRUE(IsGrepResult("Grep 1"));
    EXPECT_TRUE(IsProjectTab("Project[4]:/a/b.txt"));
    for (const char* name : {"無題 3", "Grep 1", "Project[4]:/a/b.txt", ""}) EXPECT_FALSE(IsNamedFile(name)) << name;
    for (const char* name : {"/tmp/無題 1", "/tmp/Grep.txt"}) EXPECT_TRUE(IsNamedFile(name)) << name;
    // Only an untouched untitled tab may be reused.
    EXPECT_FALSE(TabInUse("無題 1", false));
    EXPECT_TRUE(TabInUse("無題 1", true));
    EXPECT_TRUE(TabInUse("Grep 1", false));
    EXPECT_TRUE(TabInUse("/a.txt", false));
}

TEST(TabModel, TitlesAndCaptions)
{
    struct Case {
        std::string Name;
        bool ShowFilePath, Modified;
        std::string Title, Caption;
    };
    const std::vector<Case> cases = {
        {"/home/u/R&D.txt", false, false, "QxEditor - [R&D.txt]", "R&&D.txt"},
        {"/home/u/R&D.txt", true, true, "QxEditor - [/home/u/R&D.txt]", "R&&D.txt *"},
        {"無題 2", false, true, "QxEditor - [無題 2]", "無題 2 *"},
        {"Grep a/b", false, false, "QxEditor - [Grep a/b]", "Grep a/b"},
    };
    for (const Case& c : cases) {
        const TDocumentTitles t = DocumentTitles(c.Name, c.ShowFilePath, c.Modified);
        EXPECT_EQ(t.Title, c.Title);
        EXPECT_EQ(t.Caption, c.Caption);
    }
}

TEST(TabModel, IdsFollowAddsClosesAndDrags)
{
    TStringList list;
    int counter = 0;
    TTabIds ids(list, counter);
    for (int i = 0; i < 4; ++i) ids.Add();
    ids.Remove(1);  // "2" goes
    EXPECT_EQ(Joined(list), "1 3 4");
    EXPECT_EQ(ids.Add(), "5");  // ids are never reused while tabs remain
    ids.Move(0, 2);
    EXPECT_EQ(Joined(list), "3 4 1 5");
    ids.Move(3, 0);
    EXPECT_EQ(Joined(list), "5 3 4 1");
    EXPECT_EQ(ids.PageOf("4"), 2);
    while (ids.Count() > 0) ids.Remove(0);
    EXPECT_EQ(ids.Add(), "1");  // the last close starts the numbers again
}

TEST(TabModel, PageAfterClose)
{
    // Closed page, pages before the close, TabCloseCtrl -> the page that becomes active.
    struct Case {
        int Closed, Count, Ctrl, Expected;
    };
    for (const Case& c : std::vector<Case>{{1, 4, 0, 1}, {3, 4, 0, 2}, {2, 4, 1, 1}, {0, 4, 1, 0},
                                            {2, 4, 2, 0}, {0, 4, 3, 2}, {0, 1, 0, -1}})
        EXPECT_EQ(PageAfterClose(c.Closed, c.Count, c.Ctrl), c.Expected) << c.Closed << " " << c.Ctrl;
}

TEST(TabModel, TabMarksFollowTheHighlightSetting)
{
    // Only the active tab is ever marked; the standard look and unknown values mark none.
    struct Case {
        int TabHiLight;
        bool Active;
        TTabMark Expected;
    };
    for (const Case& c : std::vector<Case>{{0, true, {}},
                                           {1, true, {true, -1}},
                                           {1, false, {}},
                                           {2, true, {false, ActiveTabImage}},
                                           {2, false, {}},
                                           {3, true, {}},
                                           {-1, true, {}}})
        EXPECT_EQ(TabMarkOf(c.TabHiLight, c.Active), c.Expected) << c.TabHiLight << " " << c.Active;
}

TEST(TabModel, DocumentMoves)
{
    struct Case {
        TTabMove Move;
        int Page, Count, Expected;
    };
    using M = TTabMove;
    for (const Case& c : std::vector<Case>{{M::First, 2, 4, 0}, {M::First, 0, 4, 0}, {M::Left, 2, 4, 1},
                                            {M::Left, 0, 4, 0}, {M::Right, 2, 4, 3}, {M::Right, 3, 4, 3},
                                            {M::Last, 1, 4, 3}, {M::Last, 3, 4, 3}, {M::Right, 0, 1, 0},
                                            {M::Left, -1, 0, -1}})
        EXPECT_EQ(TabMoveTarget(c.Move, c.Page, c.Count), c.Expected)
            << static_cast<int>(c.Move) << " " << c.Page << "/" << c.Count;
}

} // namespace
} // namespace qx
