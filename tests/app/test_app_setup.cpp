// What the process sets up before the main window: names, icon, where Qt's own dialogs keep
// their state, and the file size limit signal.

#include "app/applicationsetup.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

class AppSetupTest : public QObject {
    Q_OBJECT

private slots:
    void setsUpTheProcess() {
        QTemporaryDir programDir;
        const QString dir = programDir.path() + u'/';
        setUpApplication(dir);

        QCOMPARE(QApplication::organizationName(), QString("Lumira"));
        QCOMPARE(QApplication::applicationName(), QString("Lumira"));
        // Nothing is added to the captions the program sets.
        QCOMPARE(QApplication::applicationDisplayName(), QString());
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(48, 48)));

        struct sigaction action {};
        QCOMPARE(sigaction(SIGXFSZ, nullptr, &action), 0);
        QVERIFY(action.sa_handler == SIG_IGN);

        // The save dialog remembers its state beside the program's data, not in ~/.config.
        const QString settingsFile = QSettings(QSettings::UserScope, "QtProject").fileName();
        QVERIFY2(settingsFile.startsWith(programDir.path()), qPrintable(settingsFile));
        delete new QFileDialog;
        QVERIFY(QFileInfo::exists(dir + "QtProject.conf"));
    }
};

QTEST_MAIN(AppSetupTest)
#include "test_app_setup.moc"
