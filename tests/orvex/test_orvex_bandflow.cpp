// How data bands flow over pages, rendered to PDF and read back: column headers and footers
// on every page, a band split between the lines of its memo, rows left out by a band's filter.

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

// Heights in pixels of the runs of rows with ink between x0 and x1: the lines of a text.
QList<int> inkedLineHeights(const QImage& image, int x0, int x1) {
    QList<int> heights;
    int run = 0;
    for (int y = 0; y <= image.height(); ++y) {
        bool ink = false;
        for (int x = x0; x < x1 && y < image.height() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink) {
            ++run;
        } else if (run > 0) {
            heights << run;
            run = 0;
        }
    }
    return heights;
}

// One page of a PDF (1-based) as an image at 96 dpi: one pixel per template pixel.
QImage pageImage(const QString& pdfPath, int page) {
    const QString base = pdfPath + QString("-page%1").arg(page);
    const QString number = QString::number(page);
    toolOutput("pdftoppm",
               {"-r", "96", "-f", number, "-l", number, "-png", "-singlefile", pdfPath, base});
    return QImage(base + ".png");
}

} // namespace

class TestOrvexBandFlow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString pdfPath_; // of the last rendering

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
        pdfPath_ = pdf;
        QStringList pages = pdfText(pdf).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

private slots:
    // Page 100 mm high: page header 30, column header 20, column footer 20, page footer 40;
    // 13 rows of 20 fit between them, so 30 rows take pages of 13, 13 and 4. The column footer
    // follows the last row of each page, on the last one before the summary.
    void columnHeaderAndFooterFrameTheDataOfEveryPage() {
        orvex::PreparedJob job;
        const QStringList pages = render("sloupcove_pasy.fr3", 30, &job);
        QCOMPARE(pages.size(), 3);
        const auto number = [](int row) { return QString("FD_%1").arg(row, 4, 10, QChar('0')); };
        const int firstRows[] = {1, 14, 27};
        const int lastRows[] = {13, 26, 30};
        for (int p = 0; p < 3; ++p) {
            const QString n = QString::number(p + 1);
            QStringList expected = {"Hlavička strany " + n,
                                    "Záhlaví sloupců od " + number(firstRows[p])};
            for (int row = firstRows[p]; row <= lastRows[p]; ++row)
                expected << "Řádek " + number(row);
            expected << "Zápatí sloupců strany " + n;
            if (p == 2)
                expected << "Souhrn: 30 řádků";
            expected << "Pata strany " + n;
            QCOMPARE(lines(pages[p]), expected);
        }
        // The footer follows the last row, also where the page is far from full.
        const orvex::PreparedPage& last = job.report.pages.last();
        const orvex::PreparedItem* row = findItem(last, "Row", true);
        const orvex::PreparedItem* footer = findItem(last, "ColumnFoot");
        QVERIFY(row && footer);
        QCOMPARE(footer->rect.top(), row->rect.top() + 20);
        QCOMPARE(findItem(last, "Summary")->rect.top(), footer->rect.top() + 20);
        QCOMPARE(job.report.warnings.filter("Pás"), QStringList());
    }

    // One row whose band may split, below a title: a memo of 40 lines, taller than a page,
    // and one of 15 lines, which a page would hold but not the room the title leaves. The
    // lines the first page has room for stay there, the rest go on; none is cut in half.
    void splitBandBreaksBetweenMemoLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstPage"); // 0-based in the PDF
        QTest::addColumn<int>("keptAtLeast");
        QTest::newRow("taller than a page") << "Řádek poznámky" << 40 << 0 << 15;
        QTest::newRow("taller than the room left") << "Krátká poznámka" << 15 << 2 << 5;
    }

    void splitBandBreaksBetweenMemoLines() {
        QFETCH(QString, line);
        QFETCH(int, count);
        QFETCH(int, firstPage);
        QFETCH(int, keptAtLeast);
        const QStringList pages = render("deleni_poznamky.fr3", 1);
        QCOMPARE(pages.size(), 4);
        const QRegularExpression noteLine(line + " (\\d+)");
        QList<int> numbers;
        QList<int> perPage;
        for (const QString& page : pages) {
            int onPage = 0;
            for (auto it = noteLine.globalMatch(page); it.hasNext(); ++onPage)
                numbers << it.next().captured(1).toInt();
            perPage << onPage;
        }
        QList<int> expected;
        for (int i = 1; i <= count; ++i)
            expected << i;
        QCOMPARE(numbers, expected);
        QVERIFY2(perPage[firstPage] >= keptAtLeast,
                 "the first page keeps the lines it has room for");
        QCOMPARE(perPage[firstPage] + perPage[firstPage + 1], count);
        // The text the viewer reads ignores the cut; the ink shows it: the first page ends
        // with a line as tall as the first one, not with the upper part of the next.
        const QList<int> heights = inkedLineHeights(pageImage(pdfPath_, firstPage + 1), 90, 340);
        QVERIFY(heights.size() >= keptAtLeast);
        QCOMPARE(heights.last(), heights.first());
    }

    // Nine rows, rates 21, 12, 0 in turn: the data band keeps the three at 21 %, its detail
    // band the one of them above 1050, the totals count what was printed. A filter that is no
    // expression is named and filters nothing; groups are made of the rows that pass.
    void filterLeavesOutRowsOfItsBand() {
        orvex::PreparedJob job;
        const QStringList pages = render("filtr.fr3", 9, &job);
        QCOMPARE(pages.size(), 3);
        QCOMPARE(lines(pages[0]), QStringList({"Základní sazba FD_0001", "Základní sazba FD_0004",
                                               "Základní sazba FD_0007", "Nad 1050: FD_0007",
                                               "Faktur: 3, základ celkem 3126,00"}));
        const QStringList unfiltered = lines(pages[1]);
        QCOMPARE(unfiltered.size(), 9);
        QCOMPARE(unfiltered.last(), QString("Nefiltrováno FD_0009"));
        // Groups gather only the rows that pass: no header for the rate no row kept.
        QCOMPARE(lines(pages[2]), QStringList({"Sazba 12 %", "Zdaněno FD_0002", "Zdaněno FD_0005",
                                               "Zdaněno FD_0008", "Sazba 21 %", "Zdaněno FD_0001",
                                               "Zdaněno FD_0004", "Zdaněno FD_0007"}));
        QCOMPARE(job.report.warnings.filter("Filtr"),
                 QStringList({"Filtr „<Kniha.\"SazbaDPH\"> =“ pásu „MasterData2“ nelze "
                              "vyhodnotit: neúplný výraz; pás tiskne všechny řádky."}));
    }
};

QTEST_MAIN(TestOrvexBandFlow)
#include "test_orvex_bandflow.moc"
