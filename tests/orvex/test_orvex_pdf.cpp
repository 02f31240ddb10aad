// The shipped templates and the whole run from template and SQL text to a PDF file, read
// back as text with pdftotext.

#include "orvex/orvex.h"
#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"
#include "storage/engine/connection.h"
#include "support/bookfixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace orvexfixtures;

namespace {

QString shippedTemplate(const QString& name) {
    return QStringLiteral(LUMIRA_BINARY_DIR "/Ses/") + name;
}

QString amount(double value) {
    return QLocale(QLocale::Czech).toString(value, 'f', 2).replace(QChar(0xA0), u' ');
}

QStringList nonFontWarnings(const QStringList& warnings) {
    QStringList rest;
    for (const QString& w : warnings)
        if (!w.startsWith(QStringLiteral("Písmo")))
            rest << w;
    return rest;
}

} // namespace

class TestOrvexPdf : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString render(const QString& templateName, int rows, int* pages = nullptr,
                   QStringList* warnings = nullptr) {
        const orvex::PreparedJob job = orvex::prepareReport(
            shippedTemplate(templateName), programParameters("Kniha faktur"), book(rows));
        if (!job.ok)
            return job.error;
        const QString pdf = dir_.filePath(templateName + QString::number(rows) + ".pdf");
        QString error;
        if (!orvex::writePdf(job.report, pdf, &error))
            return error;
        if (pages)
            *pages = job.report.pages.size();
        if (warnings)
            *warnings = job.report.warnings;
        return pdfText(pdf);
    }

