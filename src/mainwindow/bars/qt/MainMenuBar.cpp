#include "mainwindow/bars/qt/MainMenuBar.h"

#include "mainwindow/commands/qt/QtActions.h"

#include <QAction>
#include <QMenu>

namespace qx {

namespace {

QString FromView(std::string_view Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

} // namespace

TMainMenuBar::TMainMenuBar(TQtActions& Actions, QWidget* Parent) : QMenuBar(Parent), FActions(Actions)
{
    setObjectName("MainMenu1");
    for (const TMenuNode& menu : MainMenuTree()) addMenu(Build(menu, this));
}

QMenu* TMainMenuBar::Menu(std::string_view Name) const
{
    const auto found = FMenus.find(Name);
    return found == FMenus.end() ? nullptr : found->second;
}

QAction* TMainMenuBar::Item(std::string_view Action) const
{
    const auto found = FItems.find(Action);
    return found == FItems.end() ? nullptr : found->second;
}

QAction* TMainMenuBar::SlotMarker(std::string_view Slot) const
{
    const auto found = FSlots.find(Slot);
    return found == FSlots.end() ? nullptr : found->second;
}

QMenu* TMainMenuBar::Build(const TMenuNode& Node, QWidget* Parent)
{
    auto* menu = new QMenu(FromView(Node.Caption), Parent);
    menu->setObjectName(FromView(Node.Name));
    FMenus.emplace(std::string(Node.Name), menu);
    if (!Node.Command.empty()) {
        // The menu stands for its command: it shows the command's caption and state.
        menu->setProperty("command", FromView(Node.Command));
        QAction* command = FActions.Action(Node.Command);
        const auto follow = [menu, command] {
            menu->setTitle(command->text());
            menu->menuAction()->setEnabled(command->isEnabled());
        };
        follow();
        QObject::connect(command, &QAction::changed, menu, follow);
    }
    Fill(*menu, Node);
    QObject::connect(menu, &QMenu::aboutToShow, this, [this, menu, &Node] { Opening(*menu, Node); });
    return menu;
}

void TMainMenuBar::Fill(QMenu& Menu, const TMenuNode& Node)
{
    for (const TMenuNode& item : Node.Children) {
        switch (item.Kind) {
        case TMenuNodeKind::Action: {
            QAction* command = FActions.Action(item.Name);
            auto* entry = new QAction(&Menu);
            entry->setObjectName(FromView(item.Name) + "Item");
            entry->setProperty("command", FromView(item.Name));
            const auto follow = [entry, command] {
                entry->setText(command->text());
                entry->setIcon(command->icon());
                entry->setEnabled(command->isEnabled());
                entry->setCheckable(command->isCheckable());
                entry->setChecked(command->isChecked());
            };
            follow();
            QObject::connect(command, &QAction::changed, entry, follow);
            QObject::connect(entry, &QAction::triggered, command, [command] { command->trigger(); });
            Menu.addAction(entry);
            FItems.emplace(std::string(item.Name), entry);
            break;
        }
        case TMenuNodeKind::Separator: Menu.addSeparator(); break;
        case TMenuNodeKind::SubMenu: Menu.addMenu(Build(item, &Menu)); break;
        case TMenuNodeKind::Slot: {
            // An invisible separator marks the place.
            QAction* marker = Menu.addSeparator();
            marker->setVisible(false);
            marker->setObjectName(FromView(item.Name) + "Slot");
            FSlots.emplace(std::string(item.Name), marker);
            break;
        }
        }
    }
}

void TMainMenuBar::Opening(QMenu& Menu, const TMenuNode& Node)
{
    FActions.UpdateStates();
    for (const TMenuNode& item : Node.Children) {
        if (item.Kind != TMenuNodeKind::Slot || !SlotItems) continue;
        std::vector<QAction*>& held = FSlotItems[std::string(item.Name)];
        // Items the menu made for this opening go; the window's own actions only leave the menu.
        for (QAction* old : held) {
            Menu.removeAction(old);
            if (old->parent() == &Menu) delete old;
        }
        held = SlotItems(item.Name, Menu);
        Menu.insertActions(SlotMarker(item.Name), QList<QAction*>(held.begin(), held.end()));
    }
    if (MenuOpening) MenuOpening(Node.Name);
}

} // namespace qx
