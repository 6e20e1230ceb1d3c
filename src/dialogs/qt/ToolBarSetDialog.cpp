#include "dialogs/qt/ToolBarSetDialog.h"

#include "documents/MessageDialog.h"
#include "documents/ToolBarFile.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

namespace {

QString Utf8(std::string_view Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

} // namespace

TToolBarSetDialog::TToolBarSetDialog(std::vector<int> Bar1, std::vector<int> Bar2, const bool (&Loaded)[2],
                                     std::function<QAction*(int)> ActionOf,
                                     std::function<QIcon(int, const QString&)> IconOf, TPrompter& Prompter,
                                     QWidget* Parent)
    : QDialog(Parent), FModel(std::move(Bar1), std::move(Bar2)), FActionOf(std::move(ActionOf)),
      FIconOf(std::move(IconOf)), FPrompter(Prompter)
{
    setObjectName("ToolBarSetDialog");
    setWindowTitle(QString::fromUtf8("ツールバーのカスタマイズ"));
    FCategory = new QComboBox(this);
    FCategory->setObjectName("ComboBox1");
    for (const TToolCategory& category : ToolCategories()) FCategory->addItem(Utf8(category.Caption));
    FBarChoice = new QComboBox(this);
    FBarChoice->setObjectName("ComboBox2");
    for (int b = 0; b < 2; ++b)
        if (Loaded[b]) FBarChoice->addItem(QString::fromUtf8(b == 0 ? "ツールバー １" : "ツールバー ２"), b);
    FCommands = new QListWidget(this);
    FCommands->setObjectName("CommandListBox");
    FBar = new QListWidget(this);
    FBar->setObjectName("ToolBarListBox");

    auto button = [this](const char* Caption, void (TToolBarSetDialog::*Click)()) {
        auto* b = new QPushButton(QString::fromUtf8(Caption), this);
        connect(b, &QPushButton::clicked, this, [this, Click] { (this->*Click)(); });
        return b;
    };
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(button("追加(&A)", &TToolBarSetDialog::AddClick));
    middle->addWidget(button("削除(&D)", &TToolBarSetDialog::DeleteClick));
    middle->addSpacing(12);
    middle->addWidget(button("一つ上へ(&P)", &TToolBarSetDialog::UpClick));
    middle->addWidget(button("一つ下へ(&N)", &TToolBarSetDialog::DownClick));
    middle->addSpacing(12);
    middle->addWidget(button("リセット(&R)", &TToolBarSetDialog::ResetClick));
    middle->addStretch();
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("CANCEL"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QString::fromUtf8("コマンド"), this), 0, 0);
    grid->addWidget(FCategory, 1, 0);
    grid->addWidget(FCommands, 2, 0);
    grid->addLayout(middle, 2, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("ツールバー"), this), 0, 2);
    grid->addWidget(FBarChoice, 1, 2);
    grid->addWidget(FBar, 2, 2);
    grid->addWidget(buttons, 3, 0, 1, 3);

    connect(FCategory, &QComboBox::currentIndexChanged, this, [this](int Index) { SelectCategory(Index); });
    connect(FBarChoice, &QComboBox::currentIndexChanged, this, [this] { FillBar(0); });
    SelectCategory(0);
    FillBar(0);
    resize(520, 360);
}

QString TToolBarSetDialog::TextOf(int Number) const
{
    if (Number == ToolButtonSeparator) return QString::fromUtf8("―――― 区切り ――――");
    QAction* action = FActionOf ? FActionOf(Number) : nullptr;
    if (!action) return QString::number(Number);
    // The caption without its key text.
    return action->text().section(QLatin1Char('\t'), 0, 0).section(QLatin1Char('|'), 0, 0);
}

void TToolBarSetDialog::AddItem(QListWidget& List, int Number) const
{
    auto* item = new QListWidgetItem(TextOf(Number), &List);
    item->setData(Qt::UserRole, Number);
    if (Number != ToolButtonSeparator && FIconOf) item->setIcon(FIconOf(Number, item->text()));
}

void TToolBarSetDialog::SelectCategory(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(ToolCategories().size())) return;
    if (FCategory->currentIndex() != Index) FCategory->setCurrentIndex(Index);
    FCommands->clear();
    for (int number : ToolCategories()[static_cast<std::size_t>(Index)].Numbers) AddItem(*FCommands, number);
}

void TToolBarSetDialog::SelectBar(int Bar)
{
    const int index = FBarChoice->findData(Bar);
    if (index >= 0) FBarChoice->setCurrentIndex(index);
}

int TToolBarSetDialog::CurrentBar() const
{
    return FBarChoice->currentIndex() < 0 ? -1 : FBarChoice->currentData().toInt();
}

void TToolBarSetDialog::FillBar(int Select)
{
    FBar->clear();
    const int bar = CurrentBar();
    if (bar < 0) return;
    for (int number : FModel.Bar(bar)) AddItem(*FBar, number);
    if (Select >= 0 && Select < FBar->count()) FBar->setCurrentRow(Select);
}

void TToolBarSetDialog::AddClick()
{
    QListWidgetItem* command = FCommands->currentItem();
    const int bar = CurrentBar();
    if (!command || bar < 0) {
        if (Beep) Beep();
        ShowMessageDialog(FPrompter, kNoCommandToAdd, "確認", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return;
    }
    FillBar(FModel.Add(bar, command->data(Qt::UserRole).toInt(), FBar->currentRow()));
}

void TToolBarSetDialog::DeleteClick()
{
    const int bar = CurrentBar();
    const int row = FBar->currentRow();
    if (bar < 0 || row < 0) {
        ShowMessageDialog(FPrompter, kNoButtonToDelete, "確認", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return;
    }
    FModel.Delete(bar, row);
    FillBar(std::min(row, static_cast<int>(FModel.Bar(bar).size()) - 1));
}

void TToolBarSetDialog::UpClick()
{
    if (CurrentBar() >= 0) FillBar(FModel.Up(CurrentBar(), FBar->currentRow()));
}

void TToolBarSetDialog::DownClick()
{
    if (CurrentBar() >= 0) FillBar(FModel.Down(CurrentBar(), FBar->currentRow()));
}

void TToolBarSetDialog::ResetClick()
{
    FModel.Reset();
    FillBar(0);
}

} // namespace qx
