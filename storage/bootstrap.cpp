#include "storage/bootstrap.h"

#include "storage/engine/savefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// The resource lives in this static library; it must be registered before first use.
static void initStorageResources() {
    Q_INIT_RESOURCE(storage);
}

QString connectionString(const QString& databasePath) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePath +
           QStringLiteral(";Persist Security Info=False");
}

QString bookTableSql(const QString& table) {
    return QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" ") + QStringLiteral("( ") +
           QStringLiteral("Id INT IDENTITY (1, 1) NOT FOR REPLICATION PRIMARY KEY, ") +
           QStringLiteral("Cislo VARCHAR(20) NOT NULL, ") +
           QStringLiteral("Dodavatel_odberatel VARCHAR(100), ") +
           QStringLiteral("ICO VARCHAR(8), ") + QStringLiteral("CisloUctu VARCHAR(17), ") +
           QStringLiteral("SmerovyKod VARCHAR(4), ") +
           QStringLiteral("Specifikace VARCHAR(100), ") +
           QStringLiteral("VariabilniSymbol VARCHAR(10), ") +
           QStringLiteral("Zaklad CURRENCY DEFAULT 0, ") +
           QStringLiteral("SazbaDPH INT DEFAULT 0, ") + QStringLiteral("DPH CURRENCY DEFAULT 0, ") +
           QStringLiteral("Celkem CURRENCY DEFAULT 0, ") + QStringLiteral("Datum1 DateTime, ") +
           QStringLiteral("Datum2 DateTime, ") + QStringLiteral("Datum3 DateTime, ") +
           QStringLiteral("Poznamka VARCHAR(100) ") + QStringLiteral(");");
}

bool CreateDatabaseFile(const QString& path) {
    initStorageResources();
    QFile resource(QStringLiteral(":/DATABAZE"));
    if (!resource.open(QIODevice::ReadOnly))
        return false;
    // Written whole or not at all: a half-written file would block every later start.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString error;
    return engine::writeAll(file, resource.readAll()) && engine::commitAll(file, error);
}

bool TableExists(engine::Connection& connection, const QString& table) {
    QStringList names;
    if (!connection.tableNames(names, nullptr))
        return false;
    return names.contains(table, Qt::CaseInsensitive);
}

bool CreateBookTable(engine::Connection& connection, const QString& table) {
    return connection.execute(bookTableSql(table), nullptr);
}

namespace {

BootstrapResult ensureTable(engine::Connection& connection, const QString& table) {
    if (TableExists(connection, table) || CreateBookTable(connection, table))
        return {};
    return {QStringLiteral("Upozornění"),
            QStringLiteral("Databáze neobsahuje tabulku \"%1\" a pokus o založení této tabulky se "
                           "nezdařil. Aplikace bude ukončena. Kontaktujte autora programu.")
                .arg(table)};
}

} // namespace

BootstrapResult bootstrapDatabase(engine::Connection& connection, const QString& programDir) {
    const QString path = programDir + QStringLiteral("Lumira.mdb");
    if (!QFileInfo::exists(path)) {
        CreateDatabaseFile(path);
        if (!QFileInfo::exists(path))
            return {QString(), QStringLiteral("Nebyl nalezen soubor databáze \"") + path +
                                   QStringLiteral("\" a pokus o jeho nové založení selhal.") +
                                   QStringLiteral("\r\n") +
                                   QStringLiteral("Aplikace bude ukončena.")};
    }
    if (!connection.open(connectionString(path), nullptr))
        return {QString(), QStringLiteral("Selhalo připojení k databázi. Aplikace bude ukončena.")};
    QCoreApplication::processEvents();
    if (BootstrapResult received = ensureTable(connection, QStringLiteral("FDosle")); !received)
        return received;
    return ensureTable(connection, QStringLiteral("FOdeslane"));
}
