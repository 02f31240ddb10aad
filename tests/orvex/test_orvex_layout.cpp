// Pagination: page counts, the page footer's space, the summary spilling to a new page,
// page numbers and totals, repeated headers, groups and bands taller than a page.

#include "orvex/layoutengine.h"
#include "orvex/orvexfixtures.h"
#include "orvex/templateparser.h"

#include <QtTest>

using namespace orvex;

namespace {

// A page 100 mm high without margins: 377.95 px, of which the page footer keeps 40 free.
// Page header 30, rows 20 high: 15 rows fit on every page.
QByteArray pagedTemplate(int masterHeight, int summaryHeight, const QString& extraBands = {}) {
    return QString(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport ReportOptions.Name="Test">
  <TfrxReportPage Name="Page1" PaperWidth="100" PaperHeight="100" LeftMargin="0" RightMargin="0" TopMargin="0" BottomMargin="0">
    <TfrxPageHeader Name="PageHeader1" Height="30" Top="10">
      <TfrxMemoView Name="Caption" Width="200" Height="20" Text="Číslo"/>
    </TfrxPageHeader>
    <TfrxMasterData Name="MasterData1" Height="%1" Top="100" DataSetName="Kniha">
      <TfrxMemoView Name="Row" Width="200" Height="18" Text="[Kniha.&#34;Cislo&#34;]"/>
    </TfrxMasterData>
    <TfrxReportSummary Name="ReportSummary1" Height="%2" Top="200">
      <TfrxMemoView Name="Total" Width="300" Height="18" Text="[SUM(&lt;Kniha.&#34;Zaklad&#34;&gt;,MasterData1)]"/>
    </TfrxReportSummary>
    <TfrxPageFooter Name="PageFooter1" Height="40" Top="300">
      <TfrxMemoView Name="PageNo" Width="200" Height="18" Text="Strana [Page#] z [TotalPages#]"/>
      <TfrxMemoView Name="PageSum" Top="20" Width="200" Height="18" Text="[SUM(&lt;Kniha.&#34;Zaklad&#34;&gt;)]"/>
    </TfrxPageFooter>
    %3
  </TfrxReportPage>
</TfrxReport>)")
        .arg(masterHeight)
        .arg(summaryHeight)
        .arg(extraBands)
        .toUtf8();
}

// Laid-out pages; the notes about replaced fonts depend on the machine and are dropped.
PreparedReport layOut(const QByteArray& xml, std::shared_ptr<const DataTable> data) {
    ParseResult parsed = parseTemplate(xml);
    LayoutInput input;
    input.report = std::make_shared<const Report>(std::move(parsed.report));
    input.data = std::move(data);
    PreparedReport report = layoutReport(input);
    report.warnings = parsed.warnings + report.warnings;
    report.warnings.removeIf([](const QString& w) { return w.startsWith("Písmo"); });
    return report;
}

QStringList texts(const PreparedPage& page, const QString& objectName) {
    QStringList found;
    for (const PreparedItem& item : page.items)
        if (item.object->name == objectName)
            found << item.text;
    return found;
}

int pageOf(const PreparedReport& report, const QString& objectName) {
    for (int i = 0; i < report.pages.size(); ++i)
        if (!texts(report.pages[i], objectName).isEmpty())
            return i + 1;
    return 0;
}

double plain(const QString& text) {
    return QString(text).replace(',', '.').toDouble();
}

} // namespace

