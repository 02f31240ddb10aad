// Kept totals and date indexes: whole-table sums answered from the totals equal the sums over
// the rows after any mix of changes, for new files and for files that predate the totals.
#include "enginefixture.h"

#include "storage/engine/jetsql.h"
#include "storage/engine/statement.h"
#include "storage/engine/values.h"

#include <QFile>
#include <QRandomGenerator>
#include <sqlite3.h>

namespace {

const QStringList amountColumns{QStringLiteral("Zaklad"), QStringLiteral("DPH"),
                                QStringLiteral("Celkem")};

QString sumQuery(const QString& table, const QString& column) {
    return QStringLiteral("SELECT SUM(%1) AS CelkemSA FROM %2").arg(column, table);
}

// The sum as the program asks for it (from the kept totals).
QVariant keptSum(engine::Connection& connection, const QString& table, const QString& column) {
    engine::QueryResult result;
    QString error;
    if (!connection.select(sumQuery(table, column), result, &error) || result.rows.size() != 1)
        qFatal("sum failed: %s", qPrintable(error));
    return result.rows[0][0];
}

// The same sum computed over the rows.
QVariant scannedSum(engine::Connection& connection, const QString& table, const QString& column) {
    engine::Statement statement(connection.handle(),
                                engine::translateJetSql(sumQuery(table, column)));
    if (!statement.step())
        qFatal("scan failed: %s", qPrintable(statement.error()));
    return engine::readColumn(statement.get(), 0, engine::FieldType::Other);
}

// An amount with four decimals, sometimes NULL, sometimes negative or large.
QString randomAmount(QRandomGenerator& random) {
    switch (random.bounded(8)) {
    case 0:
        return QStringLiteral("NULL");
    case 1:
        return QString::number(-double(random.bounded(1000000)) / 10000, 'f', 4);
    case 2:
        return QString::number(double(random.bounded(1 << 30)) * 1000 + 0.0001, 'f', 4);
    default:
        return QString::number(double(random.bounded(100000000)) / 10000, 'f', 4);
    }
}

void randomChange(engine::Connection& connection, QRandomGenerator& random, const QString& table) {
    const QString id = QStringLiteral("(SELECT Id FROM %1 ORDER BY random() LIMIT 1)").arg(table);
    QString sql;
    switch (random.bounded(4)) {
    case 0:
    case 1:
        sql = QStringLiteral("INSERT INTO %1 (Cislo, Zaklad, DPH, Celkem) VALUES ('x', %2, %3, %4)")
                  .arg(table, randomAmount(random), randomAmount(random), randomAmount(random));
        break;
    case 2:
        sql = QStringLiteral("UPDATE %1 SET %2 = %3, Poznamka = 'u' WHERE Id = %4")
                  .arg(table, amountColumns[random.bounded(3)], randomAmount(random), id);
        break;
    default:
        sql = QStringLiteral("DELETE FROM %1 WHERE Id = %2").arg(table, id);
    }
    QString error;
    if (!connection.execute(sql, &error))
        qFatal("change failed: %s", qPrintable(error));
}

} // namespace

class TotalsTest : public QObject {
    Q_OBJECT
private slots:
    void wholeBookSumsReadTheKeptTotals();
    void emptyAndNullBooksSumToNull();
    void randomChangesKeepTotalsExact();
    void existingFileGetsTotalsAtOpen();
    void droppedTriggersAreRebuiltAtOpen();
    void dateColumnsAreIndexed();
};

void TotalsTest::wholeBookSumsReadTheKeptTotals() {
    EngineFixture f;
    QVERIFY(f.connection.translate(sumQuery("FDosle", "Zaklad")).contains("lumira_totals"));
    QVERIFY(f.connection.translate(sumQuery("fodeslane", "celkem")).contains("lumira_totals"));
    // With a condition, or over a column without totals, the rows are summed.
    QVERIFY(
        f.connection.translate(sumQuery("FDosle", "Zaklad") + " WHERE Id > 3").contains("SUM("));
    QVERIFY(f.connection.translate(sumQuery("FDosle", "SazbaDPH")).contains("SUM("));
    QStringList tables;
    QVERIFY(f.connection.tableNames(tables, nullptr));
    QCOMPARE(tables, QStringList({"FDosle", "FOdeslane"}));
}

