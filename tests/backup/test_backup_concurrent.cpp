// A backup taken while a second copy of the program stores invoices is one state of the
// books: sound by PRAGMA integrity_check, every row whole, none missing before the last one.

#include "backup/databasecopy.h"
#include "backup/sqlitefile.h"
#include "reliability/storer/storedrows.h"

#include <QDeadlineTimer>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

namespace {

constexpr int storedRows = 400;

struct Snapshot {
    QString error; // empty when the copy is consistent
    int rows = 0;
};

// Checks a copy: rows 1..n, each the one the program stored as its n-th.
Snapshot check(const QString& path, qint64 pid) {
    Snapshot result;
    const backup::SqliteFile copy(path, backup::SqliteFile::Mode::Archived);
    if (!backup::checkIntegrity(copy.handle(), &result.error))
        return result;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(copy.handle(), "SELECT Id, Cislo, Zaklad FROM FDosle ORDER BY Id", -1,
                       &statement, nullptr);
    while (result.error.isEmpty() && sqlite3_step(statement) == SQLITE_ROW) {
        const int id = sqlite3_column_int(statement, 0);
        const QVariantMap expected = storer::rowValues(pid, id);
        const QString cislo =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
        if (id != ++result.rows || cislo != expected.value("Cislo").toString() ||
            qAbs(sqlite3_column_double(statement, 2) - expected.value("Zaklad").toDouble()) >
                0.00005)
            result.error = QString("row %1 is %2 %3").arg(result.rows).arg(id).arg(cislo);
    }
    sqlite3_finalize(statement);
    return result;
}

} // namespace

class BackupConcurrentTest : public QObject {
    Q_OBJECT
private slots:
    void backupWhileAnotherCopyStores();
};

void BackupConcurrentTest::backupWhileAnotherCopyStores() {
    QTemporaryDir dir;
    QTemporaryDir copies;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(LUMIRA_BINARY_DIR "/lumira-storer", {dir.path(), QString::number(storedRows)});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    QByteArray output;
    const auto storedSoFar = [&] {
        output += program.readAllStandardOutput();
        return output.count('\n');
    };
    const QDeadlineTimer stuck(std::chrono::minutes(2)); // a hang, not a measurement
    while (storedSoFar() < 10 && !stuck.hasExpired())
        program.waitForReadyRead(100);

    QList<int> counts;
    while (storedSoFar() < storedRows && program.state() == QProcess::Running &&
           !stuck.hasExpired()) {
        const QString path = copies.filePath(QString("kopie-%1.mdb").arg(counts.size()));
        const int reported = storedSoFar();
        QString error;
        QVERIFY2(backup::copyDatabase(dir.filePath("Lumira.mdb"), path, &error), qPrintable(error));
        const Snapshot snapshot = check(path, program.processId());
        QVERIFY2(snapshot.error.isEmpty(), qPrintable(snapshot.error));
        QVERIFY2(snapshot.rows >= reported,
                 qPrintable(QString("%1 rows, %2 reported").arg(snapshot.rows).arg(reported)));
        counts << snapshot.rows;
        program.waitForReadyRead(20);
    }
    program.kill();
    program.waitForFinished();
    QVERIFY2(!program.readAllStandardError().contains("failed"), "the program could not store");
    // The copies were taken while rows came in.
    QVERIFY2(
        counts.size() >= 3 && counts[1] < storedRows,
        qPrintable(
            QString("%1 copies, the second with %2 rows").arg(counts.size()).arg(counts.value(1))));
    QVERIFY(std::is_sorted(counts.begin(), counts.end()));
}

QTEST_MAIN(BackupConcurrentTest)
#include "test_backup_concurrent.moc"
