// Every test program formats numbers and dates as the program does for its users: with the
// Czech locale, set once the application object exists.

#include <QCoreApplication>
#include <QLocale>

namespace {

void useCzechLocale() {
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useCzechLocale)
