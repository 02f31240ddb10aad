// lumira-report driven as a user or a script drives it: arguments, exit status, stderr and
// the PDF it writes.

#include "support/bookfixture.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runReport(const QStringList& arguments, int waitMs = 60000) {
    QProcess process;
    process.start(QStringLiteral(LUMIRA_BINARY_DIR "/lumira-report"), arguments);
    if (!process.waitForFinished(waitMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    Run run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString pdfText(const QString& pdfPath) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("pdftotext failed");
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString shippedTemplate() {
    return QStringLiteral(LUMIRA_BINARY_DIR "/Ses/Kniha_faktur.fr3");
}
QString fixture(const char* name) {
    return QStringLiteral(LUMIRA_TEST_DATA "/") + name;
}

} // namespace

class TestCliReport : public QObject {
    Q_OBJECT

private:
    BookFixture book_;
    QString db_;

    QString pdfPath(const QString& name) const { return book_.dir.filePath(name + ".pdf"); }

private slots:
    void initTestCase() {
        db_ = book_.dir.filePath(QStringLiteral("Lumira.mdb"));
        book_.insertInvoice(QStringLiteral("FD-0001"), 1000, 210, 1210, QDate(2024, 3, 1));
        book_.insertInvoice(QStringLiteral("FD-0002"), 2000, 420, 2420, QDate(2024, 3, 2));
        // A row of the other book: the default query must not show it.
        book_.insert(QStringLiteral("FOdeslane"), {{QStringLiteral("Cislo"), "FO-0001"}});
    }

    void writesThePdfOfTheDefaultQuery() {
        const QString pdf = pdfPath(QStringLiteral("kniha"));
        const Run run = runReport({shippedTemplate(), "--db", db_, "--params",
                                   "Nadpis|Kniha z příkazové řádky", "--pdf", pdf});
        QCOMPARE(run.exitCode, 0);
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("Kniha z příkazové řádky"), qPrintable(text));
        QVERIFY(text.contains("FD-0001") && text.contains("FD-0002"));
        QVERIFY(!text.contains("FO-0001"));
    }

    void theSqlOptionChoosesTheRows() {
        const QString pdf = pdfPath(QStringLiteral("vyber"));
        const Run run =
            runReport({shippedTemplate(), "--db", db_, "--sql",
                       "SELECT * FROM FDosle WHERE Cislo = 'FD-0002' ORDER BY Id", "--pdf", pdf});
        QCOMPARE(run.exitCode, 0);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains("FD-0002"));
        QVERIFY(!text.contains("FD-0001"));
    }

    void warningsGoToStderrAndThePdfIsStillWritten() {
        const QString pdf = pdfPath(QStringLiteral("graf"));
        const Run run = runReport({fixture("chart.fr3"), "--db", db_, "--pdf", pdf});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("Upozornění: ")) && run.err.contains("Graf"),
                 qPrintable(run.err));
        QVERIFY(pdfText(pdf).contains("FD-0001"));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString out = QStringLiteral("%OUT%");
        QTest::newRow("no template")
            << QStringList{"--db", "%DB%", "--pdf", out} << 2 << "Chybí soubor předlohy sestavy.";
        QTest::newRow("no database")
            << QStringList{shippedTemplate(), "--pdf", out} << 2 << "Chybí databáze (--db).";
        QTest::newRow("no pdf") << QStringList{shippedTemplate(), "--db", "%DB%"} << 2
                                << "Chybí výstupní soubor PDF (--pdf).";
        QTest::newRow("unknown option")
            << QStringList{shippedTemplate(), "--db", "%DB%", "--pdf", out, "--xml", "a"} << 2
            << "Neznámá volba „--xml“.";
        QTest::newRow("option without value")
            << QStringList{shippedTemplate(), "--db", "%DB%", "--pdf"} << 2
            << "Volbě „--pdf“ chybí hodnota.";
        QTest::newRow("bad timeout")
            << QStringList{shippedTemplate(), "--db", "%DB%", "--pdf", out, "--timeout", "0"} << 2
            << "Časový limit „0“ není kladný počet sekund.";
        QTest::newRow("missing template")
            << QStringList{"/nonexistent/Chybi.fr3", "--db", "%DB%", "--pdf", out} << 1
            << "Předlohu sestavy „/nonexistent/Chybi.fr3“ nelze otevřít";
        QTest::newRow("missing database")
            << QStringList{shippedTemplate(), "--db", "/nonexistent/Lumira.mdb", "--pdf", out} << 1
            << "Databázi „/nonexistent/Lumira.mdb“ nelze otevřít";
        QTest::newRow("bad query") << QStringList{shippedTemplate(),    "--db",  "%DB%", "--sql",
                                                  "SELECT * FROM Neni", "--pdf", out}
                                   << 1 << "Data sestavy nelze načíst";
        QTest::newRow("unwritable pdf")
            << QStringList{shippedTemplate(), "--db", "%DB%", "--pdf", "/nonexistent/out.pdf"} << 1
            << "Soubor „/nonexistent/out.pdf“ nelze vytvořit";
        QTest::newRow("designer on a missing template")
            << QStringList{"--design", "/nonexistent/Chybi.fr3"} << 1
            << "Předlohu „/nonexistent/Chybi.fr3“ nelze otevřít";
    }

    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString pdf = pdfPath(QStringLiteral("chyba"));
        arguments.replaceInStrings(QStringLiteral("%DB%"), db_);
        arguments.replaceInStrings(QStringLiteral("%OUT%"), pdf);
        const Run run = runReport(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));
    }

    void aReportPastItsTimeLimitEnds() {
        const QString pdf = pdfPath(QStringLiteral("limit"));
        // Billions of joined rows: the query alone runs far longer than the limit.
        const QString endless = QStringLiteral(
            "SELECT COUNT(*) AS Cislo FROM FDosle a, FDosle b, FDosle c, FDosle d, FDosle e, "
            "FDosle f, FDosle g, FDosle h, FDosle i, FDosle j, FDosle k, FDosle l, FDosle m, "
            "FDosle n, FDosle o, FDosle p, FDosle q, FDosle r, FDosle s, FDosle t, FDosle u, "
            "FDosle v, FDosle w, FDosle x, FDosle y, FDosle z, FDosle aa, FDosle ab, FDosle ac, "
            "FDosle ad, FDosle ae, FDosle af, FDosle ag, FDosle ah, FDosle ai, FDosle aj");
        const Run run = runReport(
            {shippedTemplate(), "--db", db_, "--sql", endless, "--pdf", pdf, "--timeout", "1"},
            30000);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(QStringLiteral("neskončila do 1 s")), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));
    }

    void helpIsCzech() {
        const Run run = runReport({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Použití: lumira-report")));
        QVERIFY(run.out.contains("SELECT * FROM FDosle  ORDER BY Id"));
    }
};

QTEST_GUILESS_MAIN(TestCliReport)
#include "test_cli_report.moc"
