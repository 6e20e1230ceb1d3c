#include "dialogs/qt/EditEnvDialog.h"

#include "platform/Cp932.h"

#include <QHBoxLayout>
#include <functional>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

namespace {

QIcon EnvironmentIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(40, 40, 80));
    painter.setBrush(QColor(120, 160, 230));
    painter.drawRect(1, 2, 13, 11);
    painter.setBrush(Qt::white);
    painter.drawRect(3, 5, 9, 6);
    return QIcon(pixmap);
}

} // namespace

TEditEnvDialog::TEditEnvDialog(TEditEnvManager& Manager, TExceptionHandler OnError, QWidget* Parent)
    : QDialog(Parent), FManager(Manager), FOnError(std::move(OnError))
{
    setObjectName(QStringLiteral("EditEnvDialog"));
    setWindowTitle(QStringLiteral("エディタ環境"));
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("EnvListBox"));
    FList->setMinimumSize(240, 220);
    FList->setStyleSheet(QStringLiteral("QListWidget::item:selected { background: #0000FF; color: white; }"));

    struct TButton {
        const char* Name;
        const char* Caption;
        std::function<bool(TEditEnvManager&)> Operation;
    };
    const TButton buttons[] = {
        {"Button2", "新規(&N)...", &TEditEnvManager::New},       {"Button3", "コピー(&P)...", &TEditEnvManager::Copy},
        {"Button4", "削除(&D)", &TEditEnvManager::Delete},       {"Button5", "名前の変更(&C)...", &TEditEnvManager::Rename},
        {"Button6", "読み込み(&L)...", &TEditEnvManager::Import}, {"Button7", "保存(&S)...", &TEditEnvManager::Export},
        {"Button8", "一つ上へ", &TEditEnvManager::MoveUp},       {"Button9", "一つ下へ", &TEditEnvManager::MoveDown},
    };
    auto* column = new QVBoxLayout;
    for (const TButton& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.Caption), this);
        button->setObjectName(QLatin1String(b.Name));
        button->setAutoDefault(false);
        column->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, operation = b.Operation] {
            GuardedCall(FOnError, [&] { operation(FManager); });
            ShowState();
        });
    }
    column->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    close->setObjectName(QStringLiteral("Button1"));
    column->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(FList, 1);
    layout->addLayout(column);

    connect(FList, &QListWidget::currentRowChanged, this, [this](int Row) {
        GuardedCall(FOnError, [&] {
            FManager.Select(Row);
            ShowState();
        });
    });
    FManager.Select(0);
    ShowState();
}

void TEditEnvDialog::ApplyStayOnTop(bool StayOnTop) { setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop); }

QPushButton* TEditEnvDialog::ButtonNamed(const char* Name) const
{
    return findChild<QPushButton*>(QLatin1String(Name));
}

void TEditEnvDialog::ShowState()
{
    {
        const QSignalBlocker blocker(FList);
        FList->clear();
        const QIcon icon = EnvironmentIcon();
        for (const std::string& name : FManager.Names())
            FList->addItem(new QListWidgetItem(icon, QString::fromStdString(Cp932ToUtf8(name))));
        FList->setCurrentRow(FManager.Selected());
    }
    const TEditEnvButtons b = FManager.Buttons();
    const std::pair<const char*, bool> states[] = {{"Button2", b.New},    {"Button3", b.Copy},   {"Button4", b.Delete},
                                                   {"Button5", b.Rename}, {"Button6", b.Import}, {"Button7", b.Export},
                                                   {"Button8", b.Up},     {"Button9", b.Down}};
    for (const auto& [name, on] : states) ButtonNamed(name)->setEnabled(on);
}

void TEditEnvDialog::done(int Result)
{
    GuardedCall(FOnError, [&] { FManager.Close(); });
    QDialog::done(Result);
}

} // namespace qx
