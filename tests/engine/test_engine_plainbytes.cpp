// The plain text of stored values taken straight from SQLite (exports) is byte for byte the one
// of the general way, plainText(readColumn(...)), also for values out of the ordinary.
#include "storage/engine/formats.h"
#include "storage/engine/plainbytes.h"
#include "storage/engine/statement.h"
#include "storage/engine/values.h"

#include <QTest>
#include <sqlite3.h>

Q_DECLARE_METATYPE(engine::FieldType)

class PlainBytesTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsGeneralWay_data();
    void sameAsGeneralWay();
};

void PlainBytesTest::sameAsGeneralWay_data() {
    using engine::FieldType;
    QTest::addColumn<QString>("stored"); // an SQLite literal
    QTest::addColumn<FieldType>("type");
    for (const char* value : {"0", "12.5", "100", "-115", "0.0001", "-0.00004", "210.1234",
                              "0.1 + 0.2", "99999999999.9999", "123456789012.34", "6e12", "1e15",
                              "-1e20", "5", "'12,5'", "'abc'", "x'00'", "NULL", "1e308 * 10"})
        QTest::newRow(qPrintable(QStringLiteral("amount ") + value))
            << value << FieldType::Currency;
    for (const char* value :
         {"'2024-03-05'", "'0001-01-01'", "'2024-02-30'", "'2024-13-01'", "'2024-1-5'",
          "'2024-03-05T08:05:09'", "'2024-03-05 00:00:00'", "'x'", "20240305", "1.5", "''"})
        QTest::newRow(qPrintable(QStringLiteral("date ") + value)) << value << FieldType::Date;
    for (const char* value :
         {"'Žluťoučký kůň'", "'a' || char(0) || 'b'", "x'C3A9'", "x'FF41'", "x'EFBBBF41'",
          "x'EDA080'", "x'C0AF'", "x'F4908080'", "42", "4.25", "char(65534)", "''"})
        QTest::newRow(qPrintable(QStringLiteral("text ") + value)) << value << FieldType::Text;
    for (const char* value : {"-9223372036854775808", "21", "21.5", "'21'", "x'3231'"})
        QTest::newRow(qPrintable(QStringLiteral("integer ") + value))
            << value << FieldType::Integer;
    for (const char* value : {"7", "7.25", "'seven'"})
        QTest::newRow(qPrintable(QStringLiteral("other ") + value)) << value << FieldType::Other;
}

void PlainBytesTest::sameAsGeneralWay() {
    QFETCH(QString, stored);
    QFETCH(engine::FieldType, type);
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    {
        engine::Statement statement(db, QStringLiteral("SELECT ") + stored);
        QVERIFY2(statement.step(), qPrintable(statement.error()));
        std::string bytes;
        engine::appendPlainText(bytes, statement.get(), 0, type);
        QCOMPARE(QByteArray::fromStdString(bytes),
                 engine::plainText(engine::readColumn(statement.get(), 0, type)).toUtf8());
    }
    sqlite3_close(db);
}

QTEST_GUILESS_MAIN(PlainBytesTest)
#include "test_engine_plainbytes.moc"
