#include "platform/Collection.h"

#include "platform/Exception.h"

#include <string>

namespace qx {

int TCollectionItem::Index() const
{
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this) return static_cast<int>(i);
    return -1;
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::~TCollection() = default;

TCollectionItem* TCollection::GetItem(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[index].get();
}

TCollectionItem* TCollection::Add()
{
    auto item = NewItem();
    item->FCollection = this;
    item->FID = FNextID++;
    FItems.push_back(std::move(item));
    Changed();
    return FItems.back().get();
}

void TCollection::Delete(int index)
{
    GetItem(index);  // range check
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TCollection::Clear()
{
    if (FItems.empty()) return;
    BeginUpdate();
    FItems.clear();
    EndUpdate();
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0) Update(nullptr);
}

} // namespace qx
