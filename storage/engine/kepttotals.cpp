#include "storage/engine/kepttotals.h"

#include "storage/engine/connection.h"
#include "storage/engine/jetliteral.h"
#include "storage/engine/statement.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace engine {

const QLatin1String keptTotalsTable("lumira_totals");

namespace {

// An amount in whole ten-thousandths, as the translated SUM counts it.
QString units(const QString& value) {
    return QStringLiteral("CAST(round(%1 * 10000) AS INTEGER)").arg(value);
}

QString triggerName(const QString& table, const char* event) {
    return quotedName(keptTotalsTable + u'_' + table + u'_' + QLatin1String(event));
}

bool run(sqlite3* db, const QString& sql, QString* error) {
    Statement statement(db, sql);
    if (statement.run())
        return true;
    if (error)
        *error = statement.error();
    return false;
}

QStringList textColumn(sqlite3* db, const QString& sql) {
    QStringList texts;
    Statement statement(db, sql);
    while (statement.step())
        texts << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    return texts;
}

struct BookTable {
    QString name;
    QStringList amounts;
    QStringList dates;
};

QVector<BookTable> tablesWithAmounts(sqlite3* db) {
    QVector<BookTable> tables;
    const QStringList names = textColumn(
        db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                           "'sqlite?_%' ESCAPE '?' AND name <> '%1'")
                .arg(keptTotalsTable));
    for (const QString& name : names) {
        BookTable table{name, {}, {}};
        Statement columns(
            db,
            QStringLiteral("SELECT name, type FROM pragma_table_info(%1)").arg(jetLiteral(name)));
        while (columns.step()) {
            const auto text = [&](int i) {
                return QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), i)));
            };
            const FieldType type = fieldTypeFromDeclared(text(1), nullptr);
            if (type == FieldType::Currency)
                table.amounts << text(0);
            else if (type == FieldType::Date)
                table.dates << text(0);
        }
        if (!table.amounts.isEmpty())
            tables << table;
    }
    return tables;
}

// For each amount column: "WHEN 'c' THEN expression(c)".
QString perColumn(const QStringList& columns, const std::function<QString(const QString&)>& value) {
    QString cases = QStringLiteral("CASE column_name");
    for (const QString& column : columns)
        cases +=
            QStringLiteral(" WHEN %1 THEN %2").arg(jetLiteral(column), value(quotedName(column)));
    return cases + QStringLiteral(" END");
}

QString counted(const QString& row, const QString& column) {
    return QStringLiteral("(%1.%2 IS NOT NULL)").arg(row, column);
}

QString summed(const QString& row, const QString& column) {
    return QStringLiteral("coalesce(%1, 0)").arg(units(row + u'.' + column));
}

// One UPDATE of the table's totals rows inside a trigger; `change` gives the new value of
// value_count or total from its column name and the old value.
QString totalsUpdate(const BookTable& table, const QString& rowChange, const char* insertSign,
                     const char* deleteSign) {
    const auto both = [&](const std::function<QString(const QString&, const QString&)>& part) {
        return perColumn(table.amounts, [&](const QString& column) {
            QString change;
            if (insertSign)
                change += QLatin1String(insertSign) + part(QStringLiteral("NEW"), column);
            if (deleteSign)
                change += QLatin1String(deleteSign) + part(QStringLiteral("OLD"), column);
            return change;
        });
    };
    return QStringLiteral("UPDATE %1 SET row_count = row_count%2, value_count = value_count + "
                          "(%3), total = total + (%4) WHERE table_name = %5;")
        .arg(keptTotalsTable, rowChange, both(counted), both(summed), jetLiteral(table.name));
}

QStringList triggers(const BookTable& table) {
    const QString on = quotedName(table.name);
    QStringList columns;
    for (const QString& column : table.amounts)
        columns << quotedName(column);
    return {
        QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 BEGIN %3 END")
            .arg(triggerName(table.name, "insert"), on,
                 totalsUpdate(table, QStringLiteral(" + 1"), "+", nullptr)),
        QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON %2 BEGIN %3 END")
            .arg(triggerName(table.name, "delete"), on,
                 totalsUpdate(table, QStringLiteral(" - 1"), nullptr, "-")),
        QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF %2 ON %3 BEGIN %4 END")
            .arg(triggerName(table.name, "update"), columns.join(u','), on,
                 totalsUpdate(table, QString(), "+", "-")),
    };
}

