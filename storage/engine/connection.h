#pragma once
// The single database connection. Accepts the Jet SQL texts the program builds and runs
// them on SQLite after translation (jetsql.h).

#include "storage/engine/kepttotals.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3;

namespace engine {

// Declared kind of a column, taken from its declared type in the table.
enum class FieldType { Integer, Currency, Date, Text, Other };

struct FieldInfo {
    QString name;
    FieldType type = FieldType::Other;
    int maxLength = 0; // VARCHAR(n) limit, 0 = none
};

// Position of a column by name, letter case ignored; -1 when missing.
int fieldIndexIn(const QVector<FieldInfo>& fields, const QString& name);

// A query result read whole: column descriptions and rows of values.
// Values: NULL as an invalid QVariant, integers as qint64, currency as double,
// dates as QDate (QDateTime when a time of day is stored), texts as QString.
struct QueryResult {
    QVector<FieldInfo> fields;
    QVector<QVector<QVariant>> rows;
    int fieldIndex(const QString& name) const; // letter case ignored; -1 when missing
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file named after "Data Source=" in a Jet connection string (or a plain path).
    // Fails with the engine's message when the file is missing or is not an SQLite database;
    // such a file is never written to.
    bool open(const QString& connectionString, QString* error);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Names of tables and views, system tables excluded.
    bool tableNames(QStringList& names, QString* error) const;
    // Runs a statement that returns no rows.
    bool execute(const QString& jetSql, QString* error);
    // Runs a query and reads all of its rows.
    bool select(const QString& jetSql, QueryResult& result, QString* error);

    // Declared columns of a table, in table order.
    bool tableFields(const QString& table, QVector<FieldInfo>& fields, QString* error) const;

    sqlite3* handle() const { return db_; }
    // SQLite text of a Jet text; a sum over a whole table reads the kept totals.
    QString translate(const QString& jetSql) const;

    static QString pathFromConnectionString(const QString& connectionString);

private:
    sqlite3* db_ = nullptr;
    KeptTables kept_;

    void keepTotalsWherePossible();
};

// Value conversions between SQLite storage and the program's values.
FieldType fieldTypeFromDeclared(const QString& declaredType, int* maxLength);

} // namespace engine
