#include "storage/engine/pagedidsource.h"

#include "storage/engine/jetliteral.h"
#include "storage/engine/statement.h"
#include "storage/engine/values.h"

#include <QStringList>
#include <sqlite3.h>

namespace engine {

namespace {

// A page is about half a screen of the grid: a jump to a random row reads little more than it
// shows, and the cache keeps as many rows as before in more, smaller pages.
constexpr int kPageSize = 16;
constexpr int kMaxPages = 1024;

// An id parameter cannot fail to bind: its mark is counted in the same text, and a statement
// that did not prepare reports that at its first step.
void bindId(Statement& statement, int index, qint64 id) {
    sqlite3_bind_int64(statement.get(), index, id);
}

} // namespace

PagedIdSource::PagedIdSource(Connection* connection, const QString& table,
                             QVector<FieldInfo> fields, int idField)
    : connection_(connection), table_(table), fields_(std::move(fields)), idField_(idField),
      cache_(kPageSize, kMaxPages) {}

PagedIdSource::~PagedIdSource() = default;

bool PagedIdSource::readIds(const QString& condition, QString* error) {
    Statement statement(connection_->handle(),
                        connection_->translate(QStringLiteral("SELECT Id FROM ") + table_ + u' ' +
                                               condition + QStringLiteral(" ORDER BY Id")));
    while (statement.step())
        ids_.append(sqlite3_column_int64(statement.get(), 0));
    if (!statement.failed())
        return true;
    ids_.clear();
    *error = statement.error();
    return false;
}

int PagedIdSource::indexOf(qint64 bookmark) const {
    const auto found = std::lower_bound(ids_.begin(), ids_.end(), bookmark);
    return found == ids_.end() || *found != bookmark ? -1 : int(found - ids_.begin());
}

const PagedIdSource::Row& PagedIdSource::row(int index, QString* error) const {
    if (const Row* held = cache_.find(index))
        return *held;
    const int page = cache_.pageOf(index);
    QVector<Row> rows;
    if (!readPage(page, rows, error)) {
        // Not cached, so that the next read tries again.
        unreadPage_ = std::move(rows);
        return unreadPage_[index % kPageSize];
    }
    cache_.keep(page, std::move(rows));
    return *cache_.find(index);
}

Statement* PagedIdSource::pageStatement(bool dense, QString* error) const {
    std::unique_ptr<Statement>& statement = dense ? rangeStatement_ : idsStatement_;
    if (!statement) {
        const QString sql =
            dense
                ? QStringLiteral("SELECT * FROM %1 WHERE Id BETWEEN ? AND ? ORDER BY Id")
                      .arg(quotedName(table_))
                : QStringLiteral("SELECT * FROM %1 WHERE Id IN (%2) ORDER BY Id")
                      .arg(quotedName(table_), QStringLiteral("?,").repeated(kPageSize - 1) + u'?');
        statement = std::make_unique<Statement>(connection_->handle(), sql);
    }
    if (statement->ok())
        return statement.get();
    *error = statement->error();
    statement.reset(); // prepared again next time
    return nullptr;
}

// Rows gone meanwhile, and all of them when the database failed, come as missing rows.
bool PagedIdSource::readPage(int page, QVector<Row>& rows, QString* error) const {
    const int start = page * kPageSize;
    const int end = qMin(start + kPageSize, count());
    const qint64 firstId = ids_[start];
    const qint64 lastId = ids_[end - 1];
    // A dense run of ids is read as one range of the table; a sparse one id by id.
    const bool dense = lastId - firstId < 2 * kPageSize;
    rows.reserve(end - start);
    int next = start;
    bool failed = false;
    if (Statement* statement = pageStatement(dense, error)) {
        statement->reset();
        if (dense) {
            bindId(*statement, 1, firstId);
            bindId(*statement, 2, lastId);
        } else {
            for (int i = start; i < end; ++i)
                bindId(*statement, i - start + 1, ids_[i]);
        }
        // Both the ids and the rows come in ascending order: merge them.
        while (next < end && statement->step()) {
            const qint64 id = sqlite3_column_int64(statement->get(), idField_);
            while (next < end && ids_[next] < id)
                rows.append(missingRow(ids_[next++]));
            if (next < end && ids_[next] == id) {
                rows.append(rowOf(statement->get()));
                ++next;
            }
        }
        failed = statement->failed();
        if (failed)
            *error = statement->error();
        // A statement left mid-way keeps its read lock, and no other copy could store a row.
        statement->reset();
    } else {
        failed = true;
    }
    while (next < end)
        rows.append(missingRow(ids_[next++]));
    return !failed;
}

PagedIdSource::Row PagedIdSource::rowOf(sqlite3_stmt* statement) const {
    Row row(fields_.size());
    for (int f = 0; f < row.size(); ++f)
        row[f] = readColumn(statement, f, fields_[f].type);
    return row;
}

// A row deleted by someone else meanwhile shows as empty rather than failing.
PagedIdSource::Row PagedIdSource::missingRow(qint64 id) const {
    Row row(fields_.size());
    row[idField_] = id;
    return row;
}

// One query over the table in id order, merged with the ids of the set: rows stored since the
// opening belong to the set whether or not they meet its condition, rows outside the set are
// passed over.
bool PagedIdSource::scan(const QString& columns, int from, const StoredVisit& visit,
                         QString* error) const {
    Statement statement(connection_->handle(),
                        QStringLiteral("SELECT %1 FROM %2 WHERE Id >= ? ORDER BY Id")
                            .arg(columns, quotedName(table_)));
    bindId(statement, 1, ids_[from]);
    const int idColumn = columns == QLatin1String("*") ? idField_ : 0;
    const auto gone = [&](int row) {
        const Row values = missingRow(ids_[row]);
        return visit(row, nullptr, &values);
    };
    int row = from;
    while (row < count() && statement.step()) {
        const qint64 id = sqlite3_column_int64(statement.get(), idColumn);
        for (; row < count() && ids_[row] < id; ++row)
            if (!gone(row))
                return true;
        if (row < count() && ids_[row] == id && !visit(row++, statement.get(), nullptr))
            return true;
    }
    if (!statement.failed())
        return true;
    *error = statement.error();
    return false;
}

bool PagedIdSource::read(int index, Row& row, QString* error) const {
    return readById(ids_[index], row, error);
}

bool PagedIdSource::readById(qint64 id, Row& row, QString* error) const {
    Statement statement(connection_->handle(),
                        QStringLiteral("SELECT * FROM %1 WHERE Id = ?").arg(quotedName(table_)));
    bindId(statement, 1, id);
    if (statement.step()) {
        row = rowOf(statement.get());
        return true;
    }
    if (!statement.failed())
        return true;
    *error = statement.error();
    return false;
}

QVector<int> PagedIdSource::assignedColumns(const QBitArray& assigned) const {
    QVector<int> columns;
    for (int f = 0; f < fields_.size(); ++f)
        if (f != idField_ && assigned.testBit(f))
            columns << f;
    return columns;
}

bool PagedIdSource::bindAssigned(Statement& statement, const Row& values,
                                 const QVector<int>& columns, QString* error) const {
    if (!statement.ok()) {
        *error = statement.error();
        return false;
    }
    for (int i = 0; i < columns.size(); ++i) {
        const int f = columns[i];
        if (bindValue(statement.get(), i + 1, values[f], fields_[f].type) != SQLITE_OK) {
            *error = engineError(connection_->handle());
            return false;
        }
    }
    return true;
}

// The row as stored, read back for the values the database gave it (defaults, rounding). The
// row is stored whatever that read does, so a failed read leaves the values as they were sent
// rather than failing the store.
PagedIdSource::Row PagedIdSource::storedAs(qint64 id, const Row& values) const {
    Row stored = values;
    stored[idField_] = id;
    QString unused;
    readById(id, stored, &unused);
    return stored;
}

bool PagedIdSource::insert(const Row& values, const QBitArray& assigned, QString* error) {
    const QVector<int> columns = assignedColumns(assigned);
    QStringList names;
    for (int f : columns)
        names << quotedName(fields_[f].name);
    const QString sql =
        names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(table_))
                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quotedName(table_), names.join(u','),
                                   QStringLiteral("?,").repeated(columns.size() - 1) + u'?');
    Statement statement(connection_->handle(), sql);
    if (!bindAssigned(statement, values, columns, error))
        return false;
    if (!statement.run()) {
        *error = statement.error();
        return false;
    }
    const qint64 id = sqlite3_last_insert_rowid(connection_->handle());
    ids_.append(id);
    cache_.append(count() - 1, storedAs(id, values));
    return true;
}

