#include "app/forms/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmora {

QLocale ToolkitLocale() {
    const QLocale user;
    if (user.language() == QLocale::German)
        return user;
    return QLocale(QLocale::German, QLocale::Germany);
}

bool LoadToolkitTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(ToolkitLocale(), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace velmora
