#include "installer/qt/UninstallDialog.h"

#include "installer/Setup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace qx {

namespace {

constexpr int kRemovalDelayMs = 300;  // the window is on screen before the first question

} // namespace

TUninstallDialog::TUninstallDialog(TSetup& setup, QWidget* parent) : QDialog(parent), FSetup(setup)
{
    setObjectName("UninstallDialog");
    setWindowTitle(QString::fromStdString(setup.Info().Title + "の削除"));
    FText = new QLabel("アプリケーションのアンインストールを行っています...");
    FText->setObjectName("UninstallText");
    FText->setWordWrap(true);
    FCloseButton = new QPushButton("終了");
    FCloseButton->setObjectName("CloseButton");
    FCloseButton->setEnabled(false);
    connect(FCloseButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(FCloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FText);
    layout->addLayout(buttons);
}

void TUninstallDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FStarted) return;
    FStarted = true;
    QTimer::singleShot(kRemovalDelayMs, this, &TUninstallDialog::RunRemoval);
}

void TUninstallDialog::RunRemoval()
{
    FRemoved = FSetup.Remove();
    const QString text = QString::fromStdString(FSetup.RemovalText(FRemoved));
    FText->setText(text);
    // The window takes the size its new text needs: each line whole where the screen has the room (the
    // install folder's path may be long), wrapped where it has not.
    const int lines = FText->fontMetrics().boundingRect(QRect(), 0, text).width();
    const int room = screen() ? screen()->availableGeometry().width() * 2 / 3 : lines;
    FText->setMinimumWidth(std::min(lines, room));
    layout()->activate();
    adjustSize();
    FCloseButton->setEnabled(true);
    FCloseButton->setDefault(true);
    raise();
    activateWindow();
}

void TUninstallDialog::reject()
{
    if (FCloseButton->isEnabled()) QDialog::reject();  // Escape closes only when the removal is over
}

} // namespace qx
