#pragma once
// The program's own icon, at every size the build rendered: the application's, the windows', the tray's,
// the message boxes' and the splash's.

#include <QIcon>

namespace qx {

QIcon ProgramIcon();

} // namespace qx
