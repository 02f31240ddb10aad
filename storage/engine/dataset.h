#pragma once
// A scrollable, updatable row set over an SQL text on the connection.
//
// A book query ("SELECT * FROM T [WHERE ...] ORDER BY Id") takes its rows from the table page
// by page and can change them (pagedidsource.h); any other query is read whole and is
// read-only (wholeresultsource.h).

#include "storage/engine/rowsource.h"

#include <QBitArray>
#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

namespace engine {

class PagedIdSource;

class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Row = RowSource::Row;
    using Bookmark = qint64; // the row's Id (book query) or its index; -1 = none

    explicit DataSet(Connection* connection, QObject* parent = nullptr);
    ~DataSet() override;

    void setCommandText(const QString& jetSql) { commandText_ = jetSql; }
    const QString& commandText() const { return commandText_; }
    bool open();
    void close();
    bool isActive() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEditable() const { return book_ != nullptr; }
    QString tableName() const; // empty for a read-only set
    // Text of the last failure of open, post, delete, a move that had to store a row, or a
    // read of rows.
    const QString& lastError() const { return lastError_; }

    // Rows and position.
    int recordCount() const;
    int recNo() const; // 1-based; -1 while a new row is pending or when there are no rows
    int currentIndex() const { return current_; } // 0-based index of the current stored row
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }

    // Moves first end a pending row (stored when modified, else abandoned); false when that
    // failed, and the cursor stays.
    bool first();
    bool last();
    bool next();
    bool prior();
    bool moveTo(int recNo);
    Bookmark bookmark() const;
    bool gotoBookmark(Bookmark bookmark);

    // Suspends change notifications; the last enable sends one full refresh.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    // Fields.
    const QVector<FieldInfo>& fields() const { return rows_->fields(); }
    int fieldIndex(const QString& name) const; // letter case ignored, -1 when missing
    QVariant value(const QString& field) const;
    QVariant value(int field) const;
    QVariant valueAt(int row, int field) const; // 0-based stored row (grid reads)
    bool isNull(const QString& field) const;
    // Visits the stored values of one field from row `from` (0-based) on, in order, with one
    // query, without moving the cursor or filling the page cache; `visit` returns false to
    // stop. False (lastError) when the database failed.
    bool scanField(int field, int from,
                   const std::function<bool(int row, const QVariant& value)>& visit) const;
    // The same straight from SQLite, for readers of millions of values (exports, search):
    // `columns` are "*" or quoted field names after "Id, ". Each row comes either with the
    // statement on it, or with its values (a row gone meanwhile, a set read whole).
    using StoredVisit = RowSource::StoredVisit;
    bool scanStored(const QString& columns, int from, const StoredVisit& visit) const;
    QString text(const QString& field) const; // plain text form
    double number(const QString& field) const;
    // Assigns in edit or insert state; false (with lastError) otherwise or for an unknown field.
    bool setValue(const QString& field, const QVariant& value);
    // A field was assigned since the row became pending.
    bool isModified() const;
    // While a row is corrected: the row as it was read when the correction began, and the row
    // as the database holds it now (empty when it is gone; false with lastError when the
    // database failed). Another copy of the program may have changed it in between.
    const Row& originalRow() const { return original_; }
    bool storedRow(Row& row);

    void setDisplayFormat(const QString& field, const QString& pattern);
    void setEditFormat(const QString& field, const QString& pattern);
    QString displayFormat(int field) const { return displayFormats_.value(field); }
    QString editFormat(int field) const { return editFormats_.value(field); }
    QString displayText(const QString& field) const;
    QString displayTextAt(int row, int field) const; // row may be recordCount() while inserting
    QString editText(const QString& field) const;

    // Editing (book query only).
    bool append();
    bool edit();
    bool post();
    void cancel();
    bool remove();
    // Ends a pending row: store it when modified, abandon it otherwise.
    bool checkBrowseMode();

    // Hooks. beforePost may refuse (return false); the row then stays pending.
    std::function<void(DataSet&)> afterInsert;
    std::function<bool(DataSet&)> beforePost;
    std::function<void(DataSet&)> afterPost;
    std::function<void(DataSet&)> afterDelete;

signals:
    void stateChanged();       // browse/edit/insert/inactive changed (sent before dataChanged)
    void dataChanged();        // moved, opened, a row changed: counters follow this
    void reset();              // rows replaced wholesale (open, close, refresh)
    void rowInserted(int row); // a pending new row appeared at the end (row = recordCount())
    void rowRemoved(int row);
    void rowUpdated(int row);
    void currentChanged(int row); // current row index (recordCount() for a pending new row)
    void fieldChanged(int field); // a field of the current row was assigned

private:
    Connection* connection_;
    QString commandText_;
    mutable QString lastError_;
    State state_ = State::Inactive;
    std::unique_ptr<RowSource> rows_; // an empty one while closed
    PagedIdSource* book_ = nullptr;   // the same source when its rows can be changed
    int current_ = -1;
    int beforeInsert_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    Row buffer_;
    Row original_;
    QBitArray assigned_; // fields of the pending row set since it became pending
    int disabled_ = 0;
    bool missedNotification_ = false;
    QHash<int, QString> displayFormats_;
    QHash<int, QString> editFormats_;

    bool openSource();
    bool openWhole();
    const Row& rowAt(int row) const;
    void setState(State state);
    bool moveToIndex(int index);
    void notifyMove();
    bool fail(const QString& message) const;
    QString formatValue(const QVariant& value, const QString& pattern) const;
    template <typename Signal, typename... Args> void notify(Signal signal, Args... args);
};

} // namespace engine
