#include "dialogs/qt/KeySetDialog.h"

#include "dialogs/CommandTable.h"
#include "dialogs/KeySetModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace qx {

namespace {

QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TKeySetDialog::TKeySetDialog(TKeySetModel& model, TExceptionHandler onError, QWidget* parent)
    : QDialog(parent), FModel(model), FOnError(std::move(onError))
{
    setObjectName(QStringLiteral("KeySetDialog"));
    setWindowTitle(QStringLiteral("キー割り当て"));

    FTree = new QTreeWidget(this);
    FTree->setObjectName(QStringLiteral("TreeView1"));
    FTree->setHeaderHidden(true);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The nodes are fixed; each item keeps its absolute index.
    std::vector<QTreeWidgetItem*> parents;
    const auto tree = KeySetTree();
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const TKeyTreeNode& node = tree[i];
        parents.resize(static_cast<std::size_t>(node.Level));
        auto* item = parents.empty() ? new QTreeWidgetItem(FTree) : new QTreeWidgetItem(parents.back());
        item->setText(0, Text(node.Caption));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        if (!node.IsCommand()) parents.push_back(item);
    }
    FTree->expandAll();

    FKeyBox = new QComboBox(this);
    FKeyBox->setObjectName(QStringLiteral("ComboBox1"));
    for (std::string_view name : TKeySetModel::KeyNames()) FKeyBox->addItem(Text(name));
    auto* keyLabel = new QLabel(QStringLiteral("割り当てるキー(&K)："), this);
    keyLabel->setBuddy(FKeyBox);
    FShift = new QCheckBox(QStringLiteral("&Shift"), this);
    FShift->setObjectName(QStringLiteral("CheckBoxShift"));
    FCtrl = new QCheckBox(QStringLiteral("&Ctrl"), this);
    FCtrl->setObjectName(QStringLiteral("CheckBoxCtrl"));
    FAlt = new QCheckBox(QStringLiteral("&Alt"), this);
    FAlt->setObjectName(QStringLiteral("CheckBoxAlt"));
    FAssign = Button("Button1", "割り当て(&A)", this);
    FCurrent = new QLabel(this);
    FCurrent->setObjectName(QStringLiteral("Panel1"));
    FCurrent->setFrameShape(QFrame::Panel);
    FCurrent->setFrameShadow(QFrame::Sunken);
    FCurrent->setMinimumWidth(140);
    FClear = Button("Button2", "クリア", this);
    QPushButton* load = Button("Button3", "読み込み(&L)...", this);
    QPushButton* save = Button("Button4", "保存(&S)...", this);
    QPushButton* ok = Button("Button5", "OK", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("Button6", "CANCEL", this);

    auto* keys = new QGridLayout;
    keys->addWidget(keyLabel, 0, 0, 1, 3);
    keys->addWidget(FKeyBox, 1, 0, 1, 3);
    keys->addWidget(FShift, 2, 0);
    keys->addWidget(FCtrl, 2, 1);
    keys->addWidget(FAlt, 2, 2);
    keys->addWidget(FAssign, 3, 0, 1, 3);
    keys->addWidget(new QLabel(QStringLiteral("現在のキー："), this), 4, 0, 1, 3);
    keys->addWidget(FCurrent, 5, 0, 1, 3);
    keys->addWidget(FClear, 6, 0, 1, 3);
    keys->setRowStretch(7, 1);
    keys->addWidget(load, 8, 0, 1, 3);
    keys->addWidget(save, 9, 0, 1, 3);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("メニューコマンド："), this));
    left->addWidget(FTree);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(keys);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(520, 440);

    connect(FTree, &QTreeWidget::currentItemChanged, this, [this] { SelectionChanged(); });
    connect(FAssign, &QPushButton::clicked, this, [this] { Assign(); });
    connect(FClear, &QPushButton::clicked, this, [this] { ClearKey(); });
    connect(load, &QPushButton::clicked, this, [this] { LoadFile(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveFile(); });
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TKeySetDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShown) return;
    FShown = true;
    GuardedCall(FOnError, [this] { FModel.Show(); });
    FKeyBox->setCurrentIndex(0);
    FTree->setFocus();
    FTree->setCurrentItem(FTree->topLevelItem(0));
    Refresh();
}

void TKeySetDialog::SelectionChanged()
{
    const QTreeWidgetItem* item = FTree->currentItem();
    if (item) FModel.Select(item->data(0, Qt::UserRole).toInt());
    Refresh();
}

void TKeySetDialog::Refresh()
{
    const bool command = FModel.CanAssign();
    for (QWidget* w : std::initializer_list<QWidget*>{FKeyBox, FShift, FCtrl, FAlt, FAssign, FClear})
        w->setEnabled(command);
    FCurrent->setText(QString::fromStdString(FModel.CurrentKeyText()));
    FCurrent->setBackgroundRole(command ? QPalette::Base : QPalette::Button);
    FCurrent->setAutoFillBackground(true);
}

void TKeySetDialog::Assign()
{
    const std::string name = FKeyBox->currentText().toStdString();
    GuardedCall(FOnError, [&] { FModel.Assign(name, FShift->isChecked(), FCtrl->isChecked(), FAlt->isChecked()); });
    Refresh();
}

void TKeySetDialog::ClearKey()
{
    FModel.ClearKey();
    Refresh();
}

void TKeySetDialog::LoadFile()
{
    GuardedCall(FOnError, [this] { FModel.LoadFile(); });
    Refresh();
}

void TKeySetDialog::SaveFile()
{
    GuardedCall(FOnError, [this] { FModel.SaveFile(); });
}

void TKeySetDialog::Ok()
{
    bool close = false;
    GuardedCall(FOnError, [&] { close = FModel.Ok(); });
    if (close) accept();
}

} // namespace qx
