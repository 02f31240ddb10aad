#pragma once
// Conversion between SQLite's stored values and the program's values.
// Dates are stored as ISO text, amounts as numbers exact to four decimals.

#include "storage/engine/connection.h"

#include <QVariant>

struct sqlite3_stmt;

namespace engine {

QVariant readColumn(sqlite3_stmt* statement, int column, FieldType type);
// Binds a value for a column of the given type (1-based parameter index).
int bindValue(sqlite3_stmt* statement, int index, const QVariant& value, FieldType type);

// Rounds an amount to the four decimals the database keeps.
double roundCurrency(double value);

QVector<FieldInfo> statementFields(sqlite3_stmt* statement);

} // namespace engine
