// Backup files without a window: names, the rotation rule on a folder of dated files, the
// consistent copy and what a file offered for a restore is checked for.

#include "backup/autobackup.h"
#include "backup/backupfile.h"
#include "backup/backupnames.h"
#include "backup/databasecopy.h"
#include "backup/rotation.h"
#include "backup/sqlitefile.h"
#include "support/bookfixture.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

using namespace backup;

namespace {

QString scalar(const QString& path, const QString& sql) {
    const SqliteFile file(path, SqliteFile::Mode::Archived);
    QString value;
    QString error;
    if (!file.scalar(sql, value, &error))
        return QStringLiteral("error: ") + error;
    return value;
}

// Automatic backup names for the given times, as a folder listing would show them.
QList<DatedBackup> dated(const QStringList& stamps) {
    QList<DatedBackup> result;
    for (const QString& stamp : stamps) {
        const QDateTime time = QDateTime::fromString(stamp, QStringLiteral("yyyy-MM-dd HH:mm"));
        result.append({automaticName(time), time});
    }
    std::sort(result.begin(), result.end(),
              [](const DatedBackup& a, const DatedBackup& b) { return a.time > b.time; });
    return result;
}

QStringList stampsOf(const QStringList& names) {
    QStringList result;
    for (const QString& name : names)
        result << automaticTime(name)->toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    result.sort();
    return result;
}

// Ten backups on consecutive days ending at the given date.
QStringList tenDaysTo(const QDate& last) {
    QStringList result;
    for (int i = 0; i < 10; ++i)
        result << last.addDays(-i).toString(QStringLiteral("yyyy-MM-dd")) +
                      QStringLiteral(" 18:00");
    return result;
}

} // namespace

class BackupFilesTest : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void rotationRule_data();
    void rotationRule();
    void rotationOnAFolderLeavesOtherFiles();
    void copyIsCheckedAndSelfContained();
    void copyOfAWalDatabase();
    void failedCopyLeavesNothingBehind();
    void plainCopyOfAWalDatabaseIsListed();
    void startBackupWhenTheDatabaseIsNewer();
    void inspect_data();
    void inspect();
};

void BackupFilesTest::names_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDateTime>("time");
    QTest::newRow("automatic") << "Lumira-20261210-153005.mdb"
                               << QDateTime(QDate(2026, 12, 10), QTime(15, 30, 5));
    QTest::newRow("saved by the user") << "Lumira-20261210.mdb" << QDateTime();
    QTest::newRow("no such day") << "Lumira-20260230-120000.mdb" << QDateTime();
    QTest::newRow("other extension") << "Lumira-20261210-153005.mdb.bak" << QDateTime();
    QTest::newRow("database itself") << "Lumira.mdb" << QDateTime();
}

void BackupFilesTest::names() {
    QFETCH(QString, name);
    QFETCH(QDateTime, time);
    QCOMPARE(automaticTime(name).value_or(QDateTime()), time);
    if (time.isValid())
        QCOMPARE(automaticName(time), name);
    QCOMPARE(manualName(QDate(2026, 1, 5)), "Lumira-20260105.mdb");
    QCOMPARE(backupFolder("/data/"), "/data/Zalohy");
}

void BackupFilesTest::rotationRule_data() {
    QTest::addColumn<QStringList>("backups");
    QTest::addColumn<QStringList>("deleted");
    const QDate today(2026, 12, 10);
    QTest::newRow("ten stay") << tenDaysTo(today) << QStringList();
    QTest::newRow("beyond ten: the newest of this month stays, the rest of it goes")
        << tenDaysTo(today) + QStringList{"2026-11-30 18:00", "2026-11-29 18:00"}
        << QStringList{"2026-11-29 18:00"};
    QTest::newRow("the eleventh in the same month is the month's newest beyond ten")
        << tenDaysTo(today) + QStringList{"2026-12-01 08:00", "2026-12-01 07:00"}
        << QStringList{"2026-12-01 07:00"};
    QTest::newRow("one per month for twelve months, older months go")
        << tenDaysTo(today) + QStringList{"2026-10-15 10:00", "2026-10-20 10:00",
                                          "2026-01-31 10:00", "2026-01-02 10:00",
                                          "2025-12-31 23:59", "2024-06-01 10:00"}
        << QStringList{"2024-06-01 10:00", "2025-12-31 23:59", "2026-01-02 10:00",
                       "2026-10-15 10:00"};
    QTest::newRow("the newest ten stay however old")
        << QStringList{"2020-01-01 10:00", "2019-01-01 10:00", "2018-01-01 10:00"} << QStringList();
}

