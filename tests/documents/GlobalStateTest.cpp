#include "documents/GlobalState.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(GlobalState, ListsComeWithTheirComparisons)
{
    TGlobalState state;
    CreateGlobalLists(state);
    TStringList& ext = state.EnvExtList[3];
    ext.Add("*.txt");
    ext.Add("*.txt");
    ext.Add("*.TXT");
    EXPECT_EQ(ext.Count(), 1);
    EXPECT_EQ(ext.IndexOf("*.Txt"), 0);
    int index;
    EXPECT_TRUE(ext.Find("*.TXT", index));

    // File names are case-sensitive here.
    state.RecentFileList.Add("/tmp/a.txt");
    EXPECT_EQ(state.RecentFileList.IndexOf("/tmp/A.txt"), -1);
    EXPECT_EQ(state.RecentFileList.IndexOf("/tmp/a.txt"), 0);

    state.TabIdList.Add("1");
    state.ProjectItemList.Add({.Name = "x"});
    FreeGlobalLists(state);
    EXPECT_EQ(state.TabIdList.Count(), 0);
    EXPECT_EQ(state.ProjectItemList.Count(), 0);
    EXPECT_EQ(state.RecentFileList.Count(), 0);
}

TEST(GlobalState, ResetGivesAFreshObject)
{
    Globals().LastFileName = "/tmp/x";
    Globals().Settings.Option.InyouString1 = "#";
    Globals().UserToolBar1 = {1, 2};
    ResetGlobals();
    EXPECT_EQ(Globals().LastFileName, "");
    EXPECT_EQ(Globals().Settings.Option.InyouString1, ">");
    EXPECT_TRUE(Globals().UserToolBar1.empty());
}

TEST(GlobalState, JapaneseDefaultsHaveTheirCodes)
{
    const TMainSettings settings;
    for (const std::string* text : {&settings.Project.FontName, &settings.Printer.FontName})
        EXPECT_EQ(text->find('?'), std::string::npos);
    EXPECT_EQ(Cp932ToUtf8(settings.Project.FontName), "ＭＳ Ｐゴシック");
    EXPECT_EQ(Cp932ToUtf8(settings.Printer.FontName), "ＭＳ 明朝");
}
