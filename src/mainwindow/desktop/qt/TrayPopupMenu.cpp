#include "mainwindow/desktop/qt/TrayPopupMenu.h"

#include "dialogs/Gradient.h"
#include "mainwindow/desktop/TrayMenu.h"
#include "platform/qt/QtColor.h"

#include <QFontMetrics>
#include <QPainter>

namespace qx {

namespace {

QFont BannerFont()
{
    QFont font(QStringLiteral("Impact"));
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

} // namespace

TTrayPopupMenu::TTrayPopupMenu(QWidget* Parent) : QMenu(Parent)
{
    setObjectName("TrayPopupMenu");
    setContentsMargins(BannerWidth, 0, 0, 0);
}

void TTrayPopupMenu::SetColorSet(int Set)
{
    FColorSet = Set >= 0 && Set <= 2 ? Set : 0;
    update();
}

QString TTrayPopupMenu::BannerText() const
{
    const QFontMetrics metrics(BannerFont());
    return QString::fromStdString(TrayBannerText(height() - 4, [&](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }));
}

void TTrayPopupMenu::paintEvent(QPaintEvent* Event)
{
    QMenu::paintEvent(Event);
    // Three colour sets, dark at the bottom where the text starts.
    static constexpr TColor kSets[3][2] = {{TColor(0x800000), TColor(0xFF8040)},
                                           {TColor(0x004000), TColor(0x40C080)},
                                           {TColor(0x000080), TColor(0x4080FF)}};
    QPainter painter(this);
    const int h = height();
    for (const TGradBand& band : GradientBands(h, 14, kSets[FColorSet][1], kSets[FColorSet][0]))
        painter.fillRect(0, band.Offset, BannerWidth, band.Size, ToQColor(band.Color, palette()));
    painter.setFont(BannerFont());
    painter.setPen(Qt::white);
    painter.translate(BannerWidth - 2 - QFontMetrics(BannerFont()).descent(), h - 2);
    painter.rotate(-90);
    painter.drawText(0, 0, BannerText());
}

} // namespace qx
