#pragma once
// The option-object pattern of the editor: objects that announce every change through one OnChange,
// held back while an update is in progress, and listener lists through which one object notifies many.

#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/Object.h"
#include "platform/StringList.h"

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace qx {

class TNotifyPersistent : public TPersistent {
public:
    TNotifyEvent OnChange;
    int UpdateCount() const { return FUpdateCount; }

    // Fires OnChange(this) when no update is in progress.
    virtual void Changed();
    virtual void BeginUpdate();
    // Closes one update level (never below zero) and announces the batch once it is back at zero.
    virtual void EndUpdate();
    // Announces a change unless Sender is this object; owners hand it to their sub-objects' OnChange.
    virtual void ChangedProc(TObject* Sender);
    // ChangedProc bound to this object, ready to assign to a sub-object's OnChange.
    TNotifyEvent ChangedProcEvent()
    {
        return [this](TObject* Sender) { ChangedProc(Sender); };
    }

protected:
    int FUpdateCount = 0;
};

// A collection that reports every change of an item or of itself through OnChange.
class TNotifyCollection : public TCollection {
public:
    explicit TNotifyCollection(TPersistent* AOwner) : FOwner(AOwner) {}
    TNotifyEvent OnChange;
    TPersistent* GetOwner() override { return FOwner; }
    // Reports a change of the collection unless Sender is the collection itself.
    virtual void ChangedProc(TObject* Sender);
    TNotifyEvent ChangedProcEvent()
    {
        return [this](TObject* Sender) { ChangedProc(Sender); };
    }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

// A method pointer: the object and the identity of its handler, plus the call itself. Two methods are
// the same when both the object and the handler agree, as method pointers compare.
struct TMethod {
    const void* Data = nullptr;
    std::array<unsigned char, 2 * sizeof(void*)> Code{};
    std::function<void(TObject*)> Invoke;

    bool SameAs(const TMethod& other) const { return Data == other.Data && Code == other.Code; }
};

// The handler Fn of object Obj as a method pointer.
template <class C>
TMethod MakeMethod(C* Obj, void (C::*Fn)(TObject*))
{
    static_assert(sizeof(Fn) <= sizeof(TMethod::Code), "member pointer larger than expected");
    TMethod m;
    m.Data = Obj;
    std::memcpy(m.Code.data(), &Fn, sizeof(Fn));
    m.Invoke = [Obj, Fn](TObject* Sender) { (Obj->*Fn)(Sender); };
    return m;
}

// A handler that is not a member function: its identity is the pair (Key, Tag) given by the caller.
TMethod MakeMethod(const void* Key, int Tag, std::function<void(TObject*)> Fn);

class TMethodList {
public:
    int Add(const TMethod& Method);
    // Deletes the last entry that is the same method; nothing when there is none.
    void Remove(const TMethod& Method);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TMethod& Items(int Index) const { return FItems.at(Index); }
    const std::vector<TMethod>& All() const { return FItems; }

private:
    std::vector<TMethod> FItems;
};

// Listeners that are all called, in registration order with the owner as sender, on each change.
class TNotifyEventList : public TNotifyPersistent {
public:
    explicit TNotifyEventList(TPersistent* AOwner) : FOwner(AOwner) {}
    TMethodList List;

    virtual void Add(const TMethod& Event) { List.Add(Event); }
    virtual void Remove(const TMethod& Event) { List.Remove(Event); }
    // Calls every listener (a snapshot: a listener may remove itself) when no update is in progress.
    void Changed() override;
    TPersistent* GetOwner() override { return FOwner; }

private:
    TPersistent* FOwner;
};

// The base of components whose settings the application stores.
class TStoreComponent : public TComponent {
public:
    using TComponent::TComponent;
};

// A component that carries a sorted, duplicate-free, case-insensitive list of file extensions.
// Create it with Construct<T>(owner): the list is made and filled after construction.
class TFileExtComponent : public TStoreComponent {
public:
    using TStoreComponent::TStoreComponent;
    void AfterConstruction() override;

    TStringList& FileExtList() { return *FFileExtList; }
    virtual void SetFileExtList(const TStringList& Value);
    virtual bool HasExt(const std::string& Ext) const;

protected:
    virtual std::unique_ptr<TStringList> CreateFileExtList();
    // Descendants put their default extensions in.
    virtual void InitFileExtList() {}

private:
    std::unique_ptr<TStringList> FFileExtList;
};

} // namespace qx
