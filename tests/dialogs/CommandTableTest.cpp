#include "dialogs/CommandTable.h"

#include "platform/ShortCut.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace qx {
namespace {

TEST(CommandTable, SectionsAreConsecutiveWithTheirRowCounts)
{
    const auto table = CommandShortCutTable();
    ASSERT_EQ(static_cast<int>(table.size()), CommandCount);
    const std::pair<std::string_view, int> expected[] = {{"File", 16}, {"Edit", 43},   {"Search", 30},
                                                         {"View", 12}, {"Project", 15}, {"Tool", 18},
                                                         {"Window", 8}, {"Help", 4},    {"Other", 7}};
    std::size_t row = 0;
    for (const auto& [section, count] : expected) {
        for (int i = 0; i < count; ++i, ++row) {
            ASSERT_LT(row, table.size());
            EXPECT_EQ(table[row].Section, section) << "row " << row + 1;
        }
    }
    EXPECT_EQ(row, table.size());
    ASSERT_EQ(CommandSections().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(CommandSections()[i], expected[i].first);
}

TEST(CommandTable, KeysAreUniqueWithinSectionsActionsEverywhereAndDefaultsRead)
{
    std::set<std::pair<std::string, std::string>> keys;
    std::set<std::string_view> actions;
    std::map<TShortCut, std::string_view> defaults;
    for (const TCommandShortCut& row : CommandShortCutTable()) {
        EXPECT_TRUE(keys.insert({std::string(row.Section), std::string(row.Name)}).second) << row.Name;
        EXPECT_TRUE(actions.insert(row.Action).second) << row.Action;
        EXPECT_EQ(row.Action.substr(0, 6), "Action") << row.Action;
        EXPECT_FALSE(row.Caption.empty()) << row.Name;
        if (row.DefaultShortCut.empty()) continue;
        const TShortCut key = TextToShortCut(row.DefaultShortCut);
        EXPECT_NE(key, 0) << row.Name << " " << row.DefaultShortCut;
        // A default reads back to its own text, and no two commands share one.
        EXPECT_EQ(ShortCutToText(key), row.DefaultShortCut);
        EXPECT_TRUE(defaults.insert({key, row.Name}).second) << row.DefaultShortCut;
    }
    // The names shared by [File] and [Project] resolve by section.
    EXPECT_EQ(CommandShortCutTable()[FindCommand("file", "new")].Action, "ActionNew");
    EXPECT_EQ(CommandShortCutTable()[FindCommand("Project", "New")].Action, "ActionProjectNew");
    EXPECT_EQ(FindCommand("Project", "Close"), -1);
    EXPECT_EQ(CommandShortCutTable()[FindCommandByAction("ActionTagJump")].DefaultShortCut, "Ctrl+Enter");
}

TEST(KeySetTree, CoversEveryRowOnceUnderItsSectionAndGroups)
{
    const auto tree = KeySetTree();
    ASSERT_EQ(static_cast<int>(tree.size()), KeyTreeNodeCount);
    std::multiset<int> rows;
    int sectionIndex = -1;
    for (const TKeyTreeNode& node : tree) {
        if (node.Level == 0) {
            ++sectionIndex;
            continue;
        }
        if (!node.IsCommand()) continue;
        rows.insert(node.Row);
        EXPECT_EQ(CommandShortCutTable()[node.Row].Section, CommandSections()[sectionIndex]) << node.Caption;
        EXPECT_EQ(node.Caption, CommandShortCutTable()[node.Row].Caption);
    }
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(CommandCount));
    for (int row = 0; row < CommandCount; ++row) EXPECT_EQ(rows.count(row), 1u) << "row " << row;
}

TEST(KeySetTree, SectionAndGroupNodesStandWhereTheDialogShowsThem)
{
    struct Node {
        int Index;
        std::string_view Caption;
        int Level;
        int Children;
    };
    const Node expected[] = {
        {0, "ファイル", 0, 16},     {5, "読み直す", 1, 1},          {18, "編集", 0, 12},
        {27, "その他の選択", 1, 6}, {34, "高度な編集", 1, 9},       {44, "変換", 1, 8},
        {53, "挿入", 1, 12},        {66, "検索", 0, 11},            {71, "しおりの設定", 1, 11},
        {83, "しおりに移動", 1, 10}, {99, "表示", 0, 8},            {104, "折り返しモード", 1, 5},
        {113, "プロジェクト", 0, 14}, {122, "このアイテムの下にファイルを登録", 1, 2},
        {130, "ツール", 0, 10},      {134, "キーマクロ", 1, 4},      {141, "ファイル操作", 1, 6},
        {151, "ウインドウ", 0, 8},   {160, "ヘルプ", 0, 4},          {165, "その他", 0, 7},
    };
    const auto tree = KeySetTree();
    int groups = 0;
    for (const TKeyTreeNode& node : tree) groups += node.IsCommand() ? 0 : 1;
    EXPECT_EQ(groups, static_cast<int>(std::size(expected)));
    for (const Node& e : expected) {
        const TKeyTreeNode& node = tree[static_cast<std::size_t>(e.Index)];
        EXPECT_FALSE(node.IsCommand()) << e.Caption;
        EXPECT_EQ(node.Caption, e.Caption);
        EXPECT_EQ(node.Level, e.Level) << e.Caption;
        int children = 0;
        for (std::size_t i = static_cast<std::size_t>(e.Index) + 1; i < tree.size() && tree[i].Level > e.Level; ++i)
            children += tree[i].Level == e.Level + 1 ? 1 : 0;
        EXPECT_EQ(children, e.Children) << e.Caption;
    }
    // Within a group the dialog's order, not the table's.
    EXPECT_EQ(CommandShortCutTable()[tree[31].Row].Name, "LineToEnd2");
    EXPECT_EQ(CommandShortCutTable()[tree[56].Row].Name, "InsertStr");
    EXPECT_EQ(CommandShortCutTable()[tree[114].Row].Name, "ItemOpen");
}

TEST(ActionTable, HoldsTheAssignableRowsFirstThenTheKeylessActionsEachOnce)
{
    const auto actions = ActionTable();
    ASSERT_EQ(static_cast<int>(actions.size()), ActionCount);
    std::set<std::string_view> names;
    for (int row = 0; row < ActionCount; ++row) {
        const TCommandShortCut& a = actions[static_cast<std::size_t>(row)];
        EXPECT_TRUE(names.insert(a.Action).second) << a.Action;
        EXPECT_FALSE(a.MenuCaption.empty()) << a.Action;
        EXPECT_FALSE(ActionCategory(row).empty()) << a.Action;
        EXPECT_EQ(FindAction(a.Action), row);
        if (row < CommandCount) {
            // The same rows as the key file's table, so a command's row is its action's row.
            EXPECT_EQ(&a, &CommandShortCutTable()[static_cast<std::size_t>(row)]);
        } else {
            EXPECT_TRUE(a.Name.empty()) << a.Action;
            EXPECT_EQ(FindCommandByAction(a.Action), -1) << a.Action;
        }
    }
    EXPECT_EQ(FindAction("ActionNothing"), -1);
}

TEST(ActionTable, MenuCaptionsAndCategoriesAsMenusShowThem)
{
    const struct {
        const char* Action;
        const char* MenuCaption;
        const char* Category;
    } cases[] = {
        {"ActionOpen", "開く(&O)...", "ファイル"},
        {"ActionPrintPreview", "印刷ﾌﾟﾚﾋﾞｭｰ(&W)...", "ファイル"},
        {"ActionCloseQxEditor", "終了", "ファイル"},
        {"ActionOmoji", "大文字に変換(ALPHABET)(&U)", "編集"},
        {"ActionShioriGo3", "しおり &3", "検索"},
        {"ActionFileMoveRename", "移動 && ﾘﾈｰﾑ(&F)...", "ツール"},
        {"ActionWordWrap", "折り返しﾓｰﾄﾞ(&W)", "表示"},
        {"ActionProjectItemExport", "エクスポート", "プロジェクト"},
        {"ActionCaretUp", "カーソル上移動", "特殊"},
        {"ActionKeyBoxSelectLeft", "矩形選択(左)", "特殊"},
    };
    for (const auto& c : cases) {
        const int row = FindAction(c.Action);
        ASSERT_GE(row, 0) << c.Action;
        EXPECT_EQ(ActionTable()[static_cast<std::size_t>(row)].MenuCaption, c.MenuCaption);
        EXPECT_EQ(ActionCategory(row), c.Category) << c.Action;
    }
    // The keyboard box selection keeps its own keys outside the assignable rows.
    EXPECT_EQ(ActionTable()[static_cast<std::size_t>(FindAction("ActionKeyBoxSelectDown"))].DefaultShortCut,
              "Shift+Alt+Down");
}

} // namespace
} // namespace qx