class TestOrvexLayout : public QObject {
    Q_OBJECT

private slots:
    void pagesAndSummary_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("summaryHeight");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("summaryPage");
        QTest::newRow("no rows") << 0 << 40 << 1 << 1;
        QTest::newRow("fits one page") << 13 << 40 << 1 << 1;
        QTest::newRow("summary spills") << 14 << 40 << 2 << 2;
        QTest::newRow("full page, summary spills") << 15 << 20 << 2 << 2;
        QTest::newRow("one row over") << 16 << 20 << 2 << 2;
        QTest::newRow("summary fits second page") << 29 << 20 << 2 << 2;
        QTest::newRow("two full pages, summary spills") << 30 << 20 << 3 << 3;
        QTest::newRow("many pages") << 100 << 40 << 7 << 7;
    }

    void pagesAndSummary() {
        QFETCH(int, rows);
        QFETCH(int, summaryHeight);
        QFETCH(int, pages);
        QFETCH(int, summaryPage);
        const auto data = orvexfixtures::book(rows);
        const PreparedReport report = layOut(pagedTemplate(20, summaryHeight), data);
        QCOMPARE(report.pages.size(), pages);
        QCOMPARE(pageOf(report, "Total"), summaryPage);
        QCOMPARE(report.warnings, QStringList());

        const double footerTop = 100 * pixelsPerMm - 40;
        QStringList printedRows;
        double pageSums = 0;
        for (int i = 0; i < report.pages.size(); ++i) {
            const PreparedPage& page = report.pages[i];
            QCOMPARE(texts(page, "PageNo"),
                     QStringList{QString("Strana %1 z %2").arg(i + 1).arg(pages)});
            QCOMPARE(texts(page, "Caption").size(), 1);
            for (const PreparedItem& item : page.items)
                if (!item.object->name.startsWith("Page"))
                    QVERIFY2(item.rect.bottom() <= footerTop + 0.01, qPrintable(item.object->name));
            printedRows << texts(page, "Row");
            pageSums += plain(texts(page, "PageSum").value(0));
        }
        QCOMPARE(printedRows.size(), rows);
        if (rows > 0) {
            QCOMPARE(printedRows.first(), QString("FD_0001"));
            QCOMPARE(printedRows.last(), QString("FD_%1").arg(rows, 4, 10, QChar('0')));
        }
        const double total = orvexfixtures::columnSum(*data, "Zaklad");
        QCOMPARE(plain(texts(report.pages[summaryPage - 1], "Total").value(0)), total);
        QCOMPARE(pageSums, total); // each page footer sums the rows of its own page
    }

    void overTallBandIsPlacedOnceAndCut() {
        const PreparedReport report = layOut(pagedTemplate(500, 20), orvexfixtures::book(3));
        // One row per page, each cut at the page footer; the summary follows on a page of its own.
        QCOMPARE(report.pages.size(), 4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(texts(report.pages[i], "Row").size(), 1);
        QCOMPARE(pageOf(report, "Total"), 4);
        QCOMPARE(report.warnings.size(), 1);
        QVERIFY(report.warnings[0].contains("MasterData1"));
    }

    void headersRepeatAndGroupsGatherTheirRows() {
        const QString groups = R"(
    <TfrxHeader Name="Header1" Height="20" Top="60" ReprintOnNewPage="True">
      <TfrxMemoView Name="ColumnCaption" Width="100" Height="18" Text="Sloupce"/>
    </TfrxHeader>
    <TfrxGroupHeader Name="GroupHeader1" Height="20" Top="80" Condition="Kniha.&#34;SazbaDPH&#34;">
      <TfrxMemoView Name="GroupTitle" Width="100" Height="18" Text="Sazba [Kniha.&#34;SazbaDPH&#34;]"/>
    </TfrxGroupHeader>
    <TfrxGroupFooter Name="GroupFooter1" Height="20" Top="150">
      <TfrxMemoView Name="GroupSum" Width="100" Height="18" Text="[Kniha.&#34;SazbaDPH&#34;]: [COUNT(MasterData1)] [SUM(&lt;Kniha.&#34;Zaklad&#34;&gt;)]"/>
    </TfrxGroupFooter>)";
        const auto data = orvexfixtures::book(30);
        const PreparedReport report = layOut(pagedTemplate(20, 20, groups), data);
        QStringList titles, sums;
        for (const PreparedPage& page : report.pages) {
            QCOMPARE(texts(page, "ColumnCaption").size(), 1);
            titles << texts(page, "GroupTitle");
            sums << texts(page, "GroupSum");
        }
        QCOMPARE(titles, (QStringList{"Sazba 0", "Sazba 12", "Sazba 21"}));
        QCOMPARE(sums.size(), 3);
        for (int g = 0; g < 3; ++g) {
            const int rate = QList<int>{0, 12, 21}[g];
            double sum = 0;
            for (const auto& row : data->rows)
                if (row[9].toInt() == rate)
                    sum += row[8].toDouble();
            const QStringList parts = sums[g].split(' ');
            QCOMPARE(parts.value(0), QString("%1:").arg(rate));
            QCOMPARE(parts.value(1), QString("10"));
            QCOMPARE(plain(parts.value(2)), sum);
        }
    }
};

QTEST_MAIN(TestOrvexLayout)
#include "test_orvex_layout.moc"
