#include "editing/numbering.h"
#include "editing/seriesmenu.h"
#include "support/bookfixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>

class NumberingTest : public QObject {
    Q_OBJECT
private slots:
    void statementText_data();
    void statementText();
    void nextNumber_data();
    void nextNumber();
    void exhaustedSeries();
    void databaseError();
    void seriesMenu_data();
    void seriesMenu();
};

namespace {

const QString received = QStringLiteral("FDosle");
const QString issued = QStringLiteral("FOdeslane");

void insertNumbers(BookFixture& fixture, const QString& table, const QStringList& numbers) {
    for (const QString& number : numbers)
        fixture.insert(table, {{QStringLiteral("Cislo"), number}});
}

} // namespace

void NumberingTest::statementText_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("own counter per prefix")
        << "FD_" << 1
        << "SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS KonecCisla FROM "
           "FDosle WHERE Left(Cislo, Len('FD_')) = 'FD_') AS T1  ORDER BY KonecCisla DESC";
    QTest::newRow("one running counter: no condition, blank before the parenthesis")
        << "FD_" << 0
        << "SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS KonecCisla FROM "
           "FDosle ) AS T1  ORDER BY KonecCisla DESC";
    QTest::newRow("unknown kind counts every number")
        << "FD_" << 7
        << "SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS KonecCisla FROM "
           "FDosle ) AS T1  ORDER BY KonecCisla DESC";
    QTest::newRow("apostrophe doubled in both literals")
        << "O'B" << 1
        << "SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS KonecCisla FROM "
           "FDosle WHERE Left(Cislo, Len('O''B')) = 'O''B') AS T1  ORDER BY KonecCisla DESC";
}

void NumberingTest::statementText() {
    QFETCH(QString, prefix);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QCOMPARE(numberingQuery(received, prefix, kind), expected);
}

void NumberingTest::nextNumber_data() {
    QTest::addColumn<QStringList>("stored");    // numbers of the active (received) book
    QTest::addColumn<QStringList>("otherBook"); // numbers of the issued book
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    const QStringList none;
    QTest::newRow("empty book") << none << none << "FD_" << 1 << "FD_0001";
    QTest::newRow("empty book, running counter") << none << none << "FD_" << 0 << "FD_0001";
    QTest::newRow("greatest ending plus one")
        << QStringList{"FD_0010", "FD_0009"} << none << "FD_" << 1 << "FD_0011";
    QTest::newRow("gaps are not filled")
        << QStringList{"FD_0001", "FD_0007"} << none << "FD_" << 1 << "FD_0008";
    QTest::newRow("digits of an ending with other characters")
        << QStringList{"FD_0005", "2024A/12"} << none << "FD_" << 0 << "FD_0013";
    QTest::newRow("ending without digits")
        << QStringList{"ABCDEF"} << none << "FD_" << 0 << "FD_0001";
    QTest::newRow("short number is its own ending")
        << QStringList{"7"} << none << "FD_" << 0 << "FD_0008";
    QTest::newRow("running counter shared with another series")
        << QStringList{"FD_0005", "SEK0007"} << none << "FD_" << 0 << "FD_0008";
    QTest::newRow("own counter ignores another series")
        << QStringList{"FD_0005", "SEK0007"} << none << "FD_" << 1 << "FD_0006";
    QTest::newRow("own counter of the additional series")
        << QStringList{"FD_0005", "SEK0007"} << none << "SEK" << 1 << "SEK0008";
    QTest::newRow("empty prefix under own counters counts every number")
        << QStringList{"FD_0005", "SEK0007"} << none << "" << 1 << "0008";
    QTest::newRow("longer prefix starting with the prefix counts too")
        << QStringList{"FD_0003", "FD_X0020"} << none << "FD_" << 1 << "FD_0021";
    QTest::newRow("text order: 15/1 outranks 0009")
        << QStringList{"FD_0009", "2015/1"} << none << "FD_" << 0 << "FD_0152";
    QTest::newRow("prefix with an apostrophe")
        << QStringList{"O'B0004", "FD_0007"} << none << "O'B" << 1 << "O'B0005";
    QTest::newRow("the other book counts separately")
        << QStringList{"FD_0002"} << QStringList{"FD_0050"} << "FD_" << 1 << "FD_0003";
    QTest::newRow("last number of the series")
        << QStringList{"FD_9998"} << none << "FD_" << 1 << "FD_9999";
}

