#include "editor/NotifyObjects.h"

#include <utility>

namespace qx {

void TNotifyPersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TNotifyPersistent::BeginUpdate() { ++FUpdateCount; }

void TNotifyPersistent::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TNotifyPersistent::ChangedProc(TObject* Sender)
{
    if (Sender != this) Changed();
}

void TNotifyCollection::ChangedProc(TObject* Sender)
{
    if (Sender != this) Changed();
}

void TNotifyCollection::Update(TCollectionItem* Item)
{
    (void)Item;
    if (OnChange) OnChange(this);
}

TMethod MakeMethod(const void* Key, int Tag, std::function<void(TObject*)> Fn)
{
    TMethod m;
    m.Data = Key;
    std::memcpy(m.Code.data(), &Tag, sizeof(Tag));
    m.Invoke = std::move(Fn);
    return m;
}

int TMethodList::Add(const TMethod& Method)
{
    FItems.push_back(Method);
    return Count() - 1;
}

void TMethodList::Remove(const TMethod& Method)
{
    for (auto i = FItems.size(); i-- > 0;) {
        if (FItems[i].SameAs(Method)) {
            FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void TNotifyEventList::Changed()
{
    if (FUpdateCount != 0) return;
    const std::vector<TMethod> snapshot = List.All();
    for (const auto& method : snapshot)
        if (method.Invoke) method.Invoke(GetOwner());
}

void TFileExtComponent::AfterConstruction()
{
    TStoreComponent::AfterConstruction();
    FFileExtList = CreateFileExtList();
    InitFileExtList();
}

std::unique_ptr<TStringList> TFileExtComponent::CreateFileExtList()
{
    auto list = std::make_unique<TStringList>();
    list->SetSorted(true);
    list->SetDuplicates(TDuplicates::dupIgnore);
    return list;
}

void TFileExtComponent::SetFileExtList(const TStringList& Value) { FFileExtList->Assign(Value); }

bool TFileExtComponent::HasExt(const std::string& Ext) const
{
    int index;
    return FFileExtList->Find(Ext, index);
}

} // namespace qx
