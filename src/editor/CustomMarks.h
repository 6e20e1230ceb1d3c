#pragma once
// The marks a document editor draws on blanks: a tab, a full-width space (0x81 0x40) and a space, each
// shown or not, in its colour, with a solid or a dotted pen.

#include "editor/EditorOptions.h"
#include "platform/Color.h"

namespace qx {

enum TSpaceMarkType { smtSolid, smtDot };

class TCustomMark : public TEditorOption {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Store(FVisible, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    TSpaceMarkType MarkType() const { return FMarkType; }
    void SetMarkType(TSpaceMarkType Value) { Store(FMarkType, Value); }

    // Copies all three properties (the pen style too: a copy that drew differently would be no copy),
    // announced once.
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    bool FVisible = false;
    TColor FColor = clGray;
    TSpaceMarkType FMarkType = smtSolid;
};

class TCustomMarks : public TNotifyPersistent {
public:
    TCustomMarks();
    TCustomMark& TabMark() { return FTabMark; }
    TCustomMark& DBSpace() { return FDBSpace; }
    TCustomMark& Space() { return FSpace; }
    const TCustomMark& TabMark() const { return FTabMark; }
    const TCustomMark& DBSpace() const { return FDBSpace; }
    const TCustomMark& Space() const { return FSpace; }
    void SetTabMark(const TCustomMark& Value) { FTabMark.Assign(Value); }
    void SetDBSpace(const TCustomMark& Value) { FDBSpace.Assign(Value); }
    void SetSpace(const TCustomMark& Value) { FSpace.Assign(Value); }

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TCustomMark FTabMark, FDBSpace, FSpace;
};

} // namespace qx
