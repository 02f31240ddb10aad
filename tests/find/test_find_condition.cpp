// The filter condition text, its checks, the month pick and the two field lists.

#include "find/fieldlists.h"
#include "find/filtercondition.h"
#include "storage/settings.h"
#include "support/bookfixture.h"

#include <QTest>

class FilterConditionTest : public QObject {
    Q_OBJECT
private slots:
    void bothFiltersGiveTheExactCondition();
    void workedExampleReadsTheDateIndex();
    void singleFilters_data();
    void singleFilters();
    void checks_data();
    void checks();
    void trimBlanksRemovesBlanksAndControls();
    void monthRange_data();
    void monthRange();
    void dateFieldListFollowsTheBook();
    void filterFieldListKeepsTextColumnsInGridOrder();
};

static FilterRequest januaryAnd24() {
    FilterRequest r;
    r.dateOn = true;
    r.dateField = QStringLiteral("Datum1");
    r.from = QDate(2024, 1, 1);
    r.to = QDate(2024, 1, 31);
    r.expressionOn = true;
    r.field = QStringLiteral("Cislo");
    r.expression = QStringLiteral("24");
    return r;
}

void FilterConditionTest::bothFiltersGiveTheExactCondition() {
    QCOMPARE(filterCondition(januaryAnd24()),
             QStringLiteral(" WHERE  (Datum1 >= #2024-01-01#) AND (Datum1 <= #2024-01-31#)  AND  "
                            "Cislo LIKE '%24%' "));
}

// The book query and the sums of the worked example read only the month's range of the index.
void FilterConditionTest::workedExampleReadsTheDateIndex() {
    BookFixture fixture;
    const QString condition = filterCondition(januaryAnd24());
    for (const QString& query :
         {QStringLiteral("SELECT Id FROM FDosle ") + condition + QStringLiteral(" ORDER BY Id"),
          QStringLiteral("SELECT SUM(Zaklad) AS CelkemSA FROM FDosle ") + condition}) {
        engine::QueryResult plan;
        QString error;
        QVERIFY2(fixture.state.connection.select("EXPLAIN QUERY PLAN " + query, plan, &error),
                 qPrintable(error));
        QString steps;
        for (const auto& step : plan.rows)
            steps += step.last().toString() + u'\n';
        QVERIFY2(steps.contains("SEARCH FDosle USING INDEX FDosle_Datum1 (Datum1>? AND Datum1<?)"),
                 qPrintable(steps));
    }
}

void FilterConditionTest::singleFilters_data() {
    QTest::addColumn<bool>("dateOn");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("condition");
    QTest::newRow("date only") << true << QString()
                               << QStringLiteral(" WHERE  (Datum1 >= #2024-01-01#) AND "
                                                 "(Datum1 <= #2024-01-31#) ");
    QTest::newRow("expression only")
        << false << QStringLiteral("24") << QStringLiteral(" WHERE  Cislo LIKE '%24%' ");
    QTest::newRow("blanks around are dropped")
        << false << QStringLiteral("  24\t ") << QStringLiteral(" WHERE  Cislo LIKE '%24%' ");
    QTest::newRow("apostrophe doubled")
        << false << QStringLiteral("O'Brien") << QStringLiteral(" WHERE  Cislo LIKE '%O''Brien%' ");
    QTest::newRow("wildcards kept")
        << false << QStringLiteral("F_%1") << QStringLiteral(" WHERE  Cislo LIKE '%F_%1%' ");
}

void FilterConditionTest::singleFilters() {
    QFETCH(bool, dateOn);
    QFETCH(QString, expression);
    QFETCH(QString, condition);
    FilterRequest r = januaryAnd24();
    r.dateOn = dateOn;
    r.expressionOn = !expression.isEmpty();
    r.expression = expression;
    QCOMPARE(filterCondition(r), condition);
}

void FilterConditionTest::checks_data() {
    QTest::addColumn<bool>("dateOn");
    QTest::addColumn<QString>("dateField");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("expressionOn");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("message");
    const QString d1 = QStringLiteral("Datum1");
    const QString cislo = QStringLiteral("Cislo");
    const QDate end(2024, 1, 31);
    QTest::newRow("neither box ticked")
        << false << d1 << end << false << cislo << QStringLiteral("24")
        << QStringLiteral("Není vybraná ani jedna volba filtrování.");
    QTest::newRow("no date column") << true << QString() << end << false << cislo << QString()
                                    << QStringLiteral("Není vybraná kolonka data.");
    QTest::newRow("end before start")
        << true << d1 << QDate(2023, 12, 31) << false << cislo << QString()
        << QStringLiteral("Počáteční datum nemůže být vyšší než koncové datum.");
    QTest::newRow("equal dates allowed")
        << true << d1 << QDate(2024, 1, 1) << false << cislo << QString() << QString();
    QTest::newRow("no column") << false << d1 << end << true << QString() << QStringLiteral("24")
                               << QStringLiteral("Není vybrané pole.");
    QTest::newRow("blank expression")
        << false << d1 << end << true << cislo << QStringLiteral("  \t ")
        << QStringLiteral("Není zadaný výraz filtru.");
    QTest::newRow("date check comes before expression check")
        << true << QString() << end << true << QString() << QString()
        << QStringLiteral("Není vybraná kolonka data.");
    QTest::newRow("both valid") << true << d1 << end << true << cislo << QStringLiteral("24")
                                << QString();
}

