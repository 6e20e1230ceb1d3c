#include "mainwindow/bars/qt/ProjectMenus.h"

#include "dialogs/qt/ProjectTreeView.h"
#include "mainwindow/commands/qt/QtActions.h"

#include <QMenu>

#include <string_view>

namespace qx {

namespace {

// The item commands of the popup; "" is a separator, "{" and "}" enclose the register submenu.
constexpr const char* ItemCommands[] = {
    "ActionProjectItemOpen", "", "ActionProjectMakeBox", "ActionProjectMakeFolder", "ActionProjectMakeFile", "{",
    "ActionProjectLinkFile", "ActionProjectImportFile", "}", "", "ActionProjectItemCut", "ActionProjectItemCopy",
    "ActionProjectItemPaste", "ActionProjectItemDelete", "", "ActionProjectItemExport", "ActionProjectItemProperty"};

// Adds the item commands; answers the register submenu, whose state follows its two commands.
QMenu* AddItemCommands(QMenu& Menu, TQtActions& Actions)
{
    QMenu* target = &Menu;
    QMenu* submenu = nullptr;
    for (const char* name : ItemCommands) {
        const std::string_view entry = name;
        if (entry.empty()) {
            target->addSeparator();
        } else if (entry == "{") {
            target = submenu = Menu.addMenu(QString::fromUtf8("このアイテムの下にファイルを登録"));
        } else if (entry == "}") {
            target = &Menu;
        } else {
            target->addAction(Actions.Action(entry));
        }
    }
    return submenu;
}

// The actions' states for the current selection, the submenu enabled when one of its commands is.
void UpdateItemStates(QMenu& Submenu, TQtActions& Actions)
{
    Actions.UpdateStates();
    Submenu.menuAction()->setEnabled(Actions.Action("ActionProjectLinkFile")->isEnabled() ||
                                     Actions.Action("ActionProjectImportFile")->isEnabled());
}

} // namespace

QMenu* AttachProjectTreePopup(TProjectTreeView& Tree, TQtActions& Actions)
{
    auto* menu = new QMenu(&Tree);
    menu->setObjectName("ProjectTreePopupMenu");
    QMenu* submenu = AddItemCommands(*menu, Actions);
    menu->addSeparator();
    // The node toggle: collapses an expanded node, expands any other.
    QAction* toggle = menu->addAction(QString());
    toggle->setObjectName("ProjectNodeToggle");
    QObject::connect(toggle, &QAction::triggered, &Tree, [&Tree] { Tree.ToggleExpanded(Tree.currentIndex()); });
    QObject::connect(menu, &QMenu::aboutToShow, menu, [submenu, toggle, &Tree, &Actions] {
        UpdateItemStates(*submenu, Actions);
        const QModelIndex node = Tree.currentIndex();
        toggle->setText(QString::fromUtf8(Tree.isExpanded(node) ? "折りたたむ(&X)" : "展開する(&X)"));
        toggle->setEnabled(node.isValid() && Tree.model()->rowCount(node) > 0);
    });
    Tree.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&Tree, &QWidget::customContextMenuRequested, menu, [menu, &Tree](const QPoint& At) {
        menu->popup(Tree.viewport()->mapToGlobal(At));
    });
    return menu;
}

} // namespace qx
