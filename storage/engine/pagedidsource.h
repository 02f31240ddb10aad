#pragma once
// The rows of a book ("SELECT * FROM T [WHERE ...] ORDER BY Id") by their ordered ids: only the
// ids are read when the set opens, the rows page by page on demand into a bounded cache, so a
// book of a million rows opens fast and uses little memory. The rows can be changed.

#include "storage/engine/pagecache.h"
#include "storage/engine/rowsource.h"

#include <QBitArray>
#include <memory>

namespace engine {

class Statement;

class PagedIdSource : public RowSource {
public:
    // `idField` is the index of the Id column among the table's `fields`.
    PagedIdSource(Connection* connection, const QString& table, QVector<FieldInfo> fields,
                  int idField);
    ~PagedIdSource() override;

    // Reads the ids of the rows meeting `condition` ("" or " WHERE ...").
    bool readIds(const QString& condition, QString* error);
    const QString& table() const { return table_; }

    const QVector<FieldInfo>& fields() const override { return fields_; }
    int count() const override { return ids_.size(); }
    const Row& row(int index, QString* error) const override;
    // A row is known by its Id.
    qint64 bookmark(int index) const override { return ids_[index]; }
    int indexOf(qint64 bookmark) const override;
    bool scan(const QString& columns, int from, const StoredVisit& visit,
              QString* error) const override;

    // The row as the database holds it now; left as it is when the row is gone.
    bool read(int index, Row& row, QString* error) const;
    // Stores the `assigned` fields of `values` as a new row at the end of the set.
    bool insert(const Row& values, const QBitArray& assigned, QString* error);
    // Stores the `assigned` fields of `values` into the row at `index`.
    bool update(int index, const Row& values, const QBitArray& assigned, QString* error);
    bool remove(int index, QString* error);

private:
    Connection* connection_;
    QString table_;
    QVector<FieldInfo> fields_;
    int idField_;
    QVector<qint64> ids_;
    mutable PageCache cache_;
    mutable std::unique_ptr<Statement> rangeStatement_;
    mutable std::unique_ptr<Statement> idsStatement_;
    mutable QVector<Row> unreadPage_; // the last page that failed to read, not cached

    bool readPage(int page, QVector<Row>& rows, QString* error) const;
    Statement* pageStatement(bool dense, QString* error) const;
    bool readById(qint64 id, Row& row, QString* error) const;
    Row rowOf(sqlite3_stmt* statement) const;
    Row missingRow(qint64 id) const;
    QVector<int> assignedColumns(const QBitArray& assigned) const;
    bool bindAssigned(Statement& statement, const Row& values, const QVector<int>& columns,
                      QString* error) const;
    Row storedAs(qint64 id, const Row& values) const;
};

} // namespace engine