void TotalsTest::emptyAndNullBooksSumToNull() {
    EngineFixture f;
    QCOMPARE(keptSum(f.connection, "FDosle", "Zaklad"), QVariant());
    f.exec("INSERT INTO FDosle (Cislo, Zaklad, DPH) VALUES ('a', NULL, 0)");
    QCOMPARE(keptSum(f.connection, "FDosle", "Zaklad"), QVariant());
    QCOMPARE(keptSum(f.connection, "FDosle", "DPH"), scannedSum(f.connection, "FDosle", "DPH"));
    QCOMPARE(keptSum(f.connection, "FDosle", "DPH").toDouble(), 0.0);
    f.exec("DELETE FROM FDosle");
    QCOMPARE(keptSum(f.connection, "FDosle", "DPH"), QVariant());
}

void TotalsTest::randomChangesKeepTotalsExact() {
    EngineFixture f;
    QRandomGenerator random(20);
    for (int batch = 0; batch < 10; ++batch) {
        f.exec("BEGIN");
        for (int i = 0; i < 1000; ++i)
            randomChange(f.connection, random, i % 2 ? "FDosle" : "FOdeslane");
        f.exec(batch == 4 ? "ROLLBACK" : "COMMIT");
        for (const QString table : {"FDosle", "FOdeslane"})
            for (const QString& column : amountColumns)
                QCOMPARE(keptSum(f.connection, table, column),
                         scannedSum(f.connection, table, column));
    }
    engine::QueryResult counts;
    QVERIFY(f.connection.select("SELECT (SELECT count(*) FROM FDosle), (SELECT row_count FROM "
                                "lumira_totals WHERE table_name = 'FDosle' AND column_name = "
                                "'DPH')",
                                counts, nullptr));
    QCOMPARE(counts.rows[0][1], counts.rows[0][0]);
    QVERIFY(counts.rows[0][0].toInt() > 100);
}

void TotalsTest::existingFileGetsTotalsAtOpen() {
    EngineFixture f;
    f.connection.close();
    // An older file: the book table and its rows, nothing of the engine's own.
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(f.path).constData(), &db), SQLITE_OK);
    const QString sql = "DROP TABLE lumira_totals; DROP TABLE FDosle; " +
                        engine::translateJetSql(bookTableSql(QStringLiteral("FDosle"))) +
                        "; INSERT INTO FDosle (Cislo, Zaklad, DPH, Celkem) VALUES ('a', "
                        "0.1, 0.2, NULL), ('b', 1234567.8912, -0.3, NULL);";
    QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    QVERIFY(f.connection.open(f.path, nullptr));
    QVERIFY(f.connection.translate(sumQuery("FDosle", "Zaklad")).contains("lumira_totals"));
    for (const QString& column : amountColumns)
        QCOMPARE(keptSum(f.connection, "FDosle", column),
                 scannedSum(f.connection, "FDosle", column));
    QCOMPARE(keptSum(f.connection, "FDosle", "Zaklad").toDouble(), 1234567.9912);
    QCOMPARE(keptSum(f.connection, "FDosle", "Celkem"), QVariant());
}

void TotalsTest::droppedTriggersAreRebuiltAtOpen() {
    EngineFixture f;
    f.exec("INSERT INTO FDosle (Cislo, Zaklad) VALUES ('a', 5)");
    f.exec("DROP TRIGGER lumira_totals_FDosle_insert");
    f.exec("INSERT INTO FDosle (Cislo, Zaklad) VALUES ('b', 7)");
    QVERIFY(f.connection.open(f.path, nullptr));
    QCOMPARE(keptSum(f.connection, "FDosle", "Zaklad").toDouble(), 12.0);
    f.exec("INSERT INTO FDosle (Cislo, Zaklad) VALUES ('c', 1)");
    QCOMPARE(keptSum(f.connection, "FDosle", "Zaklad").toDouble(), 13.0);
}

void TotalsTest::dateColumnsAreIndexed() {
    EngineFixture f;
    for (const QString column : {"Datum1", "Datum2", "Datum3"}) {
        engine::QueryResult plan;
        QVERIFY(f.connection.select(
            QStringLiteral("EXPLAIN QUERY PLAN SELECT Id FROM FOdeslane WHERE %1 >= #2024-01-01# "
                           "AND %1 <= #2024-01-31# ORDER BY Id")
                .arg(column),
            plan, nullptr));
        QString steps;
        for (const auto& row : plan.rows)
            steps += row.last().toString() + u'\n';
        QVERIFY2(steps.contains("INDEX FOdeslane_" + column), qPrintable(steps));
    }
}

QTEST_GUILESS_MAIN(TotalsTest)
#include "test_engine_totals.moc"
