#include "storage/books.h"
#include "storage/bootstrap.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList columnsOf(engine::Connection& connection, const QString& table) {
    QVector<engine::FieldInfo> fields;
    connection.tableFields(table, fields, nullptr);
    QStringList names;
    for (const auto& f : fields)
        names << f.name;
    return names;
}

const QString kTableWarning =
    QStringLiteral("Databáze neobsahuje tabulku \"%1\" a pokus o založení této tabulky se "
                   "nezdařil. Aplikace bude ukončena. Kontaktujte autora programu.");

} // namespace

class BootstrapTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesTemplateThenTables();
    void missingSecondTableIsAddedAndRowsKept();
    void tableNamesIgnoreLetterCase();
    void foreignFileIsLeftUntouched();
    void uncreatableFileShowsFullPath();
    void failedTableCreation();
};

void BootstrapTest::firstStartWritesTemplateThenTables() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
    QVERIFY(CreateDatabaseFile(path));
    QCOMPARE(fileBytes(path), fileBytes(QStringLiteral(LUMIRA_SOURCE_DIR "/resources/empty.mdb")));
    QFile::remove(path);

    engine::Connection connection;
    const BootstrapResult result = bootstrapDatabase(connection, dir.path() + u'/');
    QVERIFY(result);
    QCOMPARE(result.warning, QString());
    const QStringList& expected = invoiceColumns();
    QCOMPARE(columnsOf(connection, QStringLiteral("FDosle")), expected);
    QCOMPARE(columnsOf(connection, QStringLiteral("FOdeslane")), expected);
    // The identity starts at 1 and never reuses a number.
    QVERIFY(connection.execute(QStringLiteral("INSERT INTO FDosle (Cislo) VALUES ('a')"), nullptr));
    QVERIFY(connection.execute(QStringLiteral("DELETE FROM FDosle"), nullptr));
    QVERIFY(connection.execute(QStringLiteral("INSERT INTO FDosle (Cislo) VALUES ('b')"), nullptr));
    engine::QueryResult ids;
    QVERIFY(connection.select(QStringLiteral("SELECT Id FROM FDosle"), ids, nullptr));
    QCOMPARE(ids.rows[0][0].toInt(), 2);
}

void BootstrapTest::missingSecondTableIsAddedAndRowsKept() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
    QVERIFY(CreateDatabaseFile(path));
    {
        engine::Connection connection;
        QVERIFY(connection.open(path, nullptr));
        QVERIFY(CreateBookTable(connection, QStringLiteral("FDosle")));
        QVERIFY(connection.execute(QStringLiteral("INSERT INTO FDosle (Cislo) VALUES ('FD_0001')"),
                                   nullptr));
        QVERIFY(!TableExists(connection, QStringLiteral("FOdeslane")));
    }
    engine::Connection connection;
    QVERIFY(bootstrapDatabase(connection, dir.path() + u'/'));
    QVERIFY(TableExists(connection, QStringLiteral("FOdeslane")));
    engine::QueryResult rows;
    QVERIFY(connection.select(QStringLiteral("SELECT Cislo FROM FDosle"), rows, nullptr));
    QCOMPARE(rows.rows.size(), 1);
    QCOMPARE(rows.rows[0][0].toString(), QStringLiteral("FD_0001"));
}

void BootstrapTest::tableNamesIgnoreLetterCase() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
    QVERIFY(CreateDatabaseFile(path));
    engine::Connection connection;
    QVERIFY(connection.open(path, nullptr));
    QVERIFY(connection.execute(QStringLiteral("CREATE TABLE fdosle (Id INTEGER, Cislo TEXT)"),
                               nullptr));
    QVERIFY(TableExists(connection, QStringLiteral("FDosle")));
    QVERIFY(!TableExists(connection, QStringLiteral("sqlite_master")));
    connection.close();
    QVERIFY(bootstrapDatabase(connection, dir.path() + u'/'));
    QStringList names;
    QVERIFY(connection.tableNames(names, nullptr));
    QVERIFY(names.contains(QStringLiteral("fdosle")));
    QVERIFY(!names.contains(QStringLiteral("FDosle")));
}

void BootstrapTest::foreignFileIsLeftUntouched() {
    for (const QByteArray& bytes :
         {QByteArray("Standard Jet DB\0\x01\x02\x03", 19), QByteArray(), QByteArray(5000, 'x')}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
        writeBytes(path, bytes);
        engine::Connection connection;
        const BootstrapResult result = bootstrapDatabase(connection, dir.path() + u'/');
        QVERIFY(!result);
        // No caption of its own: the warning box shows the application title.
        QCOMPARE(result.caption, QString());
        QCOMPARE(result.warning,
                 QStringLiteral("Selhalo připojení k databázi. Aplikace bude ukončena."));
        QCOMPARE(fileBytes(path), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Lumira.mdb")});
    }
}

void BootstrapTest::uncreatableFileShowsFullPath() {
    QTemporaryDir dir;
    // A program folder below a plain file cannot hold anything, whoever runs the test.
    writeBytes(dir.filePath(QStringLiteral("file")), "x");
    const QString programDir = dir.filePath(QStringLiteral("file/sub/"));
    engine::Connection connection;
    const BootstrapResult result = bootstrapDatabase(connection, programDir);
    QVERIFY(!result);
    QCOMPARE(result.caption, QString());
    QCOMPARE(result.warning, QStringLiteral("Nebyl nalezen soubor databáze \"") + programDir +
                                 QStringLiteral("Lumira.mdb\" a pokus o jeho nové založení "
                                                "selhal.\r\nAplikace bude ukončena."));
}

void BootstrapTest::failedTableCreation() {
    // An index of the same name makes CREATE TABLE fail while the table is still missing.
    for (const QString& table : {QStringLiteral("FDosle"), QStringLiteral("FOdeslane")}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Lumira.mdb"));
        QVERIFY(CreateDatabaseFile(path));
        {
            engine::Connection connection;
            QVERIFY(connection.open(path, nullptr));
            QVERIFY(
                connection.execute(QStringLiteral("CREATE TABLE Pomocna (x INTEGER)"), nullptr));
            QVERIFY(connection.execute(QStringLiteral("CREATE INDEX %1 ON Pomocna (x)").arg(table),
                                       nullptr));
        }
        engine::Connection connection;
        const BootstrapResult result = bootstrapDatabase(connection, dir.path() + u'/');
        QVERIFY(!result);
        QCOMPARE(result.caption, QStringLiteral("Upozornění"));
        QCOMPARE(result.warning, kTableWarning.arg(table));
        // A table created before the failure stays.
        QCOMPARE(TableExists(connection, QStringLiteral("FDosle")), table == "FOdeslane");
    }
}

QTEST_MAIN(BootstrapTest)
#include "test_storage_bootstrap.moc"
