// The control's context menu: its items, their enabled and checked states on popup, and its clicks.

#include "EditorFixture.h"

#include "editor/EditorPopupMenu.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {
namespace {

TEST(EditorPopupMenu, ItemsStandInTheirOrderWithTheirCaptions)
{
    const auto made = Construct<TEditorPopupMenu>();
    const TEditorPopupMenu& menu = *made;
    std::string captions;
    for (const TEditorMenuItem& item : menu.Items) captions += item.Caption + "|";
    EXPECT_EQ(captions, "マーク設定|マークジャンプ|-|元に戻す(&U)|やり直し(&R)|-|切り取り(&T)|コピー(&C)|貼り付け(&P)|"
                        "Box貼り付け(&B)|削除(&D)|-|すべて選択(&A)|-|Box選択モード(&K)|");
    ASSERT_EQ(menu.MarkSetItem->Items.size(), 10u);
    EXPECT_EQ(menu.MarkSetItem->Items[4].ShortCut, "Shift+Ctrl+4");
    EXPECT_EQ(menu.MarkJumpItem->Items[9].ShortCut, "Ctrl+9");
    EXPECT_EQ(menu.MarkJumpItem->Items[9].Tag, 9);
}

// A descendant's items: its own CreateMenuItems runs, also for the menu a descendant control makes.
TEST(EditorPopupMenu, ADescendantBuildsItsOwnItems)
{
    struct TOwnMenu : TEditorPopupMenu {
        using TEditorPopupMenu::TEditorPopupMenu;
        void CreateMenuItems() override
        {
            TEditorPopupMenu::CreateMenuItems();
            UndoItem->Caption = "取り消し(&U)";
        }
    };
    struct TOwnEditor : TEditor {
        std::unique_ptr<TEditorPopupMenu> CreatePopupMenu() override { return Construct<TOwnMenu>(this); }
    };
    HostedEditor e(Construct<TOwnEditor>());
    TEditorPopupMenu& menu = e->PopupMenu();
    EXPECT_EQ(menu.Items[3].Caption, "取り消し(&U)");
    EXPECT_EQ(menu.Editor, e.Editor.get());
}

TEST(EditorPopupMenu, PopupEnablesTheItemsFromTheControlsState)
{
    // read-only x selection x clipboard x undo
    for (int mask = 0; mask < 16; ++mask) {
        const bool readOnly = mask & 1, selected = mask & 2, clipboard = mask & 4, undo = mask & 8;
        SCOPED_TRACE(mask);
        HostedEditor e;
        e.SetText("abc\r\ndef");
        if (undo) {
            e->SetRowCol(0, 3);
            e->ReplaceSelection("x");
        }
        if (clipboard) e.Clipboard.SetText("clip", false);
        if (selected) {
            e->SetRowCol(0, 0);
            e->StartSelection();
            e->SetRowCol(0, 2);
            e->UpdateSelection();
        }
        e->SetReadOnly(readOnly);
        TEditorPopupMenu& menu = e->PopupMenu();
        menu.PopupProc();
        EXPECT_EQ(menu.UndoItem->Enabled, undo && !readOnly);
        EXPECT_FALSE(menu.RedoItem->Enabled);
        EXPECT_EQ(menu.CutItem->Enabled, selected && !readOnly);
        EXPECT_EQ(menu.DeleteItem->Enabled, selected && !readOnly);
        EXPECT_EQ(menu.CopyItem->Enabled, selected);
        EXPECT_EQ(menu.PasteItem->Enabled, clipboard && !readOnly);
        EXPECT_EQ(menu.BoxPasteItem->Enabled, clipboard && !readOnly);
        EXPECT_TRUE(menu.SelectAllItem->Enabled);
        EXPECT_TRUE(menu.BoxSelectModeItem->Enabled);
    }
    HostedEditor empty;
    empty->PopupMenu().PopupProc();
    EXPECT_FALSE(empty->PopupMenu().SelectAllItem->Enabled);
}

TEST(EditorPopupMenu, ClicksActOnTheControl)
{
    HostedEditor e;
    e.SetText("abc\r\ndef\r\n");
    TEditorPopupMenu& menu = e->PopupMenu();

    // Mark set 4 twice on the same row sets and then removes mark 4; the popup checks it meanwhile.
    e->SetRowCol(1, 0);
    menu.Click(menu.MarkSetItem->Items[4]);
    EXPECT_TRUE(e->RowMarks(1) & (1 << 4));
    menu.PopupProc();
    EXPECT_TRUE(menu.MarkJumpItem->Items[4].Checked);
    EXPECT_FALSE(menu.MarkJumpItem->Items[3].Checked);
    e->SetRowCol(0, 0);
    menu.Click(menu.MarkJumpItem->Items[4]);
    EXPECT_EQ(e->Row(), 1);
    menu.Click(menu.MarkSetItem->Items[4]);
    EXPECT_FALSE(e->RowMarks(1) & (1 << 4));

    menu.PopupProc();
    menu.Click(*menu.BoxSelectModeItem);
    EXPECT_EQ(e->SelectionMode(), smBox);
    menu.PopupProc();
    EXPECT_TRUE(menu.BoxSelectModeItem->Checked);
    menu.Click(*menu.BoxSelectModeItem);
    EXPECT_EQ(e->SelectionMode(), smLine);

    menu.PopupProc();
    menu.Click(*menu.SelectAllItem);
    EXPECT_EQ(e->SelLength(), e->TextLength());
    menu.PopupProc();
    menu.Click(*menu.CutItem);
    EXPECT_EQ(e.Clipboard.Content, "abc\r\ndef\r\n");
    EXPECT_EQ(e->TextLength(), 0);
    menu.PopupProc();
    menu.Click(*menu.UndoItem);
    EXPECT_EQ(e->TextLength(), 10);

    // Box paste inserts the clipboard's text as a block even without the box mark.
    e.Clipboard.SetText("1\r\n2", false);
    e->SetRowCol(0, 1);
    menu.PopupProc();
    menu.Click(*menu.BoxPasteItem);
    EXPECT_EQ(e->List().GetRowsText(0, e->RowCount()).Text, "a1bc\r\nd2ef\r\n");
}

} // namespace
} // namespace qx::test
