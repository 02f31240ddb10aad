// The report library reads a template only when it is a regular file: a link to a FIFO
// or to a device ends the report with a message instead of blocking or exhausting memory.

#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "support/fifoguard.h"

#include <QTemporaryDir>
#include <QtTest>

class TestOrvexTemplateFile : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatIsNoFile_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("link to a FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "/dev/zero";
    }

    void refusesWhatIsNoFile() {
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString fifoPath = dir.filePath("fifo");
        FifoGuard fifo(fifoPath);
        QVERIFY(fifo.made());
        const QString path = dir.filePath("Sestava.fr3");
        QVERIFY(QFile::link(target == u"fifo" ? fifoPath : target, path));
        const orvex::PreparedJob job = orvex::prepareReport(
            path, orvexfixtures::programParameters("Sestava"), orvexfixtures::book(1));
        QVERIFY(!job.ok);
        QCOMPARE(job.error, QStringLiteral("Předlohu sestavy „%1“ nelze otevřít: Nejde o "
                                           "obyčejný soubor.")
                                .arg(path));
    }
};

QTEST_MAIN(TestOrvexTemplateFile)
#include "test_orvex_templatefile.moc"
