#pragma once
// Translation of the Jet SQL texts the program builds into SQLite SQL. Quoted literals are
// never rewritten; only the constructs Jet and SQLite spell differently are changed.

#include <QSet>
#include <QString>

namespace engine {

// Columns whose SUM is computed exactly in ten-thousandths (the currency columns).
const QSet<QString>& defaultCurrencyColumns();

QString translateJetSql(const QString& jetSql,
                        const QSet<QString>& currencyColumns = defaultCurrencyColumns());

} // namespace engine
