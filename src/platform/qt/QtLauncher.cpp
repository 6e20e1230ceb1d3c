#include "platform/qt/QtLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace qx {

bool TQtLauncher::Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                        const std::filesystem::path& folder)
{
    QStringList args;
    for (const std::string& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program.string()), args,
                                   QString::fromStdString(folder.string()));
}

bool TQtLauncher::Open(const std::string& target, const std::filesystem::path& folder)
{
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(target), QString::fromStdString(folder.string()),
                                         QUrl::AssumeLocalFile);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace qx
