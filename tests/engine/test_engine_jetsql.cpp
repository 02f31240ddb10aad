#include "enginefixture.h"
#include "storage/engine/jetsql.h"
#include "support/testfiles.h"

#include <QDate>
#include <QTest>

using engine::translateJetSql;

class JetSqlTest : public QObject {
    Q_OBJECT
private slots:
    void translation_data();
    void translation();
    void results_data();
    void results();
    void rejectedQueryReportsEngineText();
    void openRefusesForeignFiles();
};

void JetSqlTest::translation_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    const QString cond = QStringLiteral("WHERE Left(Cislo, Len('FD_')) = 'FD_'");
    QTest::newRow("create table") << bookTableSql(QStringLiteral("FDosle"))
                                  << QStringLiteral(
                                         "CREATE TABLE FDosle ( Id INTEGER PRIMARY KEY "
                                         "AUTOINCREMENT, Cislo VARCHAR(20) NOT NULL CHECK "
                                         "(length(Cislo) <= 20), Dodavatel_odberatel VARCHAR(100) "
                                         "CHECK (length(Dodavatel_odberatel) <= 100), ICO "
                                         "VARCHAR(8) CHECK (length(ICO) <= 8), CisloUctu "
                                         "VARCHAR(17) CHECK (length(CisloUctu) <= 17), SmerovyKod "
                                         "VARCHAR(4) CHECK (length(SmerovyKod) <= 4), Specifikace "
                                         "VARCHAR(100) CHECK (length(Specifikace) <= 100), "
                                         "VariabilniSymbol VARCHAR(10) CHECK "
                                         "(length(VariabilniSymbol) <= 10), Zaklad CURRENCY "
                                         "DEFAULT 0, SazbaDPH INT DEFAULT 0, DPH CURRENCY DEFAULT "
                                         "0, Celkem CURRENCY DEFAULT 0, Datum1 DateTime, Datum2 "
                                         "DateTime, Datum3 DateTime, Poznamka VARCHAR(100) CHECK "
                                         "(length(Poznamka) <= 100) );");
    QTest::newRow("book query, no condition")
        << QStringLiteral("SELECT * FROM FDosle  ORDER BY Id")
        << QStringLiteral("SELECT * FROM FDosle  ORDER BY Id");
    QTest::newRow("sum") << QStringLiteral("SELECT SUM(Zaklad) AS CelkemSA FROM FOdeslane ")
                         << QStringLiteral("SELECT (SUM(CAST(round(Zaklad * 10000) AS INTEGER)) / "
                                           "10000.0) AS CelkemSA FROM FOdeslane ");
    QTest::newRow("sum of a non-amount") << QStringLiteral("SELECT SUM(SazbaDPH) FROM FDosle")
                                         << QStringLiteral("SELECT SUM(SazbaDPH) FROM FDosle");
    QTest::newRow("numbering kind 1")
        << QStringLiteral("SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS "
                          "KonecCisla FROM FDosle ") +
               cond + QStringLiteral(") AS T1  ORDER BY KonecCisla DESC")
        << QStringLiteral("SELECT KonecCisla FROM ( SELECT DISTINCT substr(Cislo, -(4), 4) AS "
                          "KonecCisla FROM FDosle WHERE substr(Cislo, 1, length('FD_')) = 'FD_') "
                          "AS T1  ORDER BY KonecCisla DESC LIMIT 1");
    QTest::newRow("numbering kind 0")
        << QStringLiteral("SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS "
                          "KonecCisla FROM FDosle ) AS T1  ORDER BY KonecCisla DESC")
        << QStringLiteral("SELECT KonecCisla FROM ( SELECT DISTINCT substr(Cislo, -(4), 4) AS "
                          "KonecCisla FROM FDosle ) AS T1  ORDER BY KonecCisla DESC LIMIT 1");
    QTest::newRow("lookup by ico")
        << QStringLiteral("SELECT TOP 1 Dodavatel_odberatel, ICO, CisloUctu, SmerovyKod FROM "
                          "FDosle WHERE ICO = '12345678'")
        << QStringLiteral("SELECT Dodavatel_odberatel, ICO, CisloUctu, SmerovyKod FROM FDosle "
                          "WHERE ICO = '12345678' LIMIT 1");
    QTest::newRow("picker")
        << QStringLiteral("SELECT DISTINCT ICO FROM FDosle WHERE ICO <> '' AND (ICO LIKE '%12%')")
        << QStringLiteral("SELECT DISTINCT ICO FROM FDosle WHERE ICO <> '' AND (ICO LIKE '%12%')");
    QTest::newRow("filter worked example")
        << QStringLiteral("SELECT * FROM FDosle  WHERE  (Datum1 >= #2024-01-01#) AND (Datum1 <= "
                          "#2024-01-31#)  AND  Cislo LIKE '%24%'  ORDER BY Id")
        << QStringLiteral("SELECT * FROM FDosle  WHERE  (Datum1 >= '2024-01-01') AND (Datum1 <= "
                          "'2024-01-31')  AND  Cislo LIKE '%24%'  ORDER BY Id");
    QTest::newRow("literals untouched")
        << QStringLiteral("SELECT * FROM FDosle WHERE Poznamka = 'TOP 1 #2024-01-01# Left(a, 1) "
                          "it''s' ORDER BY Id")
        << QStringLiteral("SELECT * FROM FDosle WHERE Poznamka = 'TOP 1 #2024-01-01# Left(a, 1) "
                          "it''s' ORDER BY Id");
    QTest::newRow("no LIMIT inside an unclosed literal")
        << QStringLiteral("SELECT TOP 1 a FROM T WHERE b = 'open")
        << QStringLiteral("SELECT a FROM T WHERE b = 'open");
    QTest::newRow("no LIMIT inside a literal left open in a group")
        << QStringLiteral("SELECT TOP 1 a FROM ( SELECT b FROM T WHERE c = 'x) AS T1")
        << QStringLiteral("SELECT a FROM ( SELECT b FROM T WHERE c = 'x) AS T1");
    QTest::newRow("empty text") << QString() << QString();
    QTest::newRow("date next to literals") << QStringLiteral("SELECT 'a'#2024-01-31#'b'")
                                           << QStringLiteral("SELECT 'a' '2024-01-31' 'b'");
    QTest::newRow("bracketed name next to a literal")
        << QStringLiteral("SELECT [a]\"b\"") << QStringLiteral("SELECT \"a\" \"b\"");
    QTest::newRow("not a date") << QStringLiteral("SELECT #x)# 'a'")
                                << QStringLiteral("SELECT #x)# 'a'");
    QTest::newRow("unclosed date literal")
        << QStringLiteral("SELECT #2024-01-01 'a'") << QStringLiteral("SELECT #2024-01-01 'a'");
    QTest::newRow("bracketed name")
        << QStringLiteral("SELECT [a\"b] FROM T") << QStringLiteral("SELECT \"a\"\"b\" FROM T");
    QTest::newRow("US date literal")
        << QStringLiteral("SELECT #3/5/2015#") << QStringLiteral("SELECT '2015-03-05'");
}

