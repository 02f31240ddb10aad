#pragma once
// What the engine adds to every table that has amount columns, so that the books stay fast at a
// million rows:
// - the table "lumira_totals": per table and amount column, the row count, the count of
//   non-NULL values and their exact sum in whole ten-thousandths, kept by triggers inside the
//   transaction of every insert, update and delete (also those of other programs);
// - an index on every date column, so that a date condition reads only its range.
// A sum over a whole table is then read from the kept totals instead of scanning the table.

#include <QHash>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace engine {

extern const QLatin1String keptTotalsTable;

// Tables with kept totals, by lower-case name: the table's own name and its amount columns.
struct KeptTable {
    QString name;
    QStringList amountColumns;
};
using KeptTables = QHash<QString, KeptTable>;

// Adds what is missing (the totals, filled in one pass, their triggers, the date indexes) to
// every table with amount columns, each table in one transaction, and lists the tables whose
// totals are kept. False with the engine's message when the database refused.
bool keepTotals(sqlite3* db, KeptTables& kept, QString* error);

// The query reading "SELECT SUM(column) AS alias FROM table" from the kept totals, with exactly
// the value the sum gives (NULL over no values); an empty text for any other query.
QString keptTotalsQuery(const QString& jetSql, const KeptTables& kept);

} // namespace engine
