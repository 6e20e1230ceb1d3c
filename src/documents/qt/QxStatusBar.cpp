#include "documents/qt/QxStatusBar.h"

#include <QLabel>

#include <algorithm>

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
        if (FPanels[I]->text() == Text) continue;
        FPanels[I]->setText(Text);
        if (I != StatusPanelCount - 1) FitPanel(I);
    }
}

void TQxStatusBar::FitPanel(int Index)
{
    // A panel keeps its width unless its text needs more (the offset and length of a file of a hundred
    // megabytes): then it is as wide as the text with the frame's and a margin's room around it.
    QLabel* Label = FPanels[Index];
    const int margins = 2 * (Label->frameWidth() + Label->margin()) + Label->fontMetrics().averageCharWidth();
    const int needed = Label->fontMetrics().horizontalAdvance(Label->text()) + margins;
    const int width = std::max(StatusPanelWidths[Index], needed);
    if (Label->width() != width || Label->minimumWidth() != width) Label->setFixedWidth(width);
}

} // namespace qx
