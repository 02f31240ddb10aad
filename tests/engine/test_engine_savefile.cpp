// Checked writes through QSaveFile: a write cut short by the file size limit, whether it
// happens at once or when the buffer is put out at the end, never replaces the old file.

#include "storage/engine/savefile.h"
#include "support/testfiles.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

class SaveFileTest : public QObject {
    Q_OBJECT

private slots:
    void cutShortKeepsOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("within the buffer (fails when put out)") << 100;
        QTest::newRow("beyond the buffer (short write)") << 100000;
    }

    void cutShortKeepsOldFile() {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("file.txt");
        writeBytes(path, "old contents\n");
        bool written = false;
        bool committed = false;
        QString error;
        {
            // Writes past 16 bytes fail with EFBIG, for root too.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            const rlimit limited{16, saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limited);
            QSaveFile file(path);
            if (file.open(QIODevice::WriteOnly)) {
                written = engine::writeAll(file, QByteArray(size, 'x'));
                committed = written && engine::commitAll(file, error);
            }
            setrlimit(RLIMIT_FSIZE, &saved);
        }
        QVERIFY(!committed);
        QCOMPARE(written, size <= 16384); // a buffered write only fails when it is put out
        if (written)
            QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), QByteArray("old contents\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file.txt"});
    }

    void wholeWriteCommits() {
        QTemporaryDir dir;
        const QString path = dir.filePath("file.txt");
        QSaveFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(engine::writeAll(file, "new\n"));
        QString error;
        QVERIFY(engine::commitAll(file, error));
        QCOMPARE(fileBytes(path), QByteArray("new\n"));
    }
};

QTEST_MAIN(SaveFileTest)
#include "test_engine_savefile.moc"
