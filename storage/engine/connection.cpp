#include "storage/engine/connection.h"

#include "storage/engine/jetliteral.h"
#include "storage/engine/jetsql.h"
#include "storage/engine/likematch.h"
#include "storage/engine/statement.h"
#include "storage/engine/values.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace engine {

int fieldIndexIn(const QVector<FieldInfo>& fields, const QString& name) {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int QueryResult::fieldIndex(const QString& name) const {
    return fieldIndexIn(fields, name);
}

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

QString Connection::pathFromConnectionString(const QString& connectionString) {
    static const QLatin1String key("Data Source=");
    const int at = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0)
        return connectionString;
    const int start = at + key.size();
    const int end = connectionString.indexOf(u';', start);
    return connectionString.mid(start, end < 0 ? -1 : end - start);
}

namespace {

// Only a file that already carries SQLite's header is opened: anything else stays untouched.
bool checkDatabaseFile(const QString& path, QString* error) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("Soubor databáze \"%1\" neexistuje.").arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Soubor databáze \"%1\" nelze otevřít: %2")
                     .arg(path, file.errorString());
        return false;
    }
    if (file.read(16) != QByteArray("SQLite format 3", 16)) {
        *error = QStringLiteral("Soubor \"%1\" není databáze programu.").arg(path);
        return false;
    }
    return true;
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

bool Connection::open(const QString& connectionString, QString* error) {
    close();
    QString message;
    const QString path = pathFromConnectionString(connectionString);
    if (!checkDatabaseFile(path, &message)) {
        setError(error, message);
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    // One thread uses the connection: no mutex around every call (exports make millions).
    if (sqlite3_open_v2(name.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        setError(error, engineError(db_));
        close();
        return false;
    }
    // A second copy of the program on the same folder waits for the other's write.
    sqlite3_busy_timeout(db_, 15000);
    registerLike(db_);
    // Every stored row must survive a crash or power loss: full sync. The write-ahead log lets
    // the other copy store rows while this one reads for a long time (an export).
    // Reading the schema turns a damaged file into an error here rather than later.
    QueryResult schema;
    if (!execute(QStringLiteral("PRAGMA journal_mode = WAL"), &message) ||
        !execute(QStringLiteral("PRAGMA synchronous = FULL"), &message) ||
        !select(QStringLiteral("SELECT count(*) FROM sqlite_master"), schema, &message)) {
        setError(error, message);
        close();
        return false;
    }
    keepTotalsWherePossible();
    return true;
}

// A file that cannot take the totals now (full disk, read-only medium) still works: its sums
// are then computed over the rows, as exact, only slower.
void Connection::keepTotalsWherePossible() {
    if (!keepTotals(db_, kept_, nullptr))
        kept_.clear();
}

void Connection::close() {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
    kept_.clear();
}

QString Connection::translate(const QString& jetSql) const {
    const QString fromTotals = keptTotalsQuery(jetSql, kept_);
    return fromTotals.isEmpty() ? translateJetSql(jetSql) : fromTotals;
}

bool Connection::tableNames(QStringList& names, QString* error) const {
    // The kept totals are the engine's own, like SQLite's tables.
    Statement statement(db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type IN "
                                            "('table', 'view') AND name NOT LIKE 'sqlite?_%' "
                                            "ESCAPE '?' AND name <> '%1' ORDER BY name")
                                 .arg(keptTotalsTable));
    names.clear();
    while (statement.step())
        names << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    if (statement.failed()) {
        setError(error, statement.error());
        return false;
    }
    return true;
}

bool Connection::execute(const QString& jetSql, QString* error) {
    const QString sql = translate(jetSql);
    Statement statement(db_, sql);
    if (!statement.run()) {
        setError(error, statement.error());
        return false;
    }
    // A new table gets its totals and indexes at once, not only at the next start.
    if (sql.trimmed().startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive))
        keepTotalsWherePossible();
    return true;
}

bool Connection::select(const QString& jetSql, QueryResult& result, QString* error) {
    result = QueryResult();
    Statement statement(db_, translate(jetSql));
    if (!statement.ok()) {
        setError(error, statement.error());
        return false;
    }
    result.fields = statementFields(statement.get());
    while (statement.step()) {
        QVector<QVariant> row(result.fields.size());
        for (int i = 0; i < row.size(); ++i)
            row[i] = readColumn(statement.get(), i, result.fields[i].type);
        result.rows.append(row);
    }
    if (statement.failed()) {
        setError(error, statement.error());
        return false;
    }
    return true;
}

bool Connection::tableFields(const QString& table, QVector<FieldInfo>& fields,
                             QString* error) const {
    fields.clear();
    Statement statement(db_, QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(table)));
    while (statement.step()) {
        FieldInfo info;
        info.name = QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1)));
        info.type = fieldTypeFromDeclared(QString::fromUtf8(reinterpret_cast<const char*>(
                                              sqlite3_column_text(statement.get(), 2))),
                                          &info.maxLength);
        fields.append(info);
    }
    if (statement.failed() || fields.isEmpty()) {
        setError(error, statement.failed() ? statement.error()
                                           : QStringLiteral("Tabulka %1 neexistuje.").arg(table));
        return false;
    }
    return true;
}

} // namespace engine
