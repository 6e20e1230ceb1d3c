#pragma once
// Qt's own windows (file and folder choosers, page setup, the standard buttons) speak Japanese like
// the rest of the program, whatever the desktop's language.

#include <QTranslator>

class QCoreApplication;

namespace qx {

// Installs Qt's Japanese translations ("qtbase_ja" from Qt's translations folder) into App, which owns
// them; null when they are not installed here (Qt then stays in English).
QTranslator* InstallQtTranslations(QCoreApplication& App);

} // namespace qx
