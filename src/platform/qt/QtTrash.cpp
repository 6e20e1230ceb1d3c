#include "platform/qt/QtTrash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

namespace qx {

bool TQtTrash::MoveToTrash(const std::string& FileName)
{
    // The home trash lives in the user's data folder; Qt cannot set it up when that folder is missing
    // (and then moves the file into "files" of the current folder), so the folder is made first, as the
    // base-directory rules allow.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty() && !QDir().mkpath(data)) return false;
    // Paths are the file system's bytes.
    return QFile::moveToTrash(QFile::decodeName(QByteArray::fromStdString(FileName)));
}

} // namespace qx
