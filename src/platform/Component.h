#pragma once
// TComponent: a named persistent object with an owner. Lifetime is managed by C++ ownership; the owner
// is kept for lookups only.

#include "platform/Object.h"

#include <string>

namespace qx {

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner = nullptr) : FOwner(AOwner) {}
    TComponent* Owner() const { return FOwner; }
    TPersistent* GetOwner() override { return FOwner; }
    std::string Name;

private:
    TComponent* FOwner;
};

} // namespace qx