void BackupFilesTest::rotationRule() {
    QFETCH(QStringList, backups);
    QFETCH(QStringList, deleted);
    deleted.sort();
    QCOMPARE(stampsOf(namesToDelete(dated(backups), QDate(2026, 12, 10))), deleted);
}

void BackupFilesTest::rotationOnAFolderLeavesOtherFiles() {
    QTemporaryDir dir;
    const QDate today(2026, 12, 10);
    QStringList stamps = tenDaysTo(today);
    stamps << "2026-11-05 10:00"
           << "2026-11-04 10:00"
           << "2023-03-03 10:00";
    for (const DatedBackup& backup : dated(stamps))
        writeBytes(dir.filePath(backup.name));
    const QStringList others = {"Lumira-20201010.mdb", "poznamky.txt", "Lumira-x.mdb",
                                ".Lumira-young1.part"};
    for (const QString& other : others)
        writeBytes(dir.filePath(other));
    // A copy left half-written by a killed run an hour ago goes; a younger one may be in work.
    const QDateTime now(today, QTime(12, 0));
    writeBytes(dir.filePath(".Lumira-stale1.part"));
    setModified(dir.filePath(".Lumira-stale1.part"), now.addSecs(-3601));
    setModified(dir.filePath(".Lumira-young1.part"), now.addSecs(-3000));

    QVERIFY(rotateBackups(dir.path(), now).isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(".Lumira-stale1.part")));
    QStringList expected = tenDaysTo(today) << "2026-11-05 10:00";
    expected.sort();
    QStringList left;
    for (const DatedBackup& backup : automaticBackups(dir.path()))
        left << backup.time.toString("yyyy-MM-dd HH:mm");
    left.sort();
    QCOMPARE(left, expected);
    for (const QString& other : others)
        QVERIFY2(QFile::exists(dir.filePath(other)), qPrintable(other));
}

void BackupFilesTest::copyIsCheckedAndSelfContained() {
    BookFixture fixture;
    fixture.insertInvoice("F1", 100.5, 21.1, 121.6);
    fixture.insert("FOdeslane", {{"Cislo", "O1"}});
    fixture.insert("FOdeslane", {{"Cislo", "O2"}});
    QTemporaryDir target;
    const QString path = target.filePath("kopie.mdb");
    writeBytes(path, "stará kopie");
    QString error;
    QVERIFY2(copyDatabase(fixture.state.databasePath(), path, &error), qPrintable(error));
    // One file replaced whole: no journal, no temporary file beside it.
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kopie.mdb"});
    QCOMPARE(QFileInfo(path).permissions(), QFileInfo(fixture.state.databasePath()).permissions());
    QCOMPARE(scalar(path, "PRAGMA journal_mode"), "delete");
    QCOMPARE(scalar(path, "PRAGMA integrity_check"), "ok");
    QCOMPARE(scalar(path, "SELECT Cislo || ' ' || Zaklad FROM FDosle"), "F1 100.5");
    const BackupFile inspected = inspectBackup(path, Check::Full);
    QCOMPARE(inspected.problem, QString());
    QCOMPARE(inspected.received, 1);
    QCOMPARE(inspected.issued, 2);
}

void BackupFilesTest::copyOfAWalDatabase() {
    BookFixture fixture;
    fixture.insertInvoice("W1", 1, 2, 3);
    QVERIFY(fixture.state.connection.execute("PRAGMA journal_mode = WAL", nullptr));
    fixture.insertInvoice("W2", 1, 2, 3); // still in the -wal file
    QTemporaryDir target;
    const QString path = target.filePath("wal.mdb");
    QString error;
    QVERIFY2(copyDatabase(fixture.state.databasePath(), path, &error), qPrintable(error));
    QCOMPARE(scalar(path, "PRAGMA journal_mode"), "delete");
    QCOMPARE(scalar(path, "SELECT group_concat(Cislo) FROM FDosle"), "W1,W2");
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"wal.mdb"});
}

void BackupFilesTest::plainCopyOfAWalDatabaseIsListed() {
    BookFixture fixture;
    fixture.insertInvoice("W1", 1, 2, 3);
    QVERIFY(fixture.state.connection.execute("PRAGMA journal_mode = WAL", nullptr));
    fixture.state.connection.close(); // everything in the file itself
    QTemporaryDir folder;
    QVERIFY(QFile::copy(fixture.state.databasePath(), folder.filePath("rucni.mdb")));
    const QList<BackupFile> listed = listBackups(folder.path());
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed[0].problem, QString());
    QCOMPARE(listed[0].received, 1);
    QCOMPARE(inspectBackup(listed[0].path, Check::Full).problem, QString());
    // Reading it left no -wal or -shm files in the folder.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rucni.mdb"});
}

