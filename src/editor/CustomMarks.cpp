#include "editor/CustomMarks.h"

namespace qx {

void TCustomMark::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TCustomMark*>(&Source);
    if (!source) return TEditorOption::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    FColor = source->FColor;
    FVisible = source->FVisible;
    FMarkType = source->FMarkType;
    EndUpdate();
}

void TCustomMark::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"Color", TTypeKind::tkInteger});
    props.push_back({"MarkType", TTypeKind::tkEnumeration});
    props.push_back({"Visible", TTypeKind::tkBool});
}

TCustomMarks::TCustomMarks()
{
    for (TCustomMark* mark : {&FTabMark, &FDBSpace, &FSpace}) mark->OnChange = ChangedProcEvent();
}

void TCustomMarks::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TCustomMarks*>(&Source);
    if (!source) return TNotifyPersistent::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    FTabMark.Assign(source->FTabMark);
    FDBSpace.Assign(source->FDBSpace);
    FSpace.Assign(source->FSpace);
    EndUpdate();
}

void TCustomMarks::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TNotifyPersistent::GetPublishedProperties(props);
    props.push_back({"DBSpace", TTypeKind::tkClass, &FDBSpace});
    props.push_back({"Space", TTypeKind::tkClass, &FSpace});
    props.push_back({"TabMark", TTypeKind::tkClass, &FTabMark});
}

} // namespace qx
