// Reading a whole file only when it is a regular file of bounded size: FIFOs, devices and
// folders are refused at once (links are followed), and so is a file over the cap.

#include "storage/engine/regularfile.h"
#include "support/fifoguard.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class RegularFileTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes"); // null: refused
        QTest::addColumn<QString>("reason");   // "*": any
        QTest::newRow("regular file") << "file" << QByteArray("<a/>\r\n") << "";
        QTest::newRow("empty file") << "empty" << QByteArray("") << "";
        QTest::newRow("link to a regular file") << "fileLink" << QByteArray("<a/>\r\n") << "";
        QTest::newRow("exactly at the cap") << "atCap" << QByteArray(16, 'x') << "";
        QTest::newRow("over the cap")
            << "overCap" << QByteArray() << "Soubor je větší než 16 bajtů.";
        QTest::newRow("FIFO") << "fifo" << QByteArray() << "Nejde o obyčejný soubor.";
        QTest::newRow("link to a FIFO") << "fifoLink" << QByteArray() << "Nejde o obyčejný soubor.";
        QTest::newRow("link to /dev/zero")
            << "zeroLink" << QByteArray() << "Nejde o obyčejný soubor.";
        QTest::newRow("folder") << "folder" << QByteArray() << "Nejde o obyčejný soubor.";
        // The system's own words, in the language of the locale.
        QTest::newRow("missing") << "missing" << QByteArray() << "*";
    }

    void reads() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("soubor.fr3");
        const QString target = dir.filePath("cil");
        std::unique_ptr<FifoGuard> fifo;
        if (kind == u"fifo" || kind == u"fifoLink") {
            fifo = std::make_unique<FifoGuard>(kind == u"fifo" ? path : target);
            QVERIFY(fifo->made());
        }
        const QByteArray content = kind == u"atCap"     ? QByteArray(16, 'x')
                                   : kind == u"overCap" ? QByteArray(17, 'x')
                                   : kind == u"empty"   ? QByteArray("")
                                                        : QByteArray("<a/>\r\n");
        if (kind == u"file" || kind == u"empty" || kind.endsWith(u"Cap") || kind == u"fileLink") {
            writeBytes(kind == u"fileLink" ? target : path, content);
        }
        if (kind == u"fileLink" || kind == u"fifoLink")
            QVERIFY(QFile::link(target, path));
        if (kind == u"zeroLink")
            QVERIFY(QFile::link("/dev/zero", path));
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(path));

        QByteArray read = "left over";
        QString why;
        QCOMPARE(engine::readRegularFile(path, 16, read, why), !bytes.isNull());
        QCOMPARE(read, bytes.isNull() ? QByteArray() : bytes);
        if (reason == u"*")
            QVERIFY(!why.isEmpty());
        else
            QCOMPARE(why, reason);
    }
};

QTEST_MAIN(RegularFileTest)
#include "test_engine_regularfile.moc"
