// How data bands flow over pages, rendered to PDF and read back: column headers and footers
// on every page.

#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace orvexfixtures;

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(LUMIRA_TEST_DATA "/") + name;
}

// Lines of a page's text without the empty ones, spaces of the layout trimmed.
QStringList lines(const QString& pageText) {
    QStringList found;
    for (const QString& line : pageText.split(u'\n'))
        if (!line.trimmed().isEmpty())
            found << line.simplified();
    return found;
}

const orvex::PreparedItem* findItem(const orvex::PreparedPage& page, const QString& objectName,
                                    bool last = false) {
    const orvex::PreparedItem* found = nullptr;
    for (const orvex::PreparedItem& item : page.items)
        if (item.object->name == objectName && (!found || last))
            found = &item;
    return found;
}

} // namespace

class TestOrvexBandFlow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // Renders a fixture over `rows` book rows into a PDF; the text of each page, or the error
    // as the only element.
    QStringList render(const QString& name, int rows, orvex::PreparedJob* job = nullptr) {
        orvex::PreparedJob prepared =
            orvex::prepareReport(fixture(name), programParameters("Pásy"), book(rows));
        if (!prepared.ok)
            return {prepared.error};
        const QString pdf = dir_.filePath(name + QString::number(rows) + ".pdf");
        QString error;
        if (!orvex::writePdf(prepared.report, pdf, &error))
            return {error};
        if (job)
            *job = prepared;
        QStringList pages = pdfText(pdf).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

private slots:
    // Page 100 mm high: page header 30, column header 20, column footer 20, page footer 40;
    // 13 rows of 20 fit between them, so 30 rows take pages of 13, 13 and 4.
    void columnHeaderAndFooterFrameTheDataOfEveryPage() {
        orvex::PreparedJob job;
        const QStringList pages = render("sloupcove_pasy.fr3", 30, &job);
        QCOMPARE(pages.size(), 3);
        const int firstRows[] = {1, 14, 27};
        const int lastRows[] = {13, 26, 30};
        for (int p = 0; p < 3; ++p) {
            const QStringList page = lines(pages[p]);
            const QString n = QString::number(p + 1);
            const QStringList expectedStart = {
                "Hlavička strany " + n,
                QString("Záhlaví sloupců od FD_%1").arg(firstRows[p], 4, 10, QChar('0')),
                QString("Řádek FD_%1").arg(firstRows[p], 4, 10, QChar('0'))};
            QCOMPARE(page.mid(0, 3), expectedStart);
            const QStringList expectedEnd = {
                QString("Řádek FD_%1").arg(lastRows[p], 4, 10, QChar('0')),
                "Zápatí sloupců strany " + n, "Pata strany " + n};
            QCOMPARE(page.mid(page.size() - 3), expectedEnd);
            QCOMPARE(page.size(), 4 + lastRows[p] - firstRows[p] + 1);
        }
        // The footer follows the last row, also where the page is far from full.
        const orvex::PreparedPage& last = job.report.pages.last();
        const orvex::PreparedItem* row = findItem(last, "Row", true);
        const orvex::PreparedItem* footer = findItem(last, "ColumnFoot");
        QVERIFY(row && footer);
        QCOMPARE(footer->rect.top(), row->rect.top() + 20);
        QVERIFY(footer->rect.bottom() < findItem(last, "PageFoot")->rect.top() - 100);
        QCOMPARE(job.report.warnings.filter("Pás"), QStringList());
    }
};

QTEST_MAIN(TestOrvexBandFlow)
#include "test_orvex_bandflow.moc"
