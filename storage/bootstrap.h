#pragma once
// Creates the database file and the two book tables when they are missing, and opens the
// connection. Every failure is shown as a warning; the caller then ends the application.

#include "storage/engine/connection.h"

#include <QString>

QString connectionString(const QString& databasePath);
// The exact CREATE TABLE text of a book table (Jet SQL, translated by the connection).
QString bookTableSql(const QString& table);

// Writes the embedded empty database to path, byte for byte; false when that failed.
bool CreateDatabaseFile(const QString& path);
bool TableExists(engine::Connection& connection, const QString& table);
bool CreateBookTable(engine::Connection& connection, const QString& table);

// The whole bootstrap for a program directory; false after a warning was shown.
bool bootstrapDatabase(engine::Connection& connection, const QString& programDir);
