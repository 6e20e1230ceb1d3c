#include "editor/PropertyWalk.h"

#include "platform/Collection.h"

#include <vector>

namespace qx {

void ForEachPublishedProperty(TObject* Instance, TTypeKinds Kinds, const TPropertyProc& Proc, void* Data)
{
    auto* persistent = dynamic_cast<TPersistent*>(Instance);
    if (!persistent) return;
    std::vector<TPropInfo> props;
    persistent->GetPublishedProperties(props);
    for (const auto& prop : props) {
        if ((Kinds & KindBit(prop.Kind)) == 0) continue;
        Proc(Data, Instance, prop);
        if (prop.Kind != TTypeKind::tkClass || !dynamic_cast<TPersistent*>(prop.Object)) continue;
        ForEachPublishedProperty(prop.Object, Kinds, Proc, Data);
        if (auto* collection = dynamic_cast<TCollection*>(prop.Object))
            for (int i = 0; i < collection->Count(); ++i)
                ForEachPublishedProperty(collection->GetItem(i), Kinds, Proc, Data);
    }
}

} // namespace qx
