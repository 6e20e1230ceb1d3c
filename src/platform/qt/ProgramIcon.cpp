#include "platform/qt/ProgramIcon.h"

#include <QDirIterator>

namespace qx {

QIcon ProgramIcon()
{
    // The renderings are resources laid out as an icon theme: hicolor/<n>x<n>/apps/<name>.png.
    QIcon icon;
    QDirIterator it(":/hicolor", {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) icon.addFile(it.next());
    return icon;
}

} // namespace qx
