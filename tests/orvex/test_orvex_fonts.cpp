// Fonts of a template that are not installed: a substitute with the same metrics is taken
// silently, any other substitute is named in a warning of the preview.

#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "orvex/textmetrics.h"

#include <QDir>
#include <QFontDatabase>
#include <QtTest>

class TestOrvexFonts : public QObject {
    Q_OBJECT

private slots:
    void substitutes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("warned");
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans" << false;
        QTest::newRow("Times New Roman") << "Times New Roman"
                                         << "Liberation Serif" << false;
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono" << false;
        QTest::newRow("unknown") << "Písmo, které nikde není"
                                 << "Liberation Sans" << true;
    }

    void substitutes() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(bool, warned);
        if (QFontDatabase::hasFamily(name))
            QSKIP("the font itself is installed");
        QString note;
        QCOMPARE(orvex::resolveFontFamily(name, &note), family);
        QCOMPARE(!note.isEmpty(), warned);
        if (warned)
            QVERIFY2(note.contains(name) && note.contains(family), qPrintable(note));
    }

    void shippedTemplatesWarnOfNoFont() {
        const QDir ses(QStringLiteral(LUMIRA_BINARY_DIR "/Ses"));
        const QStringList names = ses.entryList({QStringLiteral("*.fr3")}, QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString& name : names) {
            const orvex::PreparedJob job = orvex::prepareReport(
                ses.filePath(name), orvexfixtures::programParameters("Sestava"),
                orvexfixtures::book(3));
            QVERIFY2(job.ok, qPrintable(job.error));
            for (const QString& warning : job.report.warnings)
                QVERIFY2(!warning.startsWith(QStringLiteral("Písmo")),
                         qPrintable(name + ": " + warning));
        }
    }
};

QTEST_MAIN(TestOrvexFonts)
#include "test_orvex_fonts.moc"
