#include "app/applicationsetup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QSettings>
#include <csignal>

static void initAppResources() {
    Q_INIT_RESOURCE(appicons);
}

namespace {

QIcon programIcon() {
    initAppResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/lumira-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

void setUpApplication(const QString& programDir) {
    // Past a file size limit (ulimit -f) a write must fail with an error that its writer
    // reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication::setOrganizationName(QStringLiteral("Lumira"));
    QApplication::setOrganizationDomain(QStringLiteral("lumira.cz"));
    QApplication::setApplicationName(QStringLiteral("Lumira"));
    // The captions are the program's own; the platform adds nothing to them.
    QApplication::setApplicationDisplayName(QString());
    QApplication::setDesktopFileName(QStringLiteral("cz.lumira.Lumira"));
    QApplication::setWindowIcon(programIcon());
    // Qt's own dialogs (the save dialog) remember their state in the user's settings; keep
    // them in the program's folder with the rest of its data instead of ~/.config.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, programDir);
    // The window's pixel sizes (75 px buttons, 25 px rate column) were laid out for a small
    // sans font; Liberation Sans keeps Arial's metrics.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
}
