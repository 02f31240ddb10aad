// What objects show beyond a plain field, rendered to PDF and read back: codes whose data the
// template keeps only as hex bytes (decoded with zbarimg), variables computed by functions, a
// group condition that cannot be computed.

#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace orvexfixtures;

class TestOrvexValues : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // Renders a fixture over `rows` book rows; the PDF's path, or the error.
    QString render(const QString& name, int rows, QStringList* warnings, bool* ok) {
        const orvex::PreparedJob job = orvex::prepareReport(
            QStringLiteral(LUMIRA_TEST_DATA "/") + name, programParameters("Hodnoty"), book(rows));
        *ok = false;
        if (!job.ok)
            return job.error;
        const QString pdf = dir_.filePath(name + ".pdf");
        QString error;
        if (!orvex::writePdf(job.report, pdf, &error))
            return error;
        *warnings = job.report.warnings;
        *ok = true;
        return pdf;
    }

private slots:
    void codeStoredAsHexBytesDecodesBack() {
        QStringList warnings;
        bool ok = false;
        const QString pdf = render("hexkod.fr3", 1, &warnings, &ok);
        QVERIFY2(ok, qPrintable(pdf));
        pdfImage(pdf, 192); // writes pdf-192.png
        const QString decoded =
            QString::fromUtf8(toolOutput("zbarimg", {"--quiet", pdf + "-192.png"}));
        // UTF-16 bytes, as the designer holds strings, and UTF-8 bytes.
        QVERIFY2(decoded.contains("QR-Code:SPD*1.0*ACC:CZ6508000000192000145399*AM:1250.00*MSG:"
                                  "PLATBA FD_0001\n"),
                 qPrintable(decoded));
        QVERIFY2(decoded.contains("QR-Code:Faktura FD_0002 zaplatil Šťastný\n"),
                 qPrintable(decoded));
        QCOMPARE(decoded.count("QR-Code:"), 2);
        // Bytes that are no hex, and no data at all, are named instead of left blank.
        for (const char* name : {"Poskozeny", "Prazdny"})
            QVERIFY2(warnings.contains(QString("Kód objektu „%1“ nemá žádná data, která by šlo "
                                               "přečíst; zůstane prázdný.")
                                           .arg(name)),
                     qPrintable(warnings.join('\n')));
    }

    // Variables whose values call functions and aggregates, one of them using another.
    void variablesComputedByFunctions() {
        QStringList warnings;
        bool ok = false;
        const QString pdf = render("promenne.fr3", 3, &warnings, &ok);
        QVERIFY2(ok, qPrintable(pdf));
        const QStringList expected = {
            "FD_0001: řada FD_, základ 1011, rok 2024", "FD_0002: řada FD_, základ 1021, rok 2024",
            "FD_0003: řada FD_, základ 1032, rok 2024", "Součet 3063, slovy 3 063,00",
            "Podíl 1021,0, zaokrouhleně 3064, poslední 0003",
            // The page count through a variable is filled in once the last page is known.
            "Strana 1/1", "Chyba"};
        QStringList printed;
        for (const QString& line : pdfText(pdf).split(u'\n'))
            if (!line.trimmed().isEmpty())
                printed << line.simplified();
        QCOMPARE(printed, expected);
        // A variable that fails says why, not that it does not exist.
        QCOMPARE(warnings.filter("Chybna"),
                 QStringList({"Výraz „Chybna“ v objektu „Broken“ nelze vyhodnotit: proměnnou "
                              "„Chybna“ nelze vyhodnotit: neznámá funkce „formatcurr“."}));
    }

    // A group condition the evaluator cannot compute is named in a sentence of its own.
    void groupConditionThatFailsIsNamed() {
        QStringList warnings;
        bool ok = false;
        const QString pdf = render("skupina_chyba.fr3", 2, &warnings, &ok);
        QVERIFY2(ok, qPrintable(pdf));
        const QStringList named = warnings.filter("skupiny");
        QCOMPARE(named.size(), 1);
        QVERIFY2(named.first().startsWith("Podmínku skupiny „GroupHeader1“ nelze vyhodnotit: "),
                 qPrintable(named.first()));
    }
};

QTEST_MAIN(TestOrvexValues)
#include "test_orvex_values.moc"