void BackupFilesTest::failedCopyLeavesNothingBehind() {
    BookFixture fixture;
    QTemporaryDir target;
    QString error;
    QVERIFY(!copyDatabase(target.filePath("missing.mdb"), target.filePath("a.mdb"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

    // Zalohy cannot be a folder when a file of that name is in the way.
    writeBytes(fixture.dir.filePath("Zalohy"), "soubor");
    const BackupOutcome outcome = backUpInto(
        fixture.state.databasePath(), fixture.dir.filePath("Zalohy"), QDateTime::currentDateTime());
    QCOMPARE(outcome.path, QString());
    QVERIFY2(outcome.error.contains("Zalohy"), qPrintable(outcome.error));
    QCOMPARE(fileBytes(fixture.dir.filePath("Zalohy")), QByteArray("soubor"));
}

void BackupFilesTest::startBackupWhenTheDatabaseIsNewer() {
    BookFixture fixture;
    const QString folder = backupFolder(fixture.state.ProgramDir);
    const QString database = fixture.state.databasePath();
    QVERIFY2(startBackupDue(database, folder), "a database without any backup");
    QVERIFY(!startBackupDue(fixture.dir.filePath("none.mdb"), folder));

    const QDateTime now = QDateTime::currentDateTime();
    const BackupOutcome first = backUpInto(database, folder, now);
    QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
    QVERIFY(!startBackupDue(database, folder));
    // The same second again: the next free second's name, the first backup stays.
    const BackupOutcome second = backUpInto(database, folder, now);
    QCOMPARE(QFileInfo(second.path).fileName(), automaticName(now.addSecs(1)));
    QVERIFY(QFile::exists(first.path));

    setModified(database, now.addSecs(60));
    QVERIFY2(startBackupDue(database, folder), "the database changed after the newest backup");
}

void BackupFilesTest::inspect_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    QTest::newRow("foreign file") << "text"
                                  << "Soubor není databáze programu Lumira (není to "
                                     "databáze SQLite).";
    QTest::newRow("truncated copy") << "truncated"
                                    << "";
    QTest::newRow("another program's database")
        << "other"
        << "Soubor není databáze programu Lumira (chybí tabulka FDosle).";
    QTest::newRow("a book without a column")
        << "column"
        << "Soubor není databáze programu Lumira (tabulce FOdeslane chybí sloupec "
           "Dodavatel_odberatel).";
}

void BackupFilesTest::inspect() {
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    BookFixture fixture;
    // Enough rows that half of the file loses pages of the table.
    QVERIFY(sqlite3_exec(fixture.state.connection.handle(),
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                         "WHERE i < 300) INSERT INTO FDosle (Cislo, Zaklad) SELECT 'F' || i, i "
                         "FROM n",
                         nullptr, nullptr, nullptr) == 0);
    QTemporaryDir dir;
    const QString path = dir.filePath("soubor.mdb");
    QString error;
    if (kind == "text") {
        writeBytes(path, "Faktury 2026\r\nnení to databáze\r\n");
    } else if (kind == "truncated") {
        QVERIFY(copyDatabase(fixture.state.databasePath(), path, &error));
        const QByteArray whole = fileBytes(path);
        writeBytes(path, whole.left(whole.size() / 2));
    } else {
        SqliteFile other(path, SqliteFile::Mode::Create);
        const QString sql = kind == "other"
                                ? "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT)"
                                : "CREATE TABLE FDosle (Id, Cislo, Dodavatel_odberatel, ICO, "
                                  "CisloUctu, SmerovyKod, Specifikace, VariabilniSymbol, Zaklad, "
                                  "SazbaDPH, DPH, Celkem, Datum1, Datum2, Datum3, Poznamka); "
                                  "CREATE TABLE FOdeslane (Id, Cislo)";
        QVERIFY(sqlite3_exec(other.handle(), sql.toUtf8(), nullptr, nullptr, nullptr) == 0);
    }
    const BackupFile file = inspectBackup(path, Check::Full);
    if (problem.isEmpty()) // the engine's own words follow the Czech start
        QVERIFY2(file.problem.startsWith("Soubor je poškozený: ") ||
                     file.problem.startsWith("Soubor nelze přečíst: "),
                 qPrintable(file.problem));
    else
        QCOMPARE(file.problem, problem);
}

QTEST_MAIN(BackupFilesTest)
#include "test_backup_files.moc"
