#pragma once
// Creates the database file and the two book tables when they are missing, and opens the
// connection. A failure comes back as the warning the start-up shows before it ends the
// application.

#include "storage/engine/connection.h"

#include <QString>

QString connectionString(const QString& databasePath);
// The exact CREATE TABLE text of a book table (Jet SQL, translated by the connection).
QString bookTableSql(const QString& table);

// Writes the embedded empty database to path, byte for byte; false when that failed.
bool CreateDatabaseFile(const QString& path);
bool TableExists(engine::Connection& connection, const QString& table);
bool CreateBookTable(engine::Connection& connection, const QString& table);

// How the bootstrap ended: true, or false with the warning to show (an empty caption stands
// for the application title).
struct BootstrapResult {
    QString caption;
    QString warning;
    explicit operator bool() const { return warning.isEmpty(); }
};

// The whole bootstrap for a program directory.
BootstrapResult bootstrapDatabase(engine::Connection& connection, const QString& programDir);
