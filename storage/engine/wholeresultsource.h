#pragma once
// The rows of a query read whole when the set opens; read-only.

#include "storage/engine/rowsource.h"

namespace engine {

class WholeResultSource : public RowSource {
public:
    WholeResultSource() = default;
    explicit WholeResultSource(QueryResult result) : result_(std::move(result)) {}

    const QVector<FieldInfo>& fields() const override { return result_.fields; }
    int count() const override { return result_.rows.size(); }
    const Row& row(int index, QString*) const override { return result_.rows[index]; }
    // A row is known by its index.
    qint64 bookmark(int index) const override { return index; }
    int indexOf(qint64 bookmark) const override;
    bool scan(const QString& columns, int from, const StoredVisit& visit,
              QString* error) const override;

private:
    QueryResult result_;
};

} // namespace engine
