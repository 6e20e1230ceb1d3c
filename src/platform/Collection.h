#pragma once
// TCollection and TCollectionItem: an owned, ordered list of items of one class that reports every
// change of an item or of the whole list through Update, unless an update is in progress.

#include "platform/Object.h"

#include <memory>
#include <vector>

namespace qx {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    TCollectionItem() = default;
    ~TCollectionItem() override = default;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    int Index() const;
    int ID() const { return FID; }
    TPersistent* GetOwner() override;

protected:
    // Reports a change of this item (AllItems false) or of the whole collection (true).
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
public:
    TCollection() = default;
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Index outside 0..Count-1 raises EListError.
    TCollectionItem* GetItem(int index) const;
    template <class T> T* ItemAs(int index) const { return static_cast<T*>(GetItem(index)); }

    TCollectionItem* Add();
    void Delete(int index);
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    void GetPublishedProperties(std::vector<TPropInfo>& props) override { (void)props; }

protected:
    // Creates one item of the collection's class.
    virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
    // The per-item update notification: Item is null when the whole collection changed.
    virtual void Update(TCollectionItem* Item) { (void)Item; }
    // Reports a change of the whole collection when no update is in progress.
    void Changed();

private:
    friend class TCollectionItem;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

} // namespace qx
