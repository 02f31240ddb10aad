// Backups as the main window makes them: at close after a changed session (and not after an
// unchanged one), at start when the database is newer than the newest backup, a failure
// reported once, the copy the user saves, and the restore from Zalohy with its refusals.

#include "app/thlavni.h"
#include "backup/backupnames.h"
#include "backup/databasecopy.h"
#include "backup/rotation.h"
#include "backup/sqlitefile.h"
#include "backup/ui/tobnovazalohy.h"
#include "support/programfolder.h"
#include "support/scriptedhost.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <sqlite3.h>

using dialogs::Answer;
using dialogs::MessageKind;

namespace {

struct Folder : ProgramFolder {
    QString backups() const { return backup::backupFolder(path()); }
    int backupCount() const { return backup::automaticBackups(backups()).size(); }
    QString newestBackup() const {
        return QDir(backups()).filePath(backup::automaticBackups(backups()).first().name);
    }
};

void store(THlavni& window, const QString& cislo, double zaklad) {
    engine::DataSet& book = window.state().book;
    QVERIFY(book.append());
    QVERIFY(book.setValue("Cislo", cislo));
    QVERIFY(book.setValue("Zaklad", zaklad));
    QVERIFY2(book.post(), qPrintable(book.lastError()));
}

// A session of the program on the folder that stores the given invoices and closes.
void session(const Folder& folder, const QList<QPair<QString, double>>& invoices) {
    THlavni window(folder.path());
    QVERIFY(window.started());
    for (const auto& [cislo, zaklad] : invoices)
        store(window, cislo, zaklad);
    QVERIFY(window.close());
}

QString rowsOf(const QString& path) {
    const backup::SqliteFile file(path, backup::SqliteFile::Mode::ReadWrite);
    QString value;
    QString error;
    file.scalar("SELECT group_concat(Cislo, ',') FROM (SELECT Cislo FROM FDosle ORDER BY Id)",
                value, &error);
    return value + error;
}

QByteArray digest(const QString& path) {
    return QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256);
}

QAction* action(THlavni& window, const char* name) {
    return window.findChild<QAction*>(name);
}

QString label(const THlavni& window, const char* name) {
    return window.findChild<QLabel*>(name)->text();
}

// Picks the listed backup of that file name in the restore dialog and presses Obnovit.
ScriptedHost::DialogAction pick(const QString& fileName) {
    return [fileName](QDialog& dialog) {
        auto& restore = static_cast<TObnovaZalohy&>(dialog);
        const QList<QTreeWidgetItem*> items =
            restore.list()->findItems(fileName, Qt::MatchExactly, 0);
        if (items.size() != 1)
            qFatal("the restore dialog does not list %s", qPrintable(fileName));
        restore.list()->setCurrentItem(items.first());
        return ScriptedHost::click(dialog, "Tl_Obnovit");
    };
}

} // namespace

class BackupWindowTest : public QObject {
    Q_OBJECT
private slots:
    void closeBacksUpOnlyAChangedSession();
    void startBacksUpADatabaseNewerThanItsBackups();
    void failingBackupIsReportedOnceAndCloses();
    void savedCopy();
    void restoreBringsBackRowsAndTotals_data();
    void restoreBringsBackRowsAndTotals();
    void refusedRestore_data();
    void refusedRestore();
    void restoreDialogListsDatesAndRows();
};

void BackupWindowTest::closeBacksUpOnlyAChangedSession() {
    ScriptedHost host;
    Folder folder;
    session(folder, {{"F1", 100}});
    QCOMPARE(folder.backupCount(), 1);
    QCOMPARE(rowsOf(folder.newestBackup()), "F1");
    session(folder, {});
    QCOMPARE(folder.backupCount(), 1);
    session(folder, {{"F2", 50}});
    QCOMPARE(folder.backupCount(), 2);
    QCOMPARE(rowsOf(folder.newestBackup()), "F1,F2");
    QCOMPARE(host.messages.size(), 0);
}

