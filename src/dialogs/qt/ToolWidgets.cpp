#include "dialogs/qt/ToolWidgets.h"

#include "platform/qt/QtCp932.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace qx {

QHBoxLayout* OkCancelRow(QDialog* Dialog, QPushButton*& Ok, QPushButton*& Cancel)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    Ok = new QPushButton("OK", Dialog);
    Ok->setObjectName("Button1");
    Ok->setDefault(true);
    Cancel = new QPushButton("CANCEL", Dialog);
    Cancel->setObjectName("Button2");
    row->addWidget(Ok);
    row->addWidget(Cancel);
    QObject::connect(Cancel, &QPushButton::clicked, Dialog, &QDialog::reject);
    return row;
}

void StyleToolList(QListWidget* List, const char* Name)
{
    List->setObjectName(Name);
    List->setStyleSheet("QListWidget::item { padding: 2px; } "
                        "QListWidget::item:selected { background: #0000FF; color: white; }");
}

void ShowLines(QListWidget* List, const std::vector<std::string>& Lines, int Current,
               const std::function<QIcon(const std::string&)>& Icon)
{
    const QSignalBlocker quiet(List);
    List->clear();
    for (const std::string& line : Lines) {
        auto* item = new QListWidgetItem(SjisToQString(line), List);
        if (Icon) item->setIcon(Icon(line));
    }
    List->setCurrentRow(Current);
}

} // namespace qx
