#include "documents/qt/QxStatusBar.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace qx {

void TStatusPanel::SetPanelWidth(int Width)
{
    if (FWidth == Width) return;
    FWidth = Width;
    updateGeometry();
}

QSize TStatusPanel::sizeHint() const
{
    return {FWidth, QLabel::sizeHint().height()};
}

QSize TStatusPanel::minimumSizeHint() const
{
    // The frame and a sliver of text: enough to see that the panel is there.
    return {std::min(FWidth, 2 * frameWidth() + fontMetrics().averageCharWidth()), QLabel::minimumSizeHint().height()};
}

QRect TStatusPanel::TextArea() const
{
    return contentsRect().adjusted(margin(), 0, -margin(), 0);
}

QString TStatusPanel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, TextArea().width());
}

void TStatusPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(TextArea(), static_cast<int>(alignment()), ShownText());
}

TQxStatusBar::TQxStatusBar(QWidget* Parent) : QStatusBar(Parent)
{
    setObjectName("StatusBar1");
    for (int I = 0; I < StatusPanelCount; ++I) {
        auto* Label = new TStatusPanel(this);
        Label->setObjectName(QString("Panel%1").arg(I));
        const bool Last = I == StatusPanelCount - 1;
        Label->setAlignment(Last ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        Label->setFrameShape(I == 3 ? QFrame::NoFrame : QFrame::StyledPanel);
        Label->SetPanelWidth(StatusPanelWidths[I]);
        // The panels give up room before they take more; the last one takes what is left over.
        Label->setSizePolicy(Last ? QSizePolicy::Expanding : QSizePolicy::Maximum, QSizePolicy::Preferred);
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
    TStatusPanel* Label = FPanels[Index];
    const int margins = 2 * (Label->frameWidth() + Label->margin()) + Label->fontMetrics().averageCharWidth();
    const int needed = Label->fontMetrics().horizontalAdvance(Label->text()) + margins;
    const int width = std::max(StatusPanelWidths[Index], needed);
    Label->SetPanelWidth(width);
}

} // namespace qx