private slots:
    void bookListingHoldsCaptionsRowsAndTotals() {
        const auto table = book(45);
        int pages = 0;
        QStringList warnings;
        const QString text = render("Kniha_faktur.fr3", 45, &pages, &warnings);
        QCOMPARE(pages, 2);
        QCOMPARE(nonFontWarnings(warnings), QStringList());
        for (const char* expected : {"Kniha faktur",
                                     "Truhlářství Dvořák",
                                     "Polní 12, 602 00 Brno",
                                     "IČ: 12345678",
                                     "DIČ: CZ12345678",
                                     "Kniha přijatých faktur",
                                     "Číslo faktury",
                                     "Dodavatel",
                                     "Vystaveno",
                                     "Přijato",
                                     "Splatnost",
                                     "Základ",
                                     "DPH",
                                     "Celkem",
                                     "FD_0001",
                                     "FD_0045",
                                     "Stavebniny Šťastný s.r.o.",
                                     "Strana 1 z 2",
                                     "Strana 2 z 2",
                                     "Počet faktur: 45",
                                     "Zpracoval(a): Jana Dvořáková"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // First row: base 1 010,50, 21 %, VAT 212,21, dated 1.1.2024.
        QVERIFY(text.contains("1 010,50"));
        QVERIFY(text.contains("212,21"));
        QVERIFY(text.contains("1.1.2024"));
        for (const char* column : {"Zaklad", "DPH", "Celkem"})
            QVERIFY2(text.contains(amount(columnSum(*table, column))), column);
    }

    void vatOverviewSumsEachRate() {
        const auto table = book(30);
        const QString text = render("Prehled_DPH.fr3", 30);
        QVERIFY2(text.contains("Přehled DPH podle sazeb"), qPrintable(text));
        QVERIFY(text.contains("Strana 1 z 1"));
        const int rateColumn = table->fieldIndex("SazbaDPH");
        for (int rate : {0, 12, 21}) {
            double base = 0, vat = 0;
            for (const auto& row : table->rows)
                if (row[rateColumn].toInt() == rate) {
                    base += row[8].toDouble();
                    vat += row[10].toDouble();
                }
            const QString label = rate == 0 ? QString("bez DPH (0 %)") : QString("%1 %").arg(rate);
            const QRegularExpression line(QRegularExpression::escape(label) + "\\s+10\\s+" +
                                          QRegularExpression::escape(amount(base)) + "\\s+" +
                                          QRegularExpression::escape(amount(vat)));
            QVERIFY2(text.contains(line), qPrintable(label + "\n" + text));
        }
        QVERIFY(text.contains(amount(columnSum(*table, "Zaklad"))));
        // The rates come out in ascending order although the rows are not sorted by rate.
        QVERIFY(text.indexOf("bez DPH") < text.indexOf("12 %"));
        QVERIFY(text.indexOf("12 %") < text.indexOf("21 %"));
    }

    void emptyBusinessSettingsLeaveNoBareLabels_data() {
        QTest::addColumn<QString>("templateName");
        QTest::newRow("book listing") << "Kniha_faktur.fr3";
        QTest::newRow("VAT overview") << "Prehled_DPH.fr3";
    }

    void emptyBusinessSettingsLeaveNoBareLabels() {
        QFETCH(QString, templateName);
        const orvex::PreparedJob job = orvex::prepareReport(
            shippedTemplate(templateName), emptyBusinessParameters("Sestava"), book(3));
        QVERIFY(job.ok);
        const QString pdf = dir_.filePath("empty-" + templateName + ".pdf");
        QString error;
        QVERIFY2(orvex::writePdf(job.report, pdf, &error), qPrintable(error));
        const QString text = pdfText(pdf);
        for (const QString& line : text.split('\n')) {
            const QString trimmed = line.simplified();
            QVERIFY2(!trimmed.startsWith(",") && !trimmed.startsWith("–"), qPrintable(line));
            QVERIFY2(!QRegularExpression("(^|\\s)D?IČ:(\\s|$)").match(trimmed).hasMatch(),
                     qPrintable(line));
        }
        QVERIFY(text.contains("Strana 1 z 1"));
    }

    void bookListingWrapsLongNamesAndShowsTheDescription() {
        auto table = book(2);
        const QString longName = "Stavební bytové družstvo Nový domov Brno-Královo Pole, "
                                 "pobočka Žabovřesky a Komín";
        table->rows[0][2] = longName;
        const orvex::PreparedJob job = orvex::prepareReport(shippedTemplate("Kniha_faktur.fr3"),
                                                            programParameters("Kniha"), table);
        QVERIFY(job.ok);
        const QString pdf = dir_.filePath("long-name.pdf");
        QString error;
        QVERIFY(orvex::writePdf(job.report, pdf, &error));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains("Specifikace"));
        QVERIFY(text.contains("Zboží 1"));
        for (const QString& word : longName.split(' '))
            QVERIFY2(text.contains(word), qPrintable(word + "\n" + text));

        // The line under a wrapped row runs along the row's bottom in every column, not under
        // the first line of the short ones.
        const QVector<orvex::PreparedItem>& items = job.report.pages.first().items;
        const auto name = std::find_if(items.begin(), items.end(),
                                       [&](const auto& item) { return item.text == longName; });
        QVERIFY(name != items.end());
        double rowBottom = 0;
        for (const orvex::PreparedItem& item : items)
            if (qFuzzyCompare(item.rect.top(), name->rect.top()))
                rowBottom = qMax(rowBottom, item.rect.bottom());
        QVERIFY(rowBottom > name->rect.top() + 20);
        for (const orvex::PreparedItem& item : items)
            if (qFuzzyCompare(item.rect.top(), name->rect.top()) &&
                (item.object->frame.sides & orvex::FrameBottom))
                QCOMPARE(item.rect.bottom(), rowBottom);
    }

    void vatOverviewNamesItsScopeAndItsTitleOnce_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("scope");
        QTest::newRow("whole book") << ""
                                    << "celá kniha";
        QTest::newRow("filtered")
            << " WHERE  (Datum1 >= #2024-03-01#) AND (Datum1 <= #2024-03-31#)  AND  "
               "Dodavatel_odberatel LIKE '%U Ř''eky%' "
            << "Vystaveno od 1.3.2024 do 31.3.2024, Dodavatel/odběratel obsahuje „U Ř'eky“";
    }

    void vatOverviewNamesItsScopeAndItsTitleOnce() {
        QFETCH(QString, condition);
        QFETCH(QString, scope);
        BookFixture fixture;
        fixture.insertInvoice("FD_0001", 1000, 210, 1210, QDate(2024, 3, 5));
        const QString pdf = dir_.filePath(QString("scope-%1.pdf").arg(QTest::currentDataTag()));
        const orvex::RenderResult result = orvex::renderReportToPdf(
            shippedTemplate("Prehled_DPH.fr3"), programParameters("Přehled DPH podle sazeb"),
            "SELECT * FROM FDosle" + condition + " ORDER BY Id", &fixture.state.connection, pdf);
        QVERIFY2(result.ok, qPrintable(result.error));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("Rozsah: " + scope), qPrintable(text));
        const QString titleBlock = text.left(text.indexOf("Vytištěno"));
        QCOMPARE(titleBlock.count("Přehled DPH podle sazeb"), 1);
    }

    void runsTheSqlTextOverTheConnection() {
        BookFixture fixture;
        fixture.insertInvoice("FD_0001", 1000, 210, 1210, QDate(2024, 3, 5));
        fixture.insertInvoice("FD_0002", 500.5, 60.06, 560.56, QDate(2024, 3, 6));
        const QString pdf = dir_.filePath("engine.pdf");
        const orvex::RenderResult result = orvex::renderReportToPdf(
            shippedTemplate("Kniha_faktur.fr3"), programParameters("Kniha přijatých faktur"),
            "SELECT * FROM FDosle  ORDER BY Id", &fixture.state.connection, pdf);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.pageCount, 1);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains("FD_0001"));
        QVERIFY(text.contains("5.3.2024"));
        QVERIFY(text.contains("1 500,50"));
        QVERIFY(text.contains("1 770,56"));
    }

    void failuresNameTheirCause_data() {
        QTest::addColumn<QString>("templatePath");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("pdfName");
        QTest::addColumn<QString>("expected");
        const QString book = shippedTemplate("Kniha_faktur.fr3");
        const QString good = "SELECT * FROM FDosle  ORDER BY Id";
        const QString missing = QStringLiteral(LUMIRA_TEST_DATA "/chybi.fr3");
        QTest::newRow("missing template") << missing << good << "a.pdf" << missing;
        const QString broken = QStringLiteral(LUMIRA_TEST_DATA "/broken.fr3");
        QTest::newRow("not XML") << broken << good << "b.pdf"
                                 << QString("Předlohu sestavy „%1“ nelze přečíst").arg(broken);
        QTest::newRow("bad SQL") << book << "SELECT * FROM Neni"
                                 << "c.pdf"
                                 << "Data sestavy nelze načíst";
        QTest::newRow("PDF folder missing") << book << good << "chybi/d.pdf"
                                            << "chybi/d.pdf";
    }

    void failuresNameTheirCause() {
        QFETCH(QString, templatePath);
        QFETCH(QString, sql);
        QFETCH(QString, pdfName);
        QFETCH(QString, expected);
        BookFixture fixture;
        const QString pdf = dir_.filePath(pdfName);
        const orvex::RenderResult result = orvex::renderReportToPdf(
            templatePath, programParameters("Kniha"), sql, &fixture.state.connection, pdf);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(expected), qPrintable(result.error));
        QVERIFY(!QFile::exists(pdf));
    }

    void versionLabel() {
        QString label;
        OznaceniVerzeDLL(&label);
        QCOMPARE(label, QStringLiteral("1.1.0"));
    }
};

QTEST_MAIN(TestOrvexPdf)
#include "test_orvex_pdf.moc"
