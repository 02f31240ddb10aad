#pragma once
// Where the rows of a data set come from: the ordered ids of a book read page by page
// (PagedIdSource), or the whole result of any other query (WholeResultSource). The data set
// picks one when it opens and asks it for rows without knowing which it is.

#include "storage/engine/connection.h"

#include <QVariant>
#include <QVector>
#include <functional>

struct sqlite3_stmt;

namespace engine {

class RowSource {
public:
    using Row = QVector<QVariant>;
    // One visited row: either with the statement on it, or with its values.
    using StoredVisit = std::function<bool(int row, sqlite3_stmt* statement, const Row* values)>;

    virtual ~RowSource() = default;

    virtual const QVector<FieldInfo>& fields() const = 0;
    virtual int count() const = 0;
    // The row at 0 <= index < count(). A failed read shows the row empty and leaves the
    // engine's message in `error`.
    virtual const Row& row(int index, QString* error) const = 0;
    // What identifies a row for as long as the set is open, and its index again (-1 if none).
    virtual qint64 bookmark(int index) const = 0;
    virtual int indexOf(qint64 bookmark) const = 0;
    // Visits the rows from `from` on in order until `visit` returns false; `columns` are "*" or
    // quoted field names after "Id, ". False (with `error`) when the database failed.
    virtual bool scan(const QString& columns, int from, const StoredVisit& visit,
                      QString* error) const = 0;
};

} // namespace engine
