#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace qx {

QTranslator* InstallQtTranslations(QCoreApplication& App)
{
    auto* translator = new QTranslator(&App);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace qx
