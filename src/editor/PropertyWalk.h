#pragma once
// Walks the published properties of an object tree: every property whose kind is in Kinds, in the
// order the class lists them; a class property's object is walked in turn, and a collection's items
// after it, in index order.

#include "platform/Object.h"

#include <functional>

namespace qx {

using TPropertyProc = std::function<void(void* Data, TObject* Instance, const TPropInfo& Prop)>;

void ForEachPublishedProperty(TObject* Instance, TTypeKinds Kinds, const TPropertyProc& Proc, void* Data);

} // namespace qx
