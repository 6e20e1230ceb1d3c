#pragma once
// TEditorPopupMenu: the editing control's own context menu as a model free of any GUI library: row
// marks, undo and redo, the clipboard operations, box paste, select all and the box selection mode.
// Its items are enabled and checked from the control's state each time it pops up (PopupProc); the
// host shows them in a menu of its own and hands the chosen item back to Click.

#include "platform/Object.h"

#include <string>
#include <vector>

namespace qx {

class TEditor;
class TEditorPopupMenu;

struct TEditorMenuItem {
    std::string Caption;   // "-" for a separator
    std::string ShortCut;  // as a shortcut text, e.g. "Ctrl+Z"
    int Tag = 0;
    bool Enabled = true;
    bool Checked = false;
    std::vector<TEditorMenuItem> Items;  // a submenu's items
    void (TEditorPopupMenu::*OnClick)(TEditorMenuItem& Sender) = nullptr;

    bool IsSeparator() const { return Caption == "-"; }
};

// Made with Construct<TEditorPopupMenu>: the items come from CreateMenuItems, which descendants may
// override, once the menu is complete.
class TEditorPopupMenu : public TObject {
public:
    // Editor: the control the menu serves (not owned).
    explicit TEditorPopupMenu(TEditor* AEditor = nullptr) : Editor(AEditor) {}
    void AfterConstruction() override { CreateMenuItems(); }
    TEditorPopupMenu(const TEditorPopupMenu&) = delete;
    TEditorPopupMenu& operator=(const TEditorPopupMenu&) = delete;

    TEditor* Editor = nullptr;
    // The items, top to bottom. They are made once, so the fields below stay valid.
    std::vector<TEditorMenuItem> Items;
    TEditorMenuItem *MarkSetItem = nullptr, *MarkJumpItem = nullptr, *UndoItem = nullptr, *RedoItem = nullptr,
                    *CutItem = nullptr, *CopyItem = nullptr, *PasteItem = nullptr, *BoxPasteItem = nullptr,
                    *DeleteItem = nullptr, *SelectAllItem = nullptr, *BoxSelectModeItem = nullptr;

    // Runs the item's click handler.
    void Click(TEditorMenuItem& Item);

    virtual void MarkSetClick(TEditorMenuItem& Sender);
    virtual void MarkJumpClick(TEditorMenuItem& Sender);
    virtual void UndoClick(TEditorMenuItem& Sender);
    virtual void RedoClick(TEditorMenuItem& Sender);
    virtual void CutClick(TEditorMenuItem& Sender);
    virtual void CopyClick(TEditorMenuItem& Sender);
    virtual void PasteClick(TEditorMenuItem& Sender);
    virtual void BoxPasteClick(TEditorMenuItem& Sender);
    virtual void DeleteClick(TEditorMenuItem& Sender);
    virtual void SelectAllClick(TEditorMenuItem& Sender);
    virtual void BoxSelectModeClick(TEditorMenuItem& Sender);
    // Before the menu shows: enables and checks the items from the control's state.
    virtual void PopupProc();

protected:
    virtual void CreateMenuItems();
};

} // namespace qx
