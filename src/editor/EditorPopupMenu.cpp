#include "editor/EditorPopupMenu.h"

#include "editor/EditorControl.h"

namespace qx {

// The control's own menu, made when first asked for.
std::unique_ptr<TEditorPopupMenu> TEditor::CreatePopupMenu() { return Construct<TEditorPopupMenu>(this); }

TEditorPopupMenu& TEditor::PopupMenu()
{
    if (!FPopupMenu) FPopupMenu = CreatePopupMenu();
    return *FPopupMenu;
}

void TEditorPopupMenu::CreateMenuItems()
{
    using Handler = void (TEditorPopupMenu::*)(TEditorMenuItem&);
    const auto item = [](const char* Caption, const char* ShortCut, bool Enabled, Handler OnClick) {
        TEditorMenuItem i;
        i.Caption = Caption;
        i.ShortCut = ShortCut;
        i.Enabled = Enabled;
        i.OnClick = OnClick;
        return i;
    };
    // The ten numbered items of a mark submenu, tagged with their digit.
    const auto marks = [&](const char* Caption, const char* Prefix, Handler OnClick) {
        TEditorMenuItem menu = item(Caption, "", true, nullptr);
        for (int n = 0; n <= 9; ++n) {
            const std::string digit = std::to_string(n);
            TEditorMenuItem mark = item(digit.c_str(), (Prefix + digit).c_str(), true, OnClick);
            mark.Tag = n;
            menu.Items.push_back(std::move(mark));
        }
        return menu;
    };
    const TEditorMenuItem separator = item("-", "", true, nullptr);
    Items = {
        marks("マーク設定", "Shift+Ctrl+", &TEditorPopupMenu::MarkSetClick),
        marks("マークジャンプ", "Ctrl+", &TEditorPopupMenu::MarkJumpClick),
        separator,
        item("元に戻す(&U)", "Ctrl+Z", false, &TEditorPopupMenu::UndoClick),
        item("やり直し(&R)", "Ctrl+A", false, &TEditorPopupMenu::RedoClick),
        separator,
        item("切り取り(&T)", "Ctrl+X", false, &TEditorPopupMenu::CutClick),
        item("コピー(&C)", "Ctrl+C", false, &TEditorPopupMenu::CopyClick),
        item("貼り付け(&P)", "Ctrl+V", false, &TEditorPopupMenu::PasteClick),
        item("Box貼り付け(&B)", "Ctrl+B", false, &TEditorPopupMenu::BoxPasteClick),
        item("削除(&D)", "", false, &TEditorPopupMenu::DeleteClick),
        separator,
        item("すべて選択(&A)", "", false, &TEditorPopupMenu::SelectAllClick),
        separator,
        item("Box選択モード(&K)", "Ctrl+K", true, &TEditorPopupMenu::BoxSelectModeClick),
    };
    MarkSetItem = &Items[0];
    MarkJumpItem = &Items[1];
    UndoItem = &Items[3];
    RedoItem = &Items[4];
    CutItem = &Items[6];
    CopyItem = &Items[7];
    PasteItem = &Items[8];
    BoxPasteItem = &Items[9];
    DeleteItem = &Items[10];
    SelectAllItem = &Items[12];
    BoxSelectModeItem = &Items[14];
}

void TEditorPopupMenu::Click(TEditorMenuItem& Item)
{
    if (Item.OnClick && Item.Enabled) (this->*Item.OnClick)(Item);
}

void TEditorPopupMenu::MarkSetClick(TEditorMenuItem& Sender)
{
    if (!Editor) return;
    const int row = Editor->Row();
    if (Editor->RowMarks(row) & (1 << Sender.Tag))
        Editor->DeleteRowMark(row, Sender.Tag);
    else
        Editor->PutRowMark(row, Sender.Tag);
}

void TEditorPopupMenu::MarkJumpClick(TEditorMenuItem& Sender)
{
    if (Editor) Editor->GotoRowMark(Sender.Tag);
}

void TEditorPopupMenu::UndoClick(TEditorMenuItem&)
{
    if (Editor) Editor->Undo();
}

void TEditorPopupMenu::RedoClick(TEditorMenuItem&)
{
    if (Editor) Editor->Redo();
}

void TEditorPopupMenu::CutClick(TEditorMenuItem&)
{
    if (Editor) Editor->CutToClipboard();
}

void TEditorPopupMenu::CopyClick(TEditorMenuItem&)
{
    if (Editor) Editor->CopyToClipboard();
}

void TEditorPopupMenu::PasteClick(TEditorMenuItem&)
{
    if (Editor) Editor->PasteFromClipboard();
}

void TEditorPopupMenu::BoxPasteClick(TEditorMenuItem&)
{
    if (Editor && Editor->Clipboard() && Editor->Clipboard()->HasText()) Editor->InsertBlock(Editor->ClipboardText());
}

void TEditorPopupMenu::DeleteClick(TEditorMenuItem&)
{
    if (Editor) Editor->ClearSelection();
}

void TEditorPopupMenu::SelectAllClick(TEditorMenuItem&)
{
    if (Editor) Editor->SelectAll();
}

void TEditorPopupMenu::BoxSelectModeClick(TEditorMenuItem& Sender)
{
    Sender.Checked = !Sender.Checked;
    if (Editor) Editor->SetSelectionMode(Sender.Checked ? smBox : smLine);
}

void TEditorPopupMenu::PopupProc()
{
    if (!Editor) return;
    const bool selected = Editor->HasSelection();
    const bool readOnly = Editor->ReadOnly();
    const bool clipboard = Editor->Clipboard() && Editor->Clipboard()->HasText();
    UndoItem->Enabled = Editor->CanUndo() && !readOnly;
    RedoItem->Enabled = Editor->CanRedo() && !readOnly;
    CutItem->Enabled = DeleteItem->Enabled = selected && !readOnly;
    CopyItem->Enabled = selected;
    PasteItem->Enabled = BoxPasteItem->Enabled = clipboard && !readOnly;
    SelectAllItem->Enabled = Editor->TextLength() > 0;
    BoxSelectModeItem->Checked = Editor->SelectionMode() == smBox;
    const int inUse = Editor->List().GetMarksInUse();
    for (TEditorMenuItem* menu : {MarkSetItem, MarkJumpItem})
        for (TEditorMenuItem& mark : menu->Items) mark.Checked = (inUse >> mark.Tag) & 1;
}

} // namespace qx
