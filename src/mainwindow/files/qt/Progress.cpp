#include "mainwindow/files/qt/Progress.h"

#include "platform/qt/WindowPlacement.h"
#include "dialogs/Gradient.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qx {

TFormProgress::TFormProgress(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint)
{
    setObjectName("FormProgress");
    FLabel = new QLabel(this);
    FLabel->setObjectName("Label");
    FBar = new QProgressBar(this);
    FBar->setObjectName("ProgressBar");
    FBar->setRange(0, 100);
    FBar->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FLabel);
    layout->addWidget(FBar);
    setFixedSize(300, 75);
}

void TFormProgress::SetProgress(const QString& message, int maximum, int position)
{
    FLabel->setText(message);
    FLabel->repaint();
    FBar->setValue(ProgressPercent(maximum, position));
    FBar->repaint();
}

void TFormProgress::closeEvent(QCloseEvent* event)
{
    FBar->setValue(0);
    FLabel->clear();
    QDialog::closeEvent(event);
}

void TFormProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

TProgress::TProgress(QWidget* parent) : FForm(new TFormProgress(parent)) {}

TProgress::~TProgress()
{
    delete FForm.data();
}

void TProgress::ShowProgress(const QString& message, int maximum, int position)
{
    FForm->show();
    FForm->SetProgress(message, maximum, position);
}

void TProgress::Close()
{
    FForm->close();
}

} // namespace qx
