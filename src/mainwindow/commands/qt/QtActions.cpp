#include "mainwindow/commands/qt/QtActions.h"

#include "dialogs/CommandTable.h"

#include <QAction>
#include <QString>

namespace qx {

namespace {

QString FromView(std::string_view Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

} // namespace

TQtActions::TQtActions(QObject& Owner, TCommandSet& Commands, TExceptionHandler OnError)
    : FCommands(Commands), FOnError(std::move(OnError))
{
    const auto table = ActionTable();
    FActions.reserve(table.size());
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        const TCommandShortCut& entry = table[static_cast<std::size_t>(row)];
        auto* action = new QAction(FromView(entry.MenuCaption), &Owner);
        action->setObjectName(FromView(entry.Action));
        action->setProperty("category", FromView(ActionCategory(row)));
        QObject::connect(action, &QAction::triggered, action, [this, row] {
            GuardedCall(FOnError, [&] { FCommands.Execute(row); });
            // A check item shows its rule, not the toggle Qt made on the click.
            UpdateStates();
        });
        FActions.push_back(action);
    }
    UpdateStates();
}

QAction* TQtActions::Action(std::string_view Name) const
{
    const int row = FindAction(Name);
    return row < 0 ? nullptr : Action(row);
}

void TQtActions::UpdateStates()
{
    GuardedCall(FOnError, [&] {
        for (int row = 0; row < static_cast<int>(FActions.size()); ++row) {
            QAction* action = FActions[static_cast<std::size_t>(row)];
            action->setEnabled(FCommands.Enabled(row));
            const bool checkable = FCommands.Checkable(row);
            action->setCheckable(checkable);
            if (checkable) action->setChecked(FCommands.Checked(row));
        }
    });
}

} // namespace qx
