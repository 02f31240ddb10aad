// Crash safety: the real program (lumira-storer: the program's own start-up, then stores)
// stores invoices through its own data set and hooks and is killed with SIGKILL at random moments;
// after every kill the database must be sound and every row the program reported as stored must be
// there with its values.
//
// LUMIRA_KILL_RUNS sets the number of kills (default 100), LUMIRA_KILL_SEED the random seed.

#include "export/export1.h"
#include "reliability/storer/storedrows.h"
#include "storage/engine/dataset.h"
#include "support/scriptedhost.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sqlite3.h>

namespace {

struct StoredRow {
    qint64 pid = 0;
    int index = 0;
};

// Opens the database file through SQLite itself, independent of the program's engine.
class RawDatabase {
public:
    explicit RawDatabase(const QString& path) {
        opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE,
                                 nullptr) == SQLITE_OK;
    }
    ~RawDatabase() { sqlite3_close_v2(db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    bool opened = false;
    sqlite3* db = nullptr;

    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db)); }

    // Every row of a query as texts; false with error() when the query failed.
    bool rows(const char* sql, QList<QStringList>& result) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
            return false;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                row << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
            result << row;
        }
        sqlite3_finalize(statement);
        return rc == SQLITE_DONE;
    }
};

QString expectedText(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    return value.toString();
}

bool sameValue(const QVariant& expected, const QString& stored) {
    if (expected.typeId() == QMetaType::Double)
        return qAbs(stored.toDouble() - expected.toDouble()) < 0.00005;
    return stored == expectedText(expected);
}

// The real program storing rows on the test's folder, with its output collected.
class StoringCopy {
public:
    StoringCopy(const QString& dir, int rows) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(LUMIRA_BINARY_DIR "/lumira-storer"),
                      {dir, QString::number(rows)});
        if (!program.waitForStarted())
            qFatal("lumira-storer did not start: %s", qPrintable(program.errorString()));
        pid = program.processId();
    }

    // Waits until the program has reported this many rows (or has ended).
    void waitForRows(int rows) {
        const QDeadlineTimer stuck(std::chrono::minutes(2)); // a hang, not a measurement
        while (output.count('\n') < rows && program.state() == QProcess::Running) {
            if (stuck.hasExpired())
                qFatal("the program stored nothing: %s",
                       program.readAllStandardError().constData());
            program.waitForReadyRead(100);
            output += program.readAllStandardOutput();
        }
    }

    // SIGKILL; returns what the program reported before it died.
    QByteArray kill() {
        program.kill();
        program.waitForFinished(-1);
        output += program.readAllStandardOutput();
        const QByteArray errors = program.readAllStandardError();
        if (errors.contains("failed "))
            qFatal("the program could not store a row: %s", errors.constData());
        return output;
    }

    // What the program has reported so far.
    QByteArray reported() {
        program.waitForReadyRead(0);
        output += program.readAllStandardOutput();
        return output;
    }

    qint64 pid = 0;

private:
    QProcess program;
    QByteArray output;
};

} // namespace

class KillTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void storedRowsSurviveKills();
    void twoCopiesStoreTogether();
    void storeDuringLongExport();

private:
    QTemporaryDir dir;
    QHash<qint64, StoredRow> stored; // by Id
    int runsWithRows = 0;

    int killOnce(int rows, int delayMs);
    void parseOutput(const QByteArray& output, qint64 pid);
    void checkDatabase(int run);
};

void KillTest::initTestCase() {
    QVERIFY(dir.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(LUMIRA_BINARY_DIR "/lumira-storer")),
             "build lumira-storer first");
}

// Starts the program and kills it once it has reported `rows` stored rows and a further
// delayMs have passed (rows < 0: delayMs after the start, so during start-up at times).
// Returns the number of rows it reported.
int KillTest::killOnce(int rows, int delayMs) {
    StoringCopy copy(dir.path(), 1000000);
    if (rows >= 0)
        copy.waitForRows(rows);
    QThread::msleep(delayMs);
    const int before = stored.size();
    parseOutput(copy.kill(), copy.pid);
    return stored.size() - before;
}

void KillTest::parseOutput(const QByteArray& output, qint64 pid) {
    const QString prefix = storer::rowNumber(pid, 0).chopped(1);
    // A line cut by the kill has no newline yet: only complete lines count.
    const QByteArray complete = output.left(output.lastIndexOf('\n'));
    for (const QByteArray& line : complete.split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() != 3 || parts[0] != "stored")
            continue;
        const QString number = QString::fromUtf8(parts[2]);
        QVERIFY2(number.startsWith(prefix), qPrintable(number));
        stored.insert(parts[1].toLongLong(), {pid, number.mid(prefix.size()).toInt()});
    }
}