void BackupWindowTest::startBacksUpADatabaseNewerThanItsBackups() {
    ScriptedHost host;
    Folder folder;
    session(folder, {{"F1", 100}});
    {
        // Changed by other means after the last backup: the next start copies it.
        backup::SqliteFile other(folder.database(), backup::SqliteFile::Mode::ReadWrite);
        QCOMPARE(sqlite3_exec(other.handle(), "INSERT INTO FDosle (Cislo) VALUES ('X1')", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
    }
    setModified(folder.database(), QDateTime::currentDateTime().addSecs(5));
    THlavni window(folder.path());
    QVERIFY(window.started());
    QTRY_COMPARE(folder.backupCount(), 2);
    QCOMPARE(rowsOf(folder.newestBackup()), "F1,X1");
    QVERIFY(window.close());
    QCOMPARE(folder.backupCount(), 2);
}

void BackupWindowTest::failingBackupIsReportedOnceAndCloses() {
    ScriptedHost host;
    Folder folder;
    session(folder, {});
    writeBytes(folder.backups()); // a file where the folder should be
    THlavni window(folder.path());
    QVERIFY(window.started());
    QTRY_COMPARE(host.messages.size(), 1); // the start's backup, due with none made yet
    store(window, "F1", 1);
    QVERIFY(window.close());
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, MessageKind::Warning);
    QCOMPARE(host.messages[0].text,
             QString("Automatickou zálohu databáze se nepodařilo vytvořit:\r\nSložku \"%1\" nelze "
                     "vytvořit.\r\nDosavadní zálohy ve složce \"%1\" zůstaly zachovány.")
                 .arg(folder.backups()));
    QCOMPARE(rowsOf(folder.database()), "F1");
}

void BackupWindowTest::savedCopy() {
    ScriptedHost host;
    Folder folder;
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("kopie.mdb");
    THlavni window(folder.path());
    store(window, "F1", 10);
    host.saveAnswers << ScriptedHost::SaveAnswer{target}
                     << ScriptedHost::SaveAnswer{folder.database()};
    action(window, "Akce_Zalohovat")->trigger();
    QCOMPARE(host.saveRequests[0].fileName,
             "Lumira-" + QDate::currentDate().toString("yyyyMMdd") + ".mdb");
    QCOMPARE(host.saveRequests[0].filter, "Databáze Lumira|*.mdb");
    QCOMPARE(host.saveRequests[0].defaultExtension, "mdb");
    QCOMPARE(rowsOf(target), "F1");
    QCOMPARE(host.messages.last().text,
             QString("Databáze byla zálohována do souboru \"%1\".").arg(target));

    // The open database itself is not a place for its copy.
    const QByteArray before = digest(folder.database());
    action(window, "Akce_Zalohovat")->trigger();
    QCOMPARE(host.messages.last().kind, MessageKind::Warning);
    QCOMPARE(host.messages.last().text,
             QString("Zálohu nelze uložit přes soubor otevřené databáze \"%1\".")
                 .arg(folder.database()));
    QCOMPARE(digest(folder.database()), before);
}

void BackupWindowTest::restoreBringsBackRowsAndTotals_data() {
    QTest::addColumn<bool>("wal");
    QTest::newRow("rollback journal") << false;
    QTest::newRow("database in WAL mode, backup in rollback mode") << true;
}

void BackupWindowTest::restoreBringsBackRowsAndTotals() {
    QFETCH(bool, wal);
    ScriptedHost host;
    Folder folder;
    session(folder, {{"F1", 100.25}, {"F2", 200}});
    if (wal) {
        backup::SqliteFile database(folder.database(), backup::SqliteFile::Mode::ReadWrite);
        QString mode;
        QString error;
        QVERIFY(database.scalar("PRAGMA journal_mode = WAL", mode, &error));
        QCOMPARE(mode, "wal");
    }
    const QString backupName = QFileInfo(folder.newestBackup()).fileName();
    THlavni window(folder.path());
    const QString total = label(window, "La_ZakladCelkem");
    const int columns = window.grid()->model()->columnCount();
    store(window, "F3", 1000);
    window.findChild<QLabel*>("La_ZakladCelkem")->setText("-"); // so only a recount restores it

    host.dialogActions << pick(backupName);
    host.answers << Answer::Yes;
    action(window, "Akce_Obnovit")->trigger();
    QCOMPARE(host.shownDialogs, QStringList{"Obnovit ze zálohy"});
    QCOMPARE(host.messages.size(), 2);
    QCOMPARE(host.messages[0].kind, MessageKind::Question);
    QCOMPARE(host.messages[0].questionKind, 2);
    QCOMPARE(host.messages[0].caption, "Obnovit ze zálohy");
    QVERIFY2(host.messages[0].text.startsWith(
                 QString("Nahradit současnou databázi zálohou \"%1\" ze dne ").arg(backupName)),
             qPrintable(host.messages[0].text));
    QVERIFY(host.messages[0].text.contains("Došlé faktury: 2, odeslané faktury: 0."));

    QCOMPARE(window.state().book.recordCount(), 2);
    QCOMPARE(label(window, "La_ZakladCelkem"), total);
    QCOMPARE(window.grid()->model()->columnCount(), columns);
    QCOMPARE(rowsOf(folder.database()), "F1,F2");
    // The state before the restore was saved first.
    QCOMPARE(folder.backupCount(), 2);
    QCOMPARE(rowsOf(folder.newestBackup()), "F1,F2,F3");
    QCOMPARE(host.messages[1].text,
             QString("Databáze byla obnovena ze zálohy \"%1\".\r\nStav před obnovou je uložen "
                     "v záloze \"%2\".")
                 .arg(backupName, QFileInfo(folder.newestBackup()).fileName()));
    // The restored book takes new rows as before.
    store(window, "F4", 1);
    QCOMPARE(rowsOf(folder.database()), "F1,F2,F4");
}

void BackupWindowTest::refusedRestore_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("foreign file")
        << "text"
        << "Soubor není databáze programu Lumira (není to databáze SQLite).";
    QTest::newRow("truncated copy") << "truncated"
                                    << "Soubor ";
    QTest::newRow("another program's backup")
        << "other"
        << "Soubor není databáze programu Lumira (chybí tabulka FDosle).";
}

