#include "app/runprogram.h"
#include "app/thlavni.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
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
    return runProgram(application, programDir(application), [](THlavni& window) {
        // Start-up measurement: end once the first screen has been drawn.
        if (qEnvironmentVariableIsSet("LUMIRA_EXIT_AFTER_START"))
            QTimer::singleShot(0, &window, [&window] {
                window.grab();
                QApplication::quit();
            });
    });
}
