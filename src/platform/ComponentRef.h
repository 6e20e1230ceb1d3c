#pragma once
// A reference to a component that turns null when the component is destroyed, so that whoever keeps
// it (the program's state keeps the editor that last had the focus) never reaches a freed object.

#include "platform/Component.h"

namespace qx {

// Watches one component through its free notification.
class TComponentWatch : public TComponent {
public:
    TComponentWatch() = default;
    ~TComponentWatch() override { Set(nullptr); }
    TComponent* Target() const { return FTarget; }
    void Set(TComponent* Target)
    {
        if (Target == FTarget) return;
        if (FTarget) RemoveFreeNotification(FTarget);
        FTarget = Target;
        if (FTarget) FreeNotification(FTarget);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == opRemove && AComponent == FTarget) FTarget = nullptr;
    }

private:
    TComponent* FTarget = nullptr;
};

// T is a TComponent; it needs to be complete only where the reference is set or read.
template <class T>
class TComponentRef {
public:
    TComponentRef() = default;
    TComponentRef(const TComponentRef& Other) { FWatch.Set(Other.FWatch.Target()); }
    TComponentRef& operator=(const TComponentRef& Other)
    {
        FWatch.Set(Other.FWatch.Target());
        return *this;
    }
    TComponentRef& operator=(T* Target)
    {
        FWatch.Set(Target);
        return *this;
    }
    T* Get() const { return static_cast<T*>(FWatch.Target()); }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return FWatch.Target() != nullptr; }

private:
    TComponentWatch FWatch;
};

} // namespace qx
