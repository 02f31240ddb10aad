#include "storage/engine/formats.h"

#include <QDateTime>
#include <QTest>

using engine::formatNumber;

class FormatsTest : public QObject {
    Q_OBJECT
private slots:
    void numbers_data();
    void numbers();
    void dates();
    void plainTexts_data();
    void plainTexts();
};

void FormatsTest::numbers_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // "_" stands for the group separator
    QTest::newRow("zero") << "#,##0.00" << 0.0 << "0,00";
    QTest::newRow("grouped") << "#,##0.00" << 1234.5 << "1_234,50";
    QTest::newRow("rounds to zero without a minus") << "#,##0.00" << -0.004 << "0,00";
    QTest::newRow("negative") << "#,##0.00" << -1234.567 << "-1_234,57";
    QTest::newRow("billion") << "#,##0.00" << 1e9 << "1_000_000_000,00";
    QTest::newRow("half away from zero") << "#,##0.00" << 2.675 << "2,68";
    QTest::newRow("edit pattern") << "0.00" << 1234.5 << "1234,50";
    QTest::newRow("currency text") << "#,##0.00 CZK" << 1234.5 << "1_234,50 CZK";
    QTest::newRow("quoted text") << "#,##0.00 \"Kč\"" << 5.0 << "5,00 Kč";
    QTest::newRow("optional decimals") << "0.##" << 12.5 << "12,5";
    QTest::newRow("six trillion") << "#,##0.00" << 6e12 << "6_000_000_000_000,00";
    QTest::newRow("large with cents") << "#,##0.00" << 987654321098.76 << "987_654_321_098,76";
    QTest::newRow("large half cent up") << "#,##0.00" << 12345678901.235 << "12_345_678_901,24";
    QTest::newRow("carry through nines") << "#,##0.00" << 999999.995 << "1_000_000,00";
    QTest::newRow("no decimals") << "#,##0" << 2.5 << "3";
    QTest::newRow("negative section") << "#,##0.00;(#,##0.00)" << -5.0 << "(5,00)";
    QTest::newRow("zero section") << "#,##0.00;-#,##0.00;nula" << 0.001 << "nula";
    QTest::newRow("zero section not for a cent") << "0.00;;nula" << -0.005 << "-0,01";
    QTest::newRow("empty negative section") << "0.00;;nula" << -2.0 << "-2,00";
    QTest::newRow("quoted semicolon") << "0.00 \"a;b\"" << 1.0 << "1,00 a;b";
    QTest::newRow("text only") << "\"bez částky\"" << 5.0 << "bez částky";
}

void FormatsTest::numbers() {
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    QCOMPARE(formatNumber(pattern, value, czech),
             QString(expected).replace(u'_', czech.groupSeparator()));
}

void FormatsTest::dates() {
    QCOMPARE(engine::formatDate(QStringLiteral("d.m.yyyy"), QDate(2024, 2, 29).startOfDay()),
             QStringLiteral("29.2.2024"));
    QCOMPARE(engine::formatDate(QStringLiteral("dd.mm.yyyy hh:nn"),
                                QDateTime(QDate(2015, 3, 5), QTime(7, 9))),
             QStringLiteral("05.03.2015 07:09"));
}

void FormatsTest::plainTexts_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << QString();
    QTest::newRow("integer") << QVariant(qint64(42)) << "42";
    QTest::newRow("shortest amount") << QVariant(12.5) << "12,5";
    QTest::newRow("whole amount") << QVariant(100.0) << "100";
    QTest::newRow("four decimals") << QVariant(0.1234) << "0,1234";
    QTest::newRow("date") << QVariant(QDate(2015, 3, 5)) << "5.3.2015";
    QTest::newRow("midnight") << QVariant(QDateTime(QDate(2015, 3, 5), QTime(0, 0))) << "5.3.2015";
    QTest::newRow("time") << QVariant(QDateTime(QDate(2015, 3, 5), QTime(13, 45, 1)))
                          << "5.3.2015 13:45:01";
    QTest::newRow("text") << QVariant(QStringLiteral("Žluť")) << "Žluť";
}

void FormatsTest::plainTexts() {
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(engine::plainText(value), expected);
}

QTEST_GUILESS_MAIN(FormatsTest)
#include "test_engine_formats.moc"