void BackupWindowTest::refusedRestore() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    ScriptedHost host;
    Folder folder;
    session(folder, {{"F1", 1}});
    const QString name = "Lumira-20200101-120000.mdb";
    const QString path = QDir(folder.backups()).filePath(name);
    QFile file(path);
    if (kind == "truncated") {
        QVERIFY(
            sqlite3_exec(
                backup::SqliteFile(folder.database(), backup::SqliteFile::Mode::ReadWrite).handle(),
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                "WHERE i < 500) INSERT INTO FOdeslane (Cislo) SELECT 'O' || i FROM n",
                nullptr, nullptr, nullptr) == SQLITE_OK);
        QString error;
        QVERIFY(backup::copyDatabase(folder.database(), path, &error));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() * 2 / 3));
    } else if (kind == "other") {
        backup::SqliteFile other(path, backup::SqliteFile::Mode::Create);
        QVERIFY(sqlite3_exec(other.handle(), "CREATE TABLE zakaznici (id, jmeno)", nullptr, nullptr,
                             nullptr) == SQLITE_OK);
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Lumira 2020\r\n");
    }
    file.close();
    THlavni window(folder.path());
    QTest::qWait(600); // the start's backup, due after the change above, comes first
    const QByteArray before = digest(folder.database());
    const int backups = folder.backupCount();
    host.dialogActions << pick(name);
    host.answers << Answer::Yes;
    action(window, "Akce_Obnovit")->trigger();
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, MessageKind::Warning);
    const QString text = host.messages[0].text;
    QVERIFY2(text.startsWith(QString("Soubor \"%1\" nelze obnovit.\r\n%2").arg(name, reason)),
             qPrintable(text));
    QVERIFY(text.endsWith("\r\nDatabáze zůstala beze změny."));
    QCOMPARE(digest(folder.database()), before);
    QCOMPARE(folder.backupCount(), backups);
    QCOMPARE(window.state().book.recordCount(), 1);
}

void BackupWindowTest::restoreDialogListsDatesAndRows() {
    Folder folder;
    {
        ScriptedHost host;
        session(folder, {{"F1", 1}, {"F2", 2}});
    }
    QFile::copy(folder.newestBackup(),
                QDir(folder.backups()).filePath("Lumira-20250102-030405.mdb"));
    const QString foreign = QDir(folder.backups()).filePath("cizi.mdb");
    writeBytes(foreign, "nic");
    setModified(foreign, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    TObnovaZalohy dialog(folder.backups(), backup::listBackups(folder.backups()));
    QTreeWidget* list = dialog.list();
    QCOMPARE(list->topLevelItemCount(), 3);
    const QTreeWidgetItem* older = list->topLevelItem(1);
    QCOMPARE(older->text(0), "Lumira-20250102-030405.mdb");
    QCOMPARE(older->text(1), "2.1.2025 3:04:05");
    QCOMPARE(older->text(2), "2");
    QCOMPARE(older->text(3), "0");
    const QTreeWidgetItem* last = list->topLevelItem(2);
    QCOMPARE(last->text(0), "cizi.mdb");
    QCOMPARE(last->text(1), "6.5.2024 7:08:09");
    QCOMPARE(last->text(2), "?");
    QVERIFY(last->toolTip(0).startsWith("Soubor není databáze programu Lumira"));
    auto* restore = dialog.findChild<QPushButton*>("Tl_Obnovit");
    QVERIFY(!restore->isEnabled());
    list->setCurrentItem(list->topLevelItem(0));
    QVERIFY(restore->isEnabled());
    QCOMPARE(dialog.selectedPath(), folder.newestBackup());
}

QTEST_MAIN(BackupWindowTest)
#include "test_backup_window.moc"
