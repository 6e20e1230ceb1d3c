#include "dialogs/qt/OptionDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qx {

TOptionDialog::TOptionDialog(TOptionDialogModel& Model, TOptionPageContext Context, QWidget* Parent)
    : QDialog(Parent), FModel(Model), FContext(std::move(Context))
{
    setObjectName("OptionDialog");
    setWindowTitle(QString::fromUtf8("環境オプション設定"));
    FTree = new QTreeWidget(this);
    FTree->setObjectName("TreeView1");
    FTree->setHeaderHidden(true);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTree->setFixedWidth(150);
    // Each node carries its absolute index in the tree, which names its page.
    QTreeWidgetItem* group = nullptr;
    const auto& nodes = OptionPageTree();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const QString caption = QString::fromUtf8(nodes[i].Caption.data(), static_cast<qsizetype>(nodes[i].Caption.size()));
        auto* item = nodes[i].Group || !group ? new QTreeWidgetItem(FTree, {caption}) : new QTreeWidgetItem(group, {caption});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        if (nodes[i].Group) group = item;
    }
    FHost = new QWidget(this);
    FHost->setObjectName("OptPanel");
    auto* hostLayout = new QVBoxLayout(FHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);

    auto* buttons = new QDialogButtonBox(this);
    const auto add = [&](const char* Name, const char* Caption, QDialogButtonBox::ButtonRole Role) {
        QPushButton* button = buttons->addButton(QString::fromUtf8(Caption), Role);
        button->setObjectName(Name);
        return button;
    };
    QPushButton* help = add("Button9", "HELP(&H)", QDialogButtonBox::HelpRole);
    help->setEnabled(false);  // no help viewer here
    QPushButton* ok = add("Button3", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel = add("Button4", "CANCEL", QDialogButtonBox::RejectRole);
    QPushButton* apply = add("Button1", "適用(&A)", QDialogButtonBox::ApplyRole);
    connect(ok, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(apply, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* top = new QHBoxLayout;
    top->addWidget(FTree);
    top->addWidget(FHost, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    resize(640, 520);

    connect(FTree, &QTreeWidget::currentItemChanged, this, [this] { TreeView1Change(); });
    // The first page, with its group open and the others closed.
    QTreeWidgetItem* first = FTree->topLevelItem(0);
    first->setExpanded(true);
    FTree->setCurrentItem(first);
    FTree->setFocus();
}

void TOptionDialog::TreeView1Change()
{
    if (QTreeWidgetItem* item = FTree->currentItem()) ShowPage(item->data(0, Qt::UserRole).toInt());
}

void TOptionDialog::ShowPage(int Index)
{
    if (Index == FPageIndex) return;
    // One page at a time: the old one goes with its controls.
    delete FPage;
    FPage = nullptr;
    FPageIndex = Index;
    FPage = CreateOptionPage(Index, FContext, FHost);
    FHost->layout()->addWidget(FPage);
    FPage->show();
}

void TOptionDialog::Apply()
{
    GuardedCall(FContext.OnError, [this] { FModel.ApplyOptions(); });
}

void TOptionDialog::Button1Click() { Apply(); }

void TOptionDialog::Button3Click()
{
    Apply();
    accept();
}

void TOptionDialog::Button4Click() { reject(); }

} // namespace qx
