#include "mainwindow/desktop/qt/Splash.h"

#include "documents/GlobalState.h"
#include "platform/qt/ProgramIcon.h"

#include <QApplication>
#include <QPainter>
#include <QSplashScreen>

namespace qx {

std::unique_ptr<QSplashScreen> ShowSplash()
{
    QPixmap picture(360, 150);
    picture.fill(QColor(0xF4, 0xF4, 0xF0));
    {
        QPainter painter(&picture);
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
        painter.drawPixmap(20, 40, ProgramIcon().pixmap(48, 48));
        QFont title = painter.font();
        title.setPointSize(20);
        title.setBold(true);
        painter.setFont(title);
        painter.drawText(QRect(84, 30, 260, 40), Qt::AlignLeft | Qt::AlignVCenter, "QxEditor");
        QFont small = painter.font();
        small.setPointSize(9);
        small.setBold(false);
        painter.setFont(small);
        // The version label ("Label2" of the form this replaces).
        painter.drawText(QRect(84, 76, 260, 24), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString("Version " + std::string(VersionText)));
    }
    auto splash = std::make_unique<QSplashScreen>(picture);
    splash->setObjectName("splash");
    splash->show();
    QApplication::processEvents();
    return splash;
}

void FinishSplash(std::unique_ptr<QSplashScreen>& Splash, QWidget& Window)
{
    if (!Splash) return;
    Splash->finish(&Window);
    Splash.reset();
}

} // namespace qx