void JetSqlTest::translation() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(translateJetSql(jet), sqlite);
}

void JetSqlTest::results_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QVariantList>("expected"); // first column of every row
    QTest::newRow("Right of a short text is the whole text")
        << QStringLiteral("SELECT Right(Cislo, 4) FROM FDosle WHERE Id = 1")
        << QVariantList{QStringLiteral("A7")};
    QTest::newRow("Left and Len") << QStringLiteral(
                                         "SELECT Left(Cislo, Len('FD_')) FROM FDosle WHERE Id = 2")
                                  << QVariantList{QStringLiteral("FD_")};
    // Text order: the whole short number FD_9 ranks above the ending 0012.
    QTest::newRow("numbering kind 1 picks the greatest ending in text order")
        << QStringLiteral("SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS "
                          "KonecCisla FROM FDosle WHERE Left(Cislo, Len('FD_')) = 'FD_') AS T1  "
                          "ORDER BY KonecCisla DESC")
        << QVariantList{QStringLiteral("FD_9")};
    QTest::newRow("date range includes both end days")
        << QStringLiteral("SELECT Id FROM FDosle WHERE (Datum1 >= #2024-01-01#) AND (Datum1 <= "
                          "#2024-01-31#) ORDER BY Id")
        << QVariantList{qint64(1), qint64(3)};
    QTest::newRow("LIKE ignores case of Czech letters")
        << QStringLiteral(
               "SELECT Id FROM FDosle WHERE Dodavatel_odberatel LIKE '%ŽLUŤ%' ORDER BY Id")
        << QVariantList{qint64(2)};
    QTest::newRow("LIKE wildcards")
        << QStringLiteral("SELECT Id FROM FDosle WHERE Cislo LIKE 'FD__0%' ORDER BY Id")
        << QVariantList{qint64(2)};
    QTest::newRow("SUM over no rows is NULL")
        << QStringLiteral("SELECT SUM(Zaklad) AS CelkemSA FROM FOdeslane ")
        << QVariantList{QVariant()};
    QTest::newRow("SUM is exact") << QStringLiteral("SELECT SUM(Zaklad) AS CelkemSA FROM FDosle ")
                                  << QVariantList{0.3};
    QTest::newRow("literal stays as typed") << QStringLiteral("SELECT 'TOP 1 #2024-01-01#'")
                                            << QVariantList{QStringLiteral("TOP 1 #2024-01-01#")};
}