void KillTest::checkDatabase(int run) {
    const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
    if (!QFile::exists(path)) {
        QVERIFY2(stored.isEmpty(), "the database file is gone");
        return;
    }
    RawDatabase database(path);
    QVERIFY2(database.opened, qPrintable(database.error()));
    QList<QStringList> integrity;
    QVERIFY2(database.rows("PRAGMA integrity_check", integrity), qPrintable(database.error()));
    QCOMPARE(integrity, QList<QStringList>{{QStringLiteral("ok")}});
    if (stored.isEmpty())
        return;
    // The totals the engine keeps equal the sums over the rows, whenever the kill came.
    for (const char* column : {"Zaklad", "DPH", "Celkem"}) {
        const QString sql =
            QStringLiteral("SELECT (SELECT total || ' ' || value_count || ' ' || row_count FROM "
                           "lumira_totals WHERE table_name = 'FDosle' AND column_name = '%1'), "
                           "(SELECT coalesce(sum(CAST(round(%1 * 10000) AS INTEGER)), 0) || ' ' "
                           "|| count(%1) || ' ' || count(*) FROM FDosle)")
                .arg(QLatin1String(column));
        QList<QStringList> totals;
        QVERIFY2(database.rows(sql.toUtf8().constData(), totals), qPrintable(database.error()));
        QVERIFY2(totals.value(0).value(0) == totals.value(0).value(1),
                 qPrintable(QStringLiteral("run %1: %2 kept as %3, summed %4")
                                .arg(run)
                                .arg(QLatin1String(column), totals.value(0).value(0),
                                     totals.value(0).value(1))));
    }
    const QStringList fields = storer::rowValues(0, 0).keys();
    const QByteArray sql =
        "SELECT Id, " + fields.join(QStringLiteral(", ")).toLatin1() + " FROM FDosle";
    QList<QStringList> rows;
    QVERIFY2(database.rows(sql.constData(), rows), qPrintable(database.error()));
    QHash<qint64, QStringList> byId;
    for (const QStringList& row : rows)
        byId.insert(row[0].toLongLong(), row.mid(1));
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        const QStringList row = byId.value(it.key());
        QVERIFY2(!row.isEmpty(),
                 qPrintable(QStringLiteral("run %1: row %2 lost").arg(run).arg(it.key())));
        const QVariantMap expected = storer::rowValues(it->pid, it->index);
        for (int f = 0; f < fields.size(); ++f)
            QVERIFY2(sameValue(expected.value(fields[f]), row[f]),
                     qPrintable(QStringLiteral("run %1: row %2, %3 is \"%4\"")
                                    .arg(run)
                                    .arg(it.key())
                                    .arg(fields[f], row[f])));
    }
}

void KillTest::storedRowsSurviveKills() {
    const int runs = qEnvironmentVariableIsSet("LUMIRA_KILL_RUNS")
                         ? qEnvironmentVariableIntValue("LUMIRA_KILL_RUNS")
                         : 100;
    const quint32 seed = qEnvironmentVariableIsSet("LUMIRA_KILL_SEED")
                             ? quint32(qEnvironmentVariableIntValue("LUMIRA_KILL_SEED"))
                             : QRandomGenerator::global()->generate();
    qInfo("%d kills, LUMIRA_KILL_SEED=%u", runs, seed);
    QRandomGenerator random(seed);
    for (int run = 1; run <= runs; ++run) {
        // Mostly while storing, one in ten during start-up (and the first creation of the file).
        const bool duringStartUp = random.bounded(10) == 0;
        const int rows = duringStartUp ? -1 : int(random.bounded(1, 20));
        if (killOnce(rows, int(random.bounded(duringStartUp ? 400 : 15))) > 0)
            ++runsWithRows;
        checkDatabase(run);
        if (QTest::currentTestFailed())
            return;
    }
    qInfo("%d rows reported stored, %d of %d runs stored rows before the kill", int(stored.size()),
          runsWithRows, runs);
    // Without stored rows the test would prove nothing.
    QVERIFY(runs == 0 || runsWithRows > 0);
}

// A second copy of the program on the same folder: both store their rows (the database
// makes one wait for the other's write), neither reports an error, nothing is lost.
void KillTest::twoCopiesStoreTogether() {
    const int rows = 40;
    StoringCopy first(dir.path(), rows);
    first.waitForRows(1); // the folder holds a database before the second copy starts
    StoringCopy second(dir.path(), rows);
    first.waitForRows(rows);
    second.waitForRows(rows);
    const int before = stored.size();
    parseOutput(first.kill(), first.pid);
    parseOutput(second.kill(), second.pid);
    QCOMPARE(stored.size() - before, 2 * rows);
    checkDatabase(0);
}

// One copy exports a book for a long time while the other stores rows: the reading copy
// must not lock the writer out ("database is locked"), and its file stays whole.
void KillTest::storeDuringLongExport() {
    QTemporaryDir folder;
    StoringCopy first(folder.path(), 1); // the database and its tables
    first.waitForRows(1);
    first.kill();
    const QString path = folder.filePath(QStringLiteral("Lumira.mdb"));
    {
        RawDatabase database(path);
        QCOMPARE(sqlite3_exec(database.db,
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 3000) INSERT INTO FDosle (Cislo, Zaklad) SELECT 'R' || "
                              "i, i FROM n",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
    }
    engine::Connection connection;
    QVERIFY(connection.open(path, nullptr));
    engine::DataSet book(&connection);
    book.setCommandText(QStringLiteral("SELECT * FROM FDosle  ORDER BY Id"));
    QVERIFY(book.open());
    ScriptedHost host;
    QByteArray storedBy;
    const auto storeMeanwhile = [&](int done, int total) {
        if (done > 0 && done < total && storedBy.isEmpty()) {
            StoringCopy other(folder.path(), 2);
            const QDeadlineTimer late(std::chrono::seconds(10)); // a lock waits 15 s
            while (storedBy.count('\n') < 2 && !late.hasExpired()) {
                QThread::msleep(50);
                storedBy = other.reported();
            }
            other.kill();
        }
        return true;
    };
    const QString exported = folder.filePath(QStringLiteral("book.csv"));
    QCOMPARE(Export1::ExportToCsv(book, true, false, u'|', exported, storeMeanwhile),
             Export1::Outcome::Written);
    QCOMPARE(storedBy.count("stored "), 2);
    QVERIFY(host.messages.isEmpty());
    QFile file(exported);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 1 + 3001); // the rows when the export began
}

QTEST_MAIN(KillTest)
#include "test_reliability_kill.moc"
