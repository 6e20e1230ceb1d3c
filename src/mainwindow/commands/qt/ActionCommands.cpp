#include "mainwindow/commands/qt/ActionCommands.h"

#include "dialogs/CommandTable.h"

#include <QAction>

namespace qx {

TQtActionCommands::TQtActionCommands(QObject& actions, const TCommandKeys& keys) : FActions(actions), FKeys(keys)
{
}

QAction* TQtActionCommands::ActionOf(int row) const
{
    const std::string_view name = ActionTable()[static_cast<std::size_t>(row)].Action;
    return FActions.findChild<QAction*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

bool TQtActionCommands::ExecuteCommand(int row)
{
    QAction* action = ActionOf(row);
    if (!action || !action->isEnabled()) return false;
    action->trigger();
    return true;
}

void TQtActionCommands::ShowKeys()
{
    for (int row = 0; row < ActionCount; ++row) {
        QAction* action = ActionOf(row);
        if (!action) continue;
        const std::string caption = action->text().section(QLatin1Char('\t'), 0, 0).toStdString();
        action->setText(QString::fromStdString(MenuKeyText(caption, FKeys.ShortCut(row))));
    }
}

} // namespace qx
