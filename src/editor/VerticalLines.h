#pragma once
// Vertical guide lines of a document editor: each stands at a fixed text column, in its colour, and the
// editor repaints whenever the collection or one of its lines changes.

#include "editor/NotifyObjects.h"
#include "platform/Collection.h"
#include "platform/Color.h"

namespace qx {

class TVerticalLine : public TCollectionItem {
public:
    int Position() const { return FPosition; }
    // A negative column is ignored; the column the line stood at before is kept for erasing it.
    void SetPosition(int Value);
    int PrevPosition() const { return FPrevPosition; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    int FPosition = 0;
    int FPrevPosition = 0;
    TColor FColor = clBlack;
    bool FVisible = true;
};

class TVerticalLines : public TNotifyCollection {
public:
    using TNotifyCollection::TNotifyCollection;
    TVerticalLine* Add() { return static_cast<TVerticalLine*>(TCollection::Add()); }
    TVerticalLine* Items(int Index) const { return ItemAs<TVerticalLine>(Index); }
    // Replaces every line by copies of Source's lines, announced once.
    void Assign(const TPersistent& Source) override;

protected:
    std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<TVerticalLine>(); }
};

} // namespace qx
