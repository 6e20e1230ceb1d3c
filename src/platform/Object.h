#pragma once
// The roots of the class library's object model: TObject (a polymorphic base, so that an event's sender
// can be any object), TPersistent (an object with published properties), and the notify event type.
//
// Published properties are listed explicitly: a class overrides GetPublishedProperties and appends its
// properties in declaration order, calling the base class first. The property walk reads this list.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace qx {

class TObject {
public:
    virtual ~TObject() = default;
    // Runs once the object is fully constructed: the place for virtual factories and initial
    // values that descendants override (a C++ constructor cannot dispatch to them).
    virtual void AfterConstruction() {}
};

// Constructs a T and runs its AfterConstruction.
template <class T, class... Args>
std::unique_ptr<T> Construct(Args&&... args)
{
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    object->AfterConstruction();
    return object;
}

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TTypeKind : std::uint8_t {
    tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkBool
};

// A set of type kinds, one bit per kind.
using TTypeKinds = std::uint32_t;
constexpr TTypeKinds KindBit(TTypeKind k) { return 1u << static_cast<unsigned>(k); }
constexpr TTypeKinds tkAny = 0xFFFFFFFFu;

class TPersistent;

// One published property: its name and kind; for a class property, the object it holds (may be null).
struct TPropInfo {
    const char* Name;
    TTypeKind Kind;
    TObject* Object = nullptr;
};

class TPersistent : public TObject {
public:
    // Appends this object's published properties, base class first.
    virtual void GetPublishedProperties(std::vector<TPropInfo>& props) { (void)props; }
    // The object that owns this one (for name paths and notifications); null by default.
    virtual TPersistent* GetOwner() { return nullptr; }
    // Copies the source's properties; the base raises Exception ("Cannot assign") for an unknown source.
    virtual void Assign(const TPersistent& Source);
};

} // namespace qx