void NumberingTest::nextNumber() {
    QFETCH(QStringList, stored);
    QFETCH(QStringList, otherBook);
    QFETCH(QString, prefix);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    BookFixture fixture;
    insertNumbers(fixture, received, stored);
    insertNumbers(fixture, issued, otherBook);
    QString number;
    QString error;
    QVERIFY2(NextInvoiceNumber(fixture.state, received, prefix, kind, number, &error),
             qPrintable(error));
    QCOMPARE(number, expected);
    QVERIFY(!fixture.state.scratch.isActive());
}

void NumberingTest::exhaustedSeries() {
    // 10000 does not fit four digits; cutting it would repeat FD_1000.
    for (const int kind : {0, 1}) {
        BookFixture fixture;
        insertNumbers(fixture, received, {"FD_1000", "FD_9999"});
        QString number = QStringLiteral("as typed");
        QString error;
        QVERIFY(!NextInvoiceNumber(fixture.state, received, QStringLiteral("FD_"), kind, number,
                                   &error));
        QCOMPARE(number, QStringLiteral("as typed"));
        QCOMPARE(error, QStringLiteral("Číselná řada \"FD_\" je vyčerpaná: další číslo by "
                                       "přesáhlo 9999. Zadejte číslo ručně nebo použijte jinou "
                                       "číselnou řadu."));
        QVERIFY(!fixture.state.scratch.isActive());
    }
}

void NumberingTest::databaseError() {
    BookFixture fixture;
    QString number = QStringLiteral("as typed");
    QString error;
    QVERIFY(!NextInvoiceNumber(fixture.state, QStringLiteral("Chybi"), QStringLiteral("FD_"), 1,
                               number, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(error, fixture.state.scratch.lastError());
    QCOMPARE(number, QStringLiteral("as typed"));
    QVERIFY(!fixture.state.scratch.isActive());
}

void NumberingTest::seriesMenu_data() {
    QTest::addColumn<int>("book");
    QTest::addColumn<QStringList>("names");    // series 1..5
    QTest::addColumn<QStringList>("prefixes"); // series 1..5
    QTest::addColumn<QStringList>("visible");  // captions of the visible items, in order
    QTest::addColumn<QStringList>("chosen");   // prefixes passed when each is chosen

    const QStringList empty{"", "", "", "", ""};
    QTest::newRow("received book, no additional series")
        << 0 << empty << empty << QStringList{"Základní číselná řada"} << QStringList{"FD_"};
    QTest::newRow("issued book uses its own prefix")
        << 1 << empty << empty << QStringList{"Základní číselná řada"} << QStringList{"FO_"};
    QTest::newRow("a series needs both its name and its prefix")
        << 0 << QStringList{"Zálohy", "", "Dobropisy", "Jen název", ""}
        << QStringList{"ZF", "X", "DB'", "", ""}
        << QStringList{"Základní číselná řada", "Zálohy", "Dobropisy"}
        << QStringList{"FD_", "ZF", "DB'"};
}

void NumberingTest::seriesMenu() {
    QFETCH(int, book);
    QFETCH(QStringList, names);
    QFETCH(QStringList, prefixes);
    QFETCH(QStringList, visible);
    QFETCH(QStringList, chosen);

    BookFixture fixture(book);
    for (int series = 1; series <= Settings::seriesCount; ++series) {
        fixture.state.settings.seriesName(series) = names[series - 1];
        fixture.state.settings.seriesPrefix(series) = prefixes[series - 1];
    }
    QMenu menu;
    QStringList passed;
    fillSeriesMenu(&menu, fixture.state, [&](const QString& prefix) { passed << prefix; });
    // Filling again (a second editor) must not duplicate the items.
    fillSeriesMenu(&menu, fixture.state, [&](const QString& prefix) { passed << prefix; });

    QCOMPARE(menu.objectName(), QStringLiteral("PMenu_CisRady"));
    const QList<QAction*> items = menu.actions();
    QCOMPARE(items.size(), 7);
    QCOMPARE(items[0]->objectName(), QStringLiteral("PMenu_CR_Zakladni"));
    QVERIFY(items[1]->isSeparator());
    QVERIFY(items[1]->isVisible());
    // The separator takes its line in the menu even with no additional series below it.
    QVERIFY(menu.actionGeometry(items[1]).height() > 0);
    QStringList shown;
    for (QAction* item : items) {
        if (!item->isSeparator() && item->isVisible()) {
            shown << item->text();
            item->trigger();
        }
    }
    QCOMPARE(shown, visible);
    QCOMPARE(passed, chosen);
    for (int series = 1; series <= Settings::seriesCount; ++series)
        QCOMPARE(items[series + 1]->objectName(), QStringLiteral("PMenu_CR_Sek%1").arg(series));
}

QTEST_MAIN(NumberingTest)
#include "test_editing_numbering.moc"
