#include "editor/NotifyObjects.h"
#include "editor/PropertyWalk.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {
class Options : public TNotifyPersistent {
public:
    void SetValue(int v)
    {
        if (v == value) return;
        value = v;
        Changed();
    }
    int value = 0;
};

struct Counter {
    int calls = 0;
    std::vector<TObject*> senders;
    void Handler(TObject* sender)
    {
        ++calls;
        senders.push_back(sender);
    }
    void Other(TObject*) {}
};
} // namespace

TEST(TNotifyPersistent, AnnouncesOnceAfterTheOutermostEndUpdate)
{
    Options o;
    int changes = 0;
    o.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &o);
        ++changes;
    };
    o.BeginUpdate();
    o.SetValue(1);
    o.SetValue(2);
    o.SetValue(3);
    EXPECT_EQ(changes, 0);
    o.EndUpdate();
    EXPECT_EQ(changes, 1);

    o.BeginUpdate();
    o.BeginUpdate();
    o.EndUpdate();
    EXPECT_EQ(changes, 1);
    o.EndUpdate();
    EXPECT_EQ(changes, 2);  // fires even though nothing changed

    o.EndUpdate();  // unbalanced: the counter never goes below zero
    EXPECT_EQ(o.UpdateCount(), 0);
    EXPECT_EQ(changes, 3);
    o.SetValue(4);
    EXPECT_EQ(changes, 4);
}

TEST(TNotifyPersistent, ChangedProcIgnoresItself)
{
    Options top, sub;
    int changes = 0;
    top.OnChange = [&](TObject*) { ++changes; };
    sub.OnChange = top.ChangedProcEvent();
    top.ChangedProc(&top);
    EXPECT_EQ(changes, 0);
    sub.SetValue(5);  // reaches the top object
    EXPECT_EQ(changes, 1);
}

TEST(TMethodList, KeepsDuplicatesAndRemovesTheLastMatch)
{
    Counter a, b;
    TMethodList list;
    list.Add(MakeMethod(&a, &Counter::Handler));
    list.Add(MakeMethod(&b, &Counter::Handler));
    list.Add(MakeMethod(&a, &Counter::Handler));
    list.Remove(MakeMethod(&a, &Counter::Other));  // same object, other handler: no match
    EXPECT_EQ(list.Count(), 3);
    list.Remove(MakeMethod(&a, &Counter::Handler));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Data, &a);
    EXPECT_EQ(list.Items(1).Data, &b);
    list.Remove(MakeMethod(&b, &Counter::Other));
    EXPECT_EQ(list.Count(), 2);
}

TEST(TNotifyEventList, BroadcastsOnceWithTheOwnerAndToleratesSelfRemoval)
{
    Options owner;
    TNotifyEventList events(&owner);
    Counter a, b;
    events.Add(MakeMethod(&a, &Counter::Handler));
    events.Add(MakeMethod(&a, &Counter::Handler));
    events.Add(MakeMethod(&b, &Counter::Handler));
    events.BeginUpdate();
    events.Changed();
    events.Changed();
    events.EndUpdate();
    EXPECT_EQ(a.calls, 2);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(b.senders.front(), &owner);

    // A listener that removes itself during the broadcast: everyone registered is still called once.
    int selfCalls = 0;
    const int key = 0;
    TMethod self = MakeMethod(&key, 1, [&](TObject*) {
        ++selfCalls;
        events.Remove(self);
    });
    events.Add(self);
    events.Changed();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(b.calls, 2);
    events.Changed();
    EXPECT_EQ(selfCalls, 1);
}

namespace {
class Extensions : public TFileExtComponent {
public:
    using TFileExtComponent::TFileExtComponent;

protected:
    void InitFileExtList() override { FileExtList().Add("txt"); }
};
} // namespace

TEST(TFileExtComponent, HoldsASortedCaseInsensitiveSet)
{
    auto plain = Construct<TFileExtComponent>();
    EXPECT_FALSE(plain->HasExt("txt"));
    auto ext = Construct<Extensions>();
    EXPECT_TRUE(ext->HasExt("TXT"));
    ext->FileExtList().Add(".c");
    ext->FileExtList().Add(".C");
    EXPECT_EQ(ext->FileExtList().Count(), 2);
    TStringList other;
    other.Add("pas");
    ext->SetFileExtList(other);
    EXPECT_FALSE(ext->HasExt("txt"));
    EXPECT_TRUE(ext->HasExt("PAS"));
}

namespace {
class Leaf : public TPersistent {
public:
    void GetPublishedProperties(std::vector<TPropInfo>& props) override
    {
        props.push_back({"Color", TTypeKind::tkInteger});
    }
};

class LeafItem : public TCollectionItem {
public:
    void GetPublishedProperties(std::vector<TPropInfo>& props) override
    {
        props.push_back({"ItemColor", TTypeKind::tkInteger});
    }
};

class LeafItems : public TCollection {
protected:
    std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<LeafItem>(); }
};

class Root : public TPersistent {
public:
    Leaf first, second;
    LeafItems items;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override
    {
        props.push_back({"First", TTypeKind::tkClass, &first});
        props.push_back({"Name", TTypeKind::tkString});
        props.push_back({"Items", TTypeKind::tkClass, &items});
        props.push_back({"Second", TTypeKind::tkClass, &second});
    }
};
} // namespace

TEST(ForEachPublishedProperty, WalksTheTreeInOrderWithCollectionItems)
{
    Root root;
    root.items.Add();
    root.items.Add();
    std::vector<std::string> seen;
    ForEachPublishedProperty(&root, KindBit(TTypeKind::tkClass) | KindBit(TTypeKind::tkInteger),
                             [&](void* data, TObject*, const TPropInfo& p) {
                                 EXPECT_EQ(data, &seen);
                                 seen.push_back(p.Name);
                             },
                             &seen);
    const std::vector<std::string> expected{"First",     "Color",     "Items", "ItemColor",
                                            "ItemColor", "Second",    "Color"};
    EXPECT_EQ(seen, expected);

    seen.clear();
    ForEachPublishedProperty(&root, KindBit(TTypeKind::tkInteger),
                             [&](void*, TObject*, const TPropInfo& p) { seen.push_back(p.Name); }, nullptr);
    EXPECT_TRUE(seen.empty());  // without the class kind the walk does not descend
}
