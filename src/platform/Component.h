#pragma once
// TComponent: a named persistent object with an owner. Lifetime is managed by C++ ownership; the owner
// is kept for lookups only. A component that holds a reference to another asks it for a free
// notification and is told (Notification with opRemove) when the other is destroyed.

#include "platform/Object.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qx {

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner = nullptr) : FOwner(AOwner) {}
    ~TComponent() override
    {
        // Each one told is taken off first, so that it may call RemoveFreeNotification meanwhile.
        while (!FFreeNotifies.empty()) {
            TComponent* other = FFreeNotifies.back();
            FFreeNotifies.pop_back();
            other->Forget(this);
            other->Notification(this, opRemove);
        }
    }
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    TPersistent* GetOwner() override { return FOwner; }
    std::string Name;

    // AComponent is told when this component is destroyed, and this one when AComponent is.
    void FreeNotification(TComponent* AComponent)
    {
        if (!AComponent || AComponent == this) return;
        Remember(AComponent);
        AComponent->Remember(this);
    }
    void RemoveFreeNotification(TComponent* AComponent)
    {
        if (!AComponent) return;
        Forget(AComponent);
        AComponent->Forget(this);
    }

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation)
    {
        (void)AComponent;
        (void)Operation;
    }

private:
    void Remember(TComponent* C)
    {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), C) == FFreeNotifies.end())
            FFreeNotifies.push_back(C);
    }
    void Forget(TComponent* C) { std::erase(FFreeNotifies, C); }

    TComponent* FOwner;
    std::vector<TComponent*> FFreeNotifies;
};

} // namespace qx
