#include "platform/qt/QtTrash.h"

#include <QFile>
#include <QString>

namespace qx {

bool TQtTrash::MoveToTrash(const std::string& FileName)
{
    // Paths are the file system's bytes.
    return QFile::moveToTrash(QFile::decodeName(QByteArray::fromStdString(FileName)));
}

} // namespace qx
