#include "documents/qt/QxStatusBar.h"

#include <QLabel>

namespace qx {

TQxStatusBar::TQxStatusBar(QWidget* Parent) : QStatusBar(Parent)
{
    setObjectName("StatusBar1");
    for (int I = 0; I < StatusPanelCount; ++I) {
        auto* Label = new QLabel(this);
        Label->setObjectName(QString("Panel%1").arg(I));
        const bool Last = I == StatusPanelCount - 1;
        Label->setAlignment(Last ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        Label->setFrameShape(I == 3 ? QFrame::NoFrame : QFrame::StyledPanel);
        if (Last) Label->setMinimumWidth(StatusPanelWidths[I]);
        else Label->setFixedWidth(StatusPanelWidths[I]);
        addPermanentWidget(Label, Last ? 1 : 0);
        FPanels[I] = Label;
    }
}

void TQxStatusBar::ShowPanels(const TStatusPanels& Panels)
{
    for (int I = 0; I < StatusPanelCount; ++I) {
        const QString Text = QString::fromStdString(Panels[I]);
        if (FPanels[I]->text() != Text) FPanels[I]->setText(Text);
    }
}

} // namespace qx
