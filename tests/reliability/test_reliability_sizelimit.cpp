// The real program under a file size limit (ulimit -f): a write past the limit must fail with
// an error that the program reports; the limit never ends the program (SIGXFSZ), nothing is
// left half-written and what was stored before stays.

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

// An executable of the build with the arguments and environment given, its files limited to
// limitBytes. The signal is reset to its default in the child, so only the program itself can
// ignore it.
class LimitedCopy {
public:
    LimitedCopy(const QString& executable, const QStringList& arguments, rlim_t limitBytes,
                const QStringList& environment) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const QString& pair : environment)
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        program.setProcessEnvironment(env);
        program.setChildProcessModifier([limitBytes] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{limitBytes, limitBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        program.start(QStringLiteral(LUMIRA_BINARY_DIR "/") + executable, arguments);
        started = program.waitForStarted();
    }
    ~LimitedCopy() {
        program.kill();
        program.waitForFinished();
    }
    LimitedCopy(const LimitedCopy&) = delete;
    LimitedCopy& operator=(const LimitedCopy&) = delete;

    // Waits up to ms for stderr to hold text; false when the program ended first or time ran out.
    bool waitForError(const QByteArray& text, int ms) {
        QDeadlineTimer deadline(ms);
        while (!errors.contains(text) && program.state() == QProcess::Running &&
               !deadline.hasExpired()) {
            program.waitForReadyRead(100);
            errors += program.readAllStandardError();
            output += program.readAllStandardOutput();
        }
        errors += program.readAllStandardError();
        return errors.contains(text);
    }
    // The program is still there after ms (it waits on its warning box).
    bool stillRunningAfter(int ms) {
        const bool running = !program.waitForFinished(ms) && program.state() == QProcess::Running;
        output += program.readAllStandardOutput();
        errors += program.readAllStandardError();
        return running;
    }
    QString ending() const {
        return QStringLiteral("exit status %1, code %2, stderr: %3")
            .arg(program.exitStatus())
            .arg(program.exitCode())
            .arg(QString::fromLocal8Bit(errors));
    }

    QProcess program;
    bool started = false;
    QByteArray output;
    QByteArray errors;
};

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

int count(const QString& database, const char* sql) {
    sqlite3* db = nullptr;
    int result = -1;
    if (sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return result;
}

} // namespace

class SizeLimitTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartWaitsOnItsWarning();
    void storingReportsTheFailure();
};

// The empty database does not fit: the program warns (and waits for the user) instead of
// being ended, and leaves neither a cut-off database nor a temporary file.
void SizeLimitTest::firstStartWaitsOnItsWarning() {
    QTemporaryDir dir;
    // The empty database alone takes 4 KiB.
    LimitedCopy copy(QStringLiteral("lumira"), {QStringLiteral("--dir"), dir.path()}, 2048,
                     {QStringLiteral("LUMIRA_EXIT_AFTER_START=1")});
    QVERIFY(copy.started);
    QVERIFY2(copy.stillRunningAfter(3000), qPrintable(copy.ending()));
    QCOMPARE(entries(dir.path()), QStringList());
}

// Rows stored until the database reaches the limit stay; the next store fails with the
// engine's reason, and the program goes on.
void SizeLimitTest::storingReportsTheFailure() {
    QTemporaryDir dir;
    {
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LUMIRA_EXIT_AFTER_START"), QStringLiteral("1"));
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(LUMIRA_BINARY_DIR "/lumira"),
                    {QStringLiteral("--dir"), dir.path()});
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
    }
    const QString database = dir.filePath(QStringLiteral("Lumira.mdb"));
    const rlim_t limit = QFileInfo(database).size() + 8 * 4096;
    // The program storing invoices until a store fails.
    LimitedCopy copy(QStringLiteral("lumira-storer"), {dir.path(), QStringLiteral("2000")}, limit,
                     {});
    QVERIFY(copy.started);
    QVERIFY2(copy.waitForError("failed ", 60000), qPrintable(copy.ending()));
    QVERIFY2(copy.stillRunningAfter(500), qPrintable(copy.ending()));
    const int reported = copy.output.count("stored ");
    QVERIFY(reported > 0);
    copy.program.kill();
    copy.program.waitForFinished();
    QCOMPARE(count(database, "SELECT count(*) FROM FDosle"), reported);
    QCOMPARE(count(database, "SELECT count(*) FROM pragma_integrity_check WHERE "
                             "integrity_check = 'ok'"),
             1);
}

QTEST_MAIN(SizeLimitTest)
#include "test_reliability_sizelimit.moc"