void FilterConditionTest::checks() {
    QFETCH(bool, dateOn);
    QFETCH(QString, dateField);
    QFETCH(QDate, to);
    QFETCH(bool, expressionOn);
    QFETCH(QString, field);
    QFETCH(QString, expression);
    QFETCH(QString, message);
    FilterRequest r;
    r.dateOn = dateOn;
    r.dateField = dateField;
    r.from = QDate(2024, 1, 1);
    r.to = to;
    r.expressionOn = expressionOn;
    r.field = field;
    r.expression = expression;
    QCOMPARE(problemMessage(checkFilter(r)), message);
}

void FilterConditionTest::trimBlanksRemovesBlanksAndControls() {
    QCOMPARE(trimBlanks(QStringLiteral("\r\n  a b \x01")), QStringLiteral("a b"));
    QCOMPARE(trimBlanks(QStringLiteral(" \t ")), QString());
}

void FilterConditionTest::monthRange_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("month");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::newRow("December chosen in January")
        << QDate(2024, 1, 15) << 12 << QDate(2024, 12, 1) << QDate(2024, 12, 31);
    QTest::newRow("February of a leap year")
        << QDate(2024, 6, 1) << 2 << QDate(2024, 2, 1) << QDate(2024, 2, 29);
    QTest::newRow("February of a common year")
        << QDate(2023, 6, 1) << 2 << QDate(2023, 2, 1) << QDate(2023, 2, 28);
    QTest::newRow("April") << QDate(2025, 12, 31) << 4 << QDate(2025, 4, 1) << QDate(2025, 4, 30);
}

void FilterConditionTest::monthRange() {
    QFETCH(QDate, today);
    QFETCH(int, month);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QCOMPARE(firstDayOfMonth(month, today), first);
    QCOMPARE(lastDayOfMonth(month, today), last);
}

void FilterConditionTest::dateFieldListFollowsTheBook() {
    Settings settings;
    settings.PopiskaD1_FD = QStringLiteral("Přijato");
    settings.PopiskaD3_FO = QStringLiteral("Splatnost");
    rebuildDateFieldList(settings, 0);
    QCOMPARE(DateFieldList(),
             QStringList({QStringLiteral("Datum1=Přijato"), QStringLiteral("Datum2=Datum 2"),
                          QStringLiteral("Datum3=Datum 3")}));
    rebuildDateFieldList(settings, 1);
    QCOMPARE(DateFieldList(),
             QStringList({QStringLiteral("Datum1=Datum 1"), QStringLiteral("Datum2=Datum 2"),
                          QStringLiteral("Datum3=Splatnost")}));
    QCOMPARE(fieldNameOf(DateFieldList()[2]), QStringLiteral("Datum3"));
    QCOMPARE(captionOf(DateFieldList()[2]), QStringLiteral("Splatnost"));
}

void FilterConditionTest::filterFieldListKeepsTextColumnsInGridOrder() {
    const QList<GridColumn> columns{{QStringLiteral("Zaklad"), QStringLiteral("Základ")},
                                    {QStringLiteral("Poznamka"), QStringLiteral("Poznámka")},
                                    {QStringLiteral("Datum1"), QStringLiteral("Datum 1")},
                                    {QStringLiteral("Cislo"), QStringLiteral("Číslo")},
                                    {QStringLiteral("SazbaDPH"), QStringLiteral("Sazba DPH")},
                                    {QStringLiteral("datum2"), QStringLiteral("jiné")}};
    rebuildFilterFieldList(columns);
    rebuildFilterFieldList(columns); // rebuilt, not added to
    // The comparison is exact, so a differently spelt name stays.
    QCOMPARE(FilterFieldList(),
             QStringList({QStringLiteral("Poznamka=Poznámka"), QStringLiteral("Cislo=Číslo"),
                          QStringLiteral("datum2=jiné")}));
}

QTEST_MAIN(FilterConditionTest)
#include "test_find_condition.moc"
