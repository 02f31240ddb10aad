#include "app/selfteststore.h"
#include "app/thlavni.h"
#include "dialogs/czechtranslations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QTimer>

namespace {

// The executable's directory, or the one given with --dir (installed use, tests).
QString programDir(const QApplication& application) {
    QCommandLineParser parser;
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Složka s databází a nastavením."),
                                       QStringLiteral("DIR"));
    parser.addOption(dirOption);
    parser.process(application);
    const QString dir = parser.isSet(dirOption) ? QDir(parser.value(dirOption)).absolutePath()
                                                : QCoreApplication::applicationDirPath();
    return QDir::toNativeSeparators(QDir(dir).absolutePath() + u'/');
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString());
    QApplication::setDesktopFileName(QStringLiteral("cz.lumira.Lumira"));
    // The window's pixel sizes (75 px buttons, 25 px rate column) were laid out for a small
    // sans font; Liberation Sans keeps Arial's metrics.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    dialogs::installCzechTranslations(application);
    THlavni window(programDir(application));
    if (!window.started())
        return 1;
    window.show();
    selftest::startStoring(window);
    // Start-up measurement: end once the first screen has been drawn.
    if (qEnvironmentVariableIsSet("LUMIRA_EXIT_AFTER_START"))
        QTimer::singleShot(0, &window, [&window] {
            window.grab();
            QApplication::quit();
        });
    return application.exec();
}
