#include "mainwindow/desktop/qt/TipForm.h"

#include "platform/qt/WindowPlacement.h"
#include "platform/Cp932.h"
#include "platform/Prompter.h"
#include "platform/qt/QtColor.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qx {

TQxEditorTipForm::TQxEditorTipForm(const TTipWindowSetup& setup, QWidget* parent)
    : QDialog(parent), FPager(setup.Tips)
{
    setObjectName("QxEditorTipForm");
    setWindowTitle(QString::fromStdString(setup.Caption));

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(setup.Background));
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);

    auto* image = new QLabel(panel);
    image->setObjectName("Image");
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    image->setAlignment(Qt::AlignTop);

    auto* heading = new QLabel(QString::fromStdString(setup.Heading), panel);
    heading->setObjectName("TipHelp");
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    heading->setWordWrap(true);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    FTipText = new QLabel(panel);
    FTipText->setObjectName("TipText");
    FTipText->setWordWrap(true);
    FTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FTipText->setTextFormat(Qt::PlainText);

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(FTipText, 1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(image, 0, Qt::AlignTop);
    panelLayout->addLayout(texts, 1);

    FShowAtStart = new QCheckBox(QString::fromStdString(setup.CheckCaption), this);
    FShowAtStart->setObjectName("ShowAtStart");
    FShowAtStart->setChecked(setup.ShowAtStart);
    FPrev = new QPushButton("前を表示(&P)", this);
    FPrev->setObjectName("Prev");
    FNext = new QPushButton("次を表示(&N)", this);
    FNext->setObjectName("Next");
    auto* close = new QPushButton("閉じる", this);
    close->setObjectName("CloseBtn");
    close->setDefault(true);
    connect(FPrev, &QPushButton::clicked, this, &TQxEditorTipForm::Prev);
    connect(FNext, &QPushButton::clicked, this, &TQxEditorTipForm::Next);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FShowAtStart);
    buttons->addStretch(1);
    buttons->addWidget(FPrev);
    buttons->addWidget(FNext);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    resize(460, 260);
    ShowTip();
}

bool TQxEditorTipForm::ShowAtStartChecked() const
{
    return FShowAtStart->isChecked();
}

int TQxEditorTipForm::ModalResult() const
{
    return result() == QDialog::Accepted ? mr::Ok : mr::Cancel;
}

void TQxEditorTipForm::Next()
{
    FPager.Next();
    ShowTip();
}

void TQxEditorTipForm::Prev()
{
    FPager.Prev();
    ShowTip();
}

void TQxEditorTipForm::ShowTip()
{
    FTipText->setText(QString::fromStdString(Cp932ToUtf8(FPager.Tip())));
    FPrev->setEnabled(FPager.CanPrev());
    FNext->setEnabled(FPager.CanNext());
}

void TQxEditorTipForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

int TQtTipWindow::ShowModal(const TTipWindowSetup& setup, bool& showAtStart)
{
    TQxEditorTipForm form(setup, FParent);
    form.exec();
    showAtStart = form.ShowAtStartChecked();
    return form.ModalResult();
}

} // namespace qx
