#include "dialogs/czechtranslations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dialogs {

bool installCzechTranslations(QApplication& application) {
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_cs"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

} // namespace dialogs