// The totals of the rows stored now, read in one pass over the table.
QString fillTotals(const BookTable& table) {
    QStringList sums;
    QStringList rows;
    for (int i = 0; i < table.amounts.size(); ++i) {
        const QString column = quotedName(table.amounts[i]);
        sums << QStringLiteral("count(%1) AS v%2, coalesce(sum(%3), 0) AS t%2")
                    .arg(column)
                    .arg(i)
                    .arg(units(column));
        rows << QStringLiteral("SELECT %1, %2, n, v%3, t%3 FROM s")
                    .arg(jetLiteral(table.name), jetLiteral(table.amounts[i]))
                    .arg(i);
    }
    return QStringLiteral("WITH s AS MATERIALIZED (SELECT count(*) AS n, %1 FROM %2) INSERT INTO "
                          "%3 (table_name, column_name, row_count, value_count, total) %4")
        .arg(sums.join(QLatin1String(", ")), quotedName(table.name), keptTotalsTable,
             rows.join(QLatin1String(" UNION ALL ")));
}

bool totalsInPlace(sqlite3* db, const BookTable& table) {
    const QStringList kept =
        textColumn(db, QStringLiteral("SELECT column_name FROM %1 WHERE table_name = %2")
                           .arg(keptTotalsTable, jetLiteral(table.name)));
    const QStringList names =
        textColumn(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND "
                                      "tbl_name = %1 AND name LIKE '%2?_%' ESCAPE '?'")
                           .arg(jetLiteral(table.name), keptTotalsTable));
    return names.size() == 3 && kept.size() == table.amounts.size();
}

QStringList upkeep(sqlite3* db, const BookTable& table) {
    QStringList statements;
    for (const QString& column : table.dates)
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                          .arg(quotedName(table.name + u'_' + column), quotedName(table.name),
                               quotedName(column));
    if (totalsInPlace(db, table))
        return statements;
    for (const char* event : {"insert", "delete", "update"})
        statements
            << QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(triggerName(table.name, event));
    statements << QStringLiteral("DELETE FROM %1 WHERE table_name = %2")
                      .arg(keptTotalsTable, jetLiteral(table.name))
               << fillTotals(table) << triggers(table);
    return statements;
}

// Everything a table lacks, in one transaction: the totals never disagree with the rows.
bool upkeepTable(sqlite3* db, const BookTable& table, QString* error) {
    if (!run(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    for (const QString& sql : upkeep(db, table)) {
        if (!run(db, sql, error)) {
            run(db, QStringLiteral("ROLLBACK"), nullptr);
            return false;
        }
    }
    return run(db, QStringLiteral("COMMIT"), error);
}

} // namespace

bool keepTotals(sqlite3* db, KeptTables& kept, QString* error) {
    kept.clear();
    if (!run(db,
             QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (table_name TEXT NOT NULL, column_name "
                            "TEXT NOT NULL, row_count INTEGER NOT NULL, value_count INTEGER NOT "
                            "NULL, total INTEGER NOT NULL, PRIMARY KEY (table_name, column_name)) "
                            "WITHOUT ROWID")
                 .arg(keptTotalsTable),
             error))
        return false;
    for (const BookTable& table : tablesWithAmounts(db)) {
        if (!upkeepTable(db, table, error))
            return false;
        kept.insert(table.name.toLower(), KeptTable{table.name, table.amounts});
    }
    return true;
}

QString keptTotalsQuery(const QString& jetSql, const KeptTables& kept) {
    static const QRegularExpression wholeSum(
        QStringLiteral(
            "^\\s*SELECT\\s+SUM\\s*\\(\\s*(\\w+)\\s*\\)\\s+AS\\s+(\\w+)\\s+FROM\\s+(\\w+)"
            "\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = wholeSum.match(jetSql);
    if (!match.hasMatch())
        return {};
    const auto table = kept.constFind(match.captured(3).toLower());
    if (table == kept.constEnd())
        return {};
    const QString wanted = match.captured(1);
    for (const QString& column : table->amountColumns)
        if (column.compare(wanted, Qt::CaseInsensitive) == 0)
            return QStringLiteral("SELECT CASE WHEN value_count = 0 THEN NULL ELSE total / "
                                  "10000.0 END AS %1 FROM %2 WHERE table_name = %3 AND "
                                  "column_name = %4")
                .arg(quotedName(match.captured(2)), keptTotalsTable, jetLiteral(table->name),
                     jetLiteral(column));
    return {};
}

} // namespace engine
