#include "editor/VerticalLines.h"

namespace qx {

void TVerticalLine::SetPosition(int Value)
{
    if (Value < 0 || Value == FPosition) return;
    FPrevPosition = FPosition;
    FPosition = Value;
    Changed(false);
}

void TVerticalLine::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    Changed(false);
}

void TVerticalLine::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    Changed(false);
}

void TVerticalLine::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TVerticalLine*>(&Source);
    if (!source) return TCollectionItem::Assign(Source);
    if (source == this) return;
    if (source->FPosition != FPosition) FPrevPosition = FPosition;
    FPosition = source->FPosition;
    FColor = source->FColor;
    FVisible = source->FVisible;
    Changed(false);
}

void TVerticalLine::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TCollectionItem::GetPublishedProperties(props);
    props.push_back({"Position", TTypeKind::tkInteger});
    props.push_back({"Color", TTypeKind::tkInteger});
    props.push_back({"Visible", TTypeKind::tkBool});
}

void TVerticalLines::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TVerticalLines*>(&Source);
    if (!source) return TNotifyCollection::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    Clear();
    for (int i = 0; i < source->Count(); ++i) Add()->Assign(*source->Items(i));
    EndUpdate();
}

} // namespace qx