void JetSqlTest::results() {
    QFETCH(QString, query);
    QFETCH(QVariantList, expected);
    EngineFixture db;
    db.exec(QStringLiteral("INSERT INTO FDosle (Cislo, Dodavatel_odberatel, Zaklad, Datum1) VALUES "
                           "('A7', 'Alfa', 0.1, #2024-01-01#)"));
    db.exec(QStringLiteral("INSERT INTO FDosle (Cislo, Dodavatel_odberatel, Zaklad, Datum1) VALUES "
                           "('FD_0012', 'Žluťoučký kůň s.r.o.', 0.1, #2023-12-31#)"));
    db.exec(QStringLiteral("INSERT INTO FDosle (Cislo, Dodavatel_odberatel, Zaklad, Datum1) VALUES "
                           "('FD_9', 'Beta', 0.1, #2024-01-31#)"));
    engine::QueryResult result;
    QString error;
    QVERIFY2(db.connection.select(query, result, &error), qPrintable(error));
    QVariantList firstColumn;
    for (const auto& row : result.rows)
        firstColumn << row[0];
    QCOMPARE(firstColumn, expected);
}

void JetSqlTest::rejectedQueryReportsEngineText() {
    EngineFixture db;
    engine::QueryResult result;
    QString error;
    QVERIFY(!db.connection.select(QStringLiteral("SELECT * FROM FDosle WHERE Nic = 1"), result,
                                  &error));
    QVERIFY2(error.contains(QLatin1String("no such column: Nic")), qPrintable(error));
}

void JetSqlTest::openRefusesForeignFiles() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
    const QByteArray bytes("Standard Jet DB\0 not ours", 25);
    writeBytes(path, bytes);
    engine::Connection connection;
    QString error;
    QVERIFY(!connection.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                 path + QStringLiteral(";Persist Security Info=False"),
                             &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(path), bytes);
    QVERIFY(!connection.open(dir.filePath(QStringLiteral("missing.mdb")), &error));
}

QTEST_GUILESS_MAIN(JetSqlTest)
#include "test_engine_jetsql.moc"
