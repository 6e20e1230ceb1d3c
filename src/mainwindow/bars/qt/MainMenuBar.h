#pragma once
// The main menu ("MainMenu1") as a QMenuBar built from the menu tree over the window's actions. Each
// menu refreshes the commands' states before it shows and then lets the window adjust it (shown items,
// checks); the slots of the tree get the items the window builds for them each time their menu opens.
// The captions carry their "&" mnemonics, so Alt and the letter open a menu. A menu item is the menu's
// own QAction that runs its command's action and follows its text and states (property "command": the
// action's name), so the menu can hide an item without hiding the tool-bar button of the same command.

#include "mainwindow/bars/MainMenu.h"

#include <QMenuBar>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace qx {

class TQtActions;

class TMainMenuBar : public QMenuBar {
public:
    TMainMenuBar(TQtActions& Actions, QWidget* Parent);

    // A menu of the tree by its object name ("FileMenu", "WrapMenu"); null when there is none.
    QMenu* Menu(std::string_view Name) const;
    // The menu's item of an action (it runs the action and shows its text and states, but can be hidden
    // in the menu alone); null when the menu has none.
    QAction* Item(std::string_view Action) const;
    // The marker of a slot: the slot's items stand just before it.
    QAction* SlotMarker(std::string_view Slot) const;

    // The items of a slot as its menu opens. Items parented to the menu are made for this opening and
    // deleted at the next one; any other action is only taken out of the menu again.
    std::function<std::vector<QAction*>(std::string_view Slot, QMenu& Menu)> SlotItems;
    // Told when a menu of the tree opens (after the commands' states are shown).
    std::function<void(std::string_view Menu)> MenuOpening;

private:
    QMenu* Build(const TMenuNode& Node, QWidget* Parent);
    void Fill(QMenu& Menu, const TMenuNode& Node);
    void Opening(QMenu& Menu, const TMenuNode& Node);

    TQtActions& FActions;
    std::map<std::string, QMenu*, std::less<>> FMenus;
    std::map<std::string, QAction*, std::less<>> FItems;
    std::map<std::string, QAction*, std::less<>> FSlots;
    // The items a slot holds now.
    std::map<std::string, std::vector<QAction*>, std::less<>> FSlotItems;
};

} // namespace qx
