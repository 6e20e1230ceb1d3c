#include "editor/Fountain.h"

#include "editor/FountainParser.h"
#include "editor/PropertyWalk.h"
#include "platform/Exception.h"

namespace qx {

void TFountainColor::SetBkColor(TColor Value)
{
    if (FBkColor == Value) return;
    FBkColor = Value;
    Changed();
}

void TFountainColor::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}

void TFountainColor::SetStyle(TFontStyles Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Changed();
}

void TFountainColor::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TFountainColor*>(&Source);
    if (!source) return TNotifyPersistent::Assign(Source);
    FBkColor = source->FBkColor;
    FColor = source->FColor;
    FStyle = source->FStyle;
    Changed();
}

void TFountainColor::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TNotifyPersistent::GetPublishedProperties(props);
    props.push_back({"BkColor", TTypeKind::tkInteger});
    props.push_back({"Color", TTypeKind::tkInteger});
    props.push_back({"Style", TTypeKind::tkSet});
}

TFountainColorItem::TFountainColorItem(TCollection* Collection)
{
    if (auto* notify = dynamic_cast<TNotifyCollection*>(Collection))
        FItemColor.OnChange = notify->ChangedProcEvent();
}

void TFountainColorItem::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TFountainColorItem*>(&Source);
    if (!source) return TCollectionItem::Assign(Source);
    FItemColor.Assign(source->FItemColor);
}

void TFountainColorItem::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TCollectionItem::GetPublishedProperties(props);
    props.push_back({"ItemColor", TTypeKind::tkClass, &FItemColor});
}

void TFountainBracketItem::SetLeftBracket(const std::string& Value)
{
    if (FLeftBracket == Value) return;
    FLeftBracket = Value;
    Changed(false);
}

void TFountainBracketItem::SetRightBracket(const std::string& Value)
{
    if (FRightBracket == Value) return;
    FRightBracket = Value;
    Changed(false);
}

void TFountainBracketItem::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TFountainBracketItem*>(&Source);
    if (!source) return TFountainColorItem::Assign(Source);
    FLeftBracket = source->FLeftBracket;
    FRightBracket = source->FRightBracket;
    TFountainColorItem::Assign(Source);  // the colour's change announces the item
}

void TFountainBracketItem::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TFountainColorItem::GetPublishedProperties(props);
    props.push_back({"LeftBracket", TTypeKind::tkString});
    props.push_back({"RightBracket", TTypeKind::tkString});
}

std::unique_ptr<TCollectionItem> TFountainBracketCollection::NewItem()
{
    if (Count() >= MaxBrackets)
        throw Exception("TFountainBracketCollection\r\nYou can not add item over " + std::to_string(MaxBrackets));
    return std::make_unique<TFountainBracketItem>(this);
}

void TFountainBracketCollection::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TFountainBracketCollection*>(&Source);
    if (!source) return TNotifyCollection::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    Clear();
    for (int i = 0; i < source->Count(); ++i) AddBracket()->Assign(*source->BracketItems(i));
    EndUpdate();
}

TFountain::~TFountain() = default;

void TFountain::AfterConstruction()
{
    TFileExtComponent::AfterConstruction();
    FNotifyEventList = std::make_unique<TNotifyEventList>(this);
    FBrackets = CreateBrackets();
    FBrackets->OnChange = FNotifyEventList->ChangedProcEvent();
    InitBrackets();
    FReserveWordList = CreateFileExtList();
    FReserveWordList2 = CreateFileExtList();
    FReserveWordList3 = CreateFileExtList();
    InitReserveWordList();
    InitReserveWordList2();
    InitReserveWordList3();
    CreateFountainColors();
}

std::unique_ptr<TFountainColor> TFountain::CreateFountainColor()
{
    auto color = std::make_unique<TFountainColor>();
    color->OnChange = FNotifyEventList->ChangedProcEvent();
    return color;
}

void TFountain::CreateFountainColors()
{
    FReserve = CreateFountainColor();
    FReserve2 = CreateFountainColor();
    FReserve3 = CreateFountainColor();
}

std::unique_ptr<TFountainBracketCollection> TFountain::CreateBrackets()
{
    return std::make_unique<TFountainBracketCollection>(this);
}

TFountainParserClass TFountain::GetParserClass()
{
    return [](TFountain* Fountain) { return std::make_unique<TFountainParser>(Fountain); };
}

std::unique_ptr<TFountainParser> TFountain::CreateParser() { return GetParserClass()(this); }

TStringList& TFountain::ReserveWords(int List)
{
    switch (List) {
    case 2: return *FReserveWordList2;
    case 3: return *FReserveWordList3;
    default: return *FReserveWordList;
    }
}

void TFountain::SetReserveWordList(const TStringList& Value)
{
    FReserveWordList->Assign(Value);
    NotifyListeners();
}

void TFountain::SetReserveWordList2(const TStringList& Value)
{
    FReserveWordList2->Assign(Value);
    NotifyListeners();
}

void TFountain::SetReserveWordList3(const TStringList& Value)
{
    FReserveWordList3->Assign(Value);
    NotifyListeners();
}

bool TFountain::HasItalic(TObject* Instance)
{
    bool italic = false;
    ForEachPublishedProperty(
        Instance, KindBit(TTypeKind::tkClass),
        [&](void*, TObject*, const TPropInfo& Prop) {
            if (const auto* color = dynamic_cast<const TFountainColor*>(Prop.Object))
                italic = italic || color->Style().Contains(fsItalic);
        },
        nullptr);
    return italic;
}

void TFountain::SetColors(TObject* Target, const TFountainColor& Color, int Flags)
{
    ForEachPublishedProperty(
        Target, KindBit(TTypeKind::tkClass),
        [&](void*, TObject*, const TPropInfo& Prop) {
            auto* color = dynamic_cast<TFountainColor*>(Prop.Object);
            if (!color) return;
            if (Flags & 1) color->SetBkColor(Color.BkColor());
            if (Flags & 2) color->SetColor(Color.Color());
            if (Flags & 4) color->SetStyle(Color.Style());
        },
        nullptr);
}

void TFountain::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TFileExtComponent::GetPublishedProperties(props);
    props.push_back({"Brackets", TTypeKind::tkClass, FBrackets.get()});
    props.push_back({"Reserve", TTypeKind::tkClass, FReserve.get()});
    props.push_back({"Reserve2", TTypeKind::tkClass, FReserve2.get()});
    props.push_back({"Reserve3", TTypeKind::tkClass, FReserve3.get()});
    props.push_back({"ReserveWordList", TTypeKind::tkClass, FReserveWordList.get()});
    props.push_back({"ReserveWordList2", TTypeKind::tkClass, FReserveWordList2.get()});
    props.push_back({"ReserveWordList3", TTypeKind::tkClass, FReserveWordList3.get()});
}

} // namespace qx