bool PagedIdSource::update(int index, const Row& values, const QBitArray& assigned,
                           QString* error) {
    const QVector<int> columns = assignedColumns(assigned);
    if (columns.isEmpty())
        return true;
    QStringList sets;
    for (int f : columns)
        sets << quotedName(fields_[f].name) + QStringLiteral(" = ?");
    Statement statement(
        connection_->handle(),
        QStringLiteral("UPDATE %1 SET %2 WHERE Id = ?").arg(quotedName(table_), sets.join(u',')));
    if (!bindAssigned(statement, values, columns, error))
        return false;
    bindId(statement, columns.size() + 1, ids_[index]);
    if (!statement.run()) {
        *error = statement.error();
        return false;
    }
    // No row changed: another copy of the program deleted it meanwhile.
    if (sqlite3_changes(connection_->handle()) == 0) {
        *error = QStringLiteral("Faktura byla mezitím odstraněna nebo změněna v jiném okně "
                                "programu. Změny zůstávají neuložené.");
        return false;
    }
    cache_.replace(index, storedAs(ids_[index], values));
    return true;
}

bool PagedIdSource::remove(int index, QString* error) {
    Statement statement(connection_->handle(),
                        QStringLiteral("DELETE FROM %1 WHERE Id = ?").arg(quotedName(table_)));
    bindId(statement, 1, ids_[index]);
    if (!statement.run()) {
        *error = statement.error();
        return false;
    }
    ids_.remove(index);
    cache_.remove(index);
    return true;
}

} // namespace engine
