#include "platform/Collection.h"
#include "platform/Color.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {
class Item : public TCollectionItem {
public:
    void Touch() { Changed(false); }
};

class Items : public TCollection {
public:
    std::vector<TCollectionItem*> updates;

protected:
    std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<Item>(); }
    void Update(TCollectionItem* item) override { updates.push_back(item); }
};
} // namespace

TEST(TCollection, ReportsItemAndWholeChangesOutsideUpdates)
{
    Items items;
    items.Add();
    auto* first = items.ItemAs<Item>(0);
    EXPECT_EQ(items.updates, std::vector<TCollectionItem*>{nullptr});
    first->Touch();
    EXPECT_EQ(items.updates.back(), first);
    EXPECT_EQ(first->Index(), 0);

    items.updates.clear();
    items.BeginUpdate();
    items.Add();
    first->Touch();
    EXPECT_TRUE(items.updates.empty());
    items.EndUpdate();
    EXPECT_EQ(items.updates, std::vector<TCollectionItem*>{nullptr});
    EXPECT_THROW(items.GetItem(2), EListError);
}

TEST(TColor, IdentifiersRoundTripWithoutRegardToCase)
{
    EXPECT_EQ(IdentToColor("clwindowtext"), clWindowText);
    EXPECT_EQ(IdentToColor("clNone"), clNone);
    EXPECT_FALSE(IdentToColor("clNothing").has_value());
    EXPECT_EQ(ColorToIdent(clSilver), "clSilver");
    EXPECT_EQ(ColorToIdent(clWindow), "clWindow");
    EXPECT_FALSE(ColorToIdent(0x123456).has_value());
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201);
    EXPECT_EQ(SystemColorFallback(clWindow), clWhite);
}
