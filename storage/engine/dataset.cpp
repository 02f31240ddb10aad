#include "storage/engine/dataset.h"

#include "storage/engine/formats.h"
#include "storage/engine/jetliteral.h"
#include "storage/engine/statement.h"
#include "storage/engine/values.h"

#include <QDateTime>
#include <QRegularExpression>
#include <sqlite3.h>

namespace engine {

namespace {

// A page is about half a screen of the grid: a jump to a random row reads little more than it
// shows, and the cache keeps as many rows as before in more, smaller pages.
constexpr int kPageSize = 16;
constexpr int kMaxPages = 1024;

// "SELECT * FROM T [condition] ORDER BY Id": captures the table and the condition.
const QRegularExpression& bookQueryPattern() {
    static const QRegularExpression pattern(
        QStringLiteral(
            "^\\s*SELECT\\s+\\*\\s+FROM\\s+(\\w+)\\s*(\\s+WHERE\\s+.*)?\\s+ORDER\\s+BY\\s+"
            "Id\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

} // namespace

DataSet::DataSet(Connection* connection, QObject* parent)
    : QObject(parent), connection_(connection) {}

DataSet::~DataSet() = default;

template <typename Signal, typename... Args> void DataSet::notify(Signal signal, Args... args) {
    if (disabled_ > 0) {
        missedNotification_ = true;
        return;
    }
    (this->*signal)(args...);
}

bool DataSet::fail(const QString& message) const {
    lastError_ = message;
    return false;
}

bool DataSet::open() {
    close();
    lastError_.clear();
    const auto match = bookQueryPattern().match(commandText_);
    const bool ok = match.hasMatch() ? openBook(match.captured(1), match.captured(2)) : openWhole();
    if (!ok) {
        fields_.clear();
        ids_.clear();
        rows_.clear();
        table_.clear();
        notify(&DataSet::reset);
        return false;
    }
    current_ = recordCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = recordCount() == 0;
    setState(State::Browse);
    notify(&DataSet::reset);
    notifyMove();
    return true;
}

bool DataSet::openBook(const QString& table, const QString& condition) {
    if (!connection_->tableFields(table, fields_, &lastError_))
        return false;
    idField_ = fieldIndex(QStringLiteral("Id"));
    if (idField_ < 0)
        return openWhole();
    Statement statement(connection_->handle(),
                        connection_->translate(QStringLiteral("SELECT Id FROM ") + table + u' ' +
                                               condition + QStringLiteral(" ORDER BY Id")));
    while (statement.step())
        ids_.append(sqlite3_column_int64(statement.get(), 0));
    if (statement.failed() || !statement.ok()) {
        ids_.clear();
        return fail(statement.error());
    }
    table_ = table;
    return true;
}

bool DataSet::openWhole() {
    QueryResult result;
    if (!connection_->select(commandText_, result, &lastError_))
        return false;
    fields_ = result.fields;
    rows_ = result.rows;
    return true;
}

void DataSet::close() {
    if (state_ == State::Inactive)
        return;
    dropCache();
    rangeStatement_.reset();
    idsStatement_.reset();
    ids_.clear();
    rows_.clear();
    table_.clear();
    buffer_.clear();
    modified_ = false;
    current_ = -1;
    eof_ = bof_ = true;
    displayFormats_.clear();
    editFormats_.clear();
    setState(State::Inactive);
    notify(&DataSet::reset);
}

void DataSet::setState(State state) {
    if (state_ == state)
        return;
    state_ = state;
    notify(&DataSet::stateChanged);
}

int DataSet::recordCount() const {
    return table_.isEmpty() ? rows_.size() : ids_.size();
}

int DataSet::recNo() const {
    if (state_ == State::Insert || current_ < 0)
        return -1;
    return current_ + 1;
}

int DataSet::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DataSet::dropCache() {
    pages_.clear();
    pageOrder_.clear();
    lastPage_ = -1;
}

void DataSet::loadPage(int page) const {
    if (pages_.contains(page)) {
        pageOrder_.removeOne(page);
        pageOrder_.append(page);
        return;
    }
    const int start = page * kPageSize;
    const int end = qMin(start + kPageSize, int(ids_.size()));
    const qint64 firstId = ids_[start];
    const qint64 lastId = ids_[end - 1];
    // A dense run of ids is read as one range of the table; a sparse one id by id.
    const bool dense = lastId - firstId < 2 * kPageSize;
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
    statement->reset();
    if (dense) {
        sqlite3_bind_int64(statement->get(), 1, firstId);
        sqlite3_bind_int64(statement->get(), 2, lastId);
    } else {
        for (int i = start; i < end; ++i)
            sqlite3_bind_int64(statement->get(), i - start + 1, ids_[i]);
    }
    Page loaded;
    loaded.rows.reserve(end - start);
    int next = start;
    // Both the ids and the rows come in ascending order: merge them.
    while (next < end && statement->step()) {
        const qint64 id = sqlite3_column_int64(statement->get(), idField_);
        while (next < end && ids_[next] < id)
            loaded.rows.append(missingRow(ids_[next++]));
        if (next < end && ids_[next] == id) {
            Row row(fields_.size());
            for (int f = 0; f < row.size(); ++f)
                row[f] = readColumn(statement->get(), f, fields_[f].type);
            loaded.rows.append(row);
            ++next;
        }
    }
    // A statement left mid-way keeps its read lock, and no other copy could store a row.
    statement->reset();
    while (next < end)
        loaded.rows.append(missingRow(ids_[next++]));
    if (pageOrder_.size() >= kMaxPages)
        pages_.remove(pageOrder_.takeFirst());
    pages_.insert(page, loaded);
    pageOrder_.append(page);
}

// A row deleted by someone else meanwhile shows as empty rather than failing.
DataSet::Row DataSet::missingRow(qint64 id) const {
    Row row(fields_.size());
    row[idField_] = id;
    return row;
}

const DataSet::Row& DataSet::rowAt(int row) const {
    static const Row empty;
    if (row < 0 || row >= recordCount())
        return empty;
    if (table_.isEmpty())
        return rows_[row];
    const int page = row / kPageSize;
    // Reads mostly stay on one page: skip the cache bookkeeping for it.
    if (page != lastPage_ || !pages_.contains(page)) {
        loadPage(page);
        lastPage_ = page;
    }
    return pages_[page].rows[row % kPageSize];
}

QVariant DataSet::valueAt(int row, int field) const {
    if (state_ == State::Insert && row == recordCount())
        return buffer_.value(field);
    if (state_ == State::Edit && row == current_)
        return buffer_.value(field);
    return rowAt(row).value(field);
}

bool DataSet::scanField(int field, int from,
                        const std::function<bool(int row, const QVariant& value)>& visit) const {
    if (field < 0 || field >= fields_.size())
        return true;
    return scanStored(QStringLiteral("Id, ") + quotedName(fields_[field].name), from,
                      [&](int row, sqlite3_stmt* statement, const Row* values) {
                          return visit(row, statement
                                                ? readColumn(statement, 1, fields_[field].type)
                                                : values->value(field));
                      });
}

// One query over the table in id order, merged with the ids of the set: rows stored since the
// opening belong to the set whether or not they meet its condition, rows outside the set are
// passed over.
bool DataSet::scanStored(const QString& columns, int from, const StoredVisit& visit) const {
    if (from < 0 || from >= recordCount())
        return true;
    if (table_.isEmpty()) {
        for (int row = from; row < rows_.size(); ++row)
            if (!visit(row, nullptr, &rows_[row]))
                break;
        return true;
    }
    Statement statement(connection_->handle(),
                        QStringLiteral("SELECT %1 FROM %2 WHERE Id >= ? ORDER BY Id")
                            .arg(columns, quotedName(table_)));
    sqlite3_bind_int64(statement.get(), 1, ids_[from]);
    const int idColumn = columns == QLatin1String("*") ? idField_ : 0;
    const auto gone = [&](int row) {
        const Row values = missingRow(ids_[row]);
        return visit(row, nullptr, &values);
    };
    int row = from;
    while (row < ids_.size() && statement.step()) {
        const qint64 id = sqlite3_column_int64(statement.get(), idColumn);
        for (; row < ids_.size() && ids_[row] < id; ++row)
            if (!gone(row))
                return true;
        if (row < ids_.size() && ids_[row] == id && !visit(row++, statement.get(), nullptr))
            return true;
    }
    return statement.failed() ? fail(statement.error()) : true;
}

QVariant DataSet::value(int field) const {
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_.value(field);
    return current_ < 0 ? QVariant() : rowAt(current_).value(field);
}

QVariant DataSet::value(const QString& field) const {
    return value(fieldIndex(field));
}

bool DataSet::isNull(const QString& field) const {
    const QVariant v = value(field);
    return !v.isValid() || v.isNull();
}

QString DataSet::text(const QString& field) const {
    return plainText(value(field));
}

double DataSet::number(const QString& field) const {
    return value(field).toDouble();
}

bool DataSet::setValue(const QString& field, const QVariant& value) {
    const int index = fieldIndex(field);
    if (index < 0)
        return fail(QStringLiteral("Pole \"%1\" nebylo nalezeno.").arg(field));
    if (state_ != State::Edit && state_ != State::Insert)
        return fail(QStringLiteral("Záznam není v režimu úprav."));
    buffer_[index] = value;
    assigned_.setBit(index);
    modified_ = true;
    notify(&DataSet::fieldChanged, index);
    return true;
}

// Moves.

void DataSet::notifyMove() {
    notify(&DataSet::currentChanged, state_ == State::Insert ? recordCount() : current_);
    notify(&DataSet::dataChanged);
}

bool DataSet::moveToIndex(int index) {
    if (!isActive() || !checkBrowseMode())
        return false;
    const int count = recordCount();
    bof_ = index < 0 || count == 0;
    eof_ = index >= count || count == 0;
    const int target = count == 0 ? -1 : qBound(0, index, count - 1);
    if (target != current_) {
        current_ = target;
        notifyMove();
    }
    return true;
}

bool DataSet::first() {
    if (!moveToIndex(0))
        return false;
    bof_ = true;
    return true;
}

bool DataSet::last() {
    if (!moveToIndex(recordCount() - 1))
        return false;
    eof_ = true;
    return true;
}

// A pending row is ended first: storing a new row makes it current, and the step counts
// from there.
bool DataSet::next() {
    return checkBrowseMode() && moveToIndex(current_ + 1);
}

bool DataSet::prior() {
    return checkBrowseMode() && moveToIndex(current_ - 1);
}

bool DataSet::moveTo(int recNo) {
    if (recNo < 1 || recNo > recordCount())
        return false;
    return moveToIndex(recNo - 1);
}

DataSet::Bookmark DataSet::bookmark() const {
    if (current_ < 0 || state_ == State::Insert)
        return -1;
    return table_.isEmpty() ? current_ : ids_[current_];
}

bool DataSet::gotoBookmark(Bookmark bookmark) {
    if (bookmark < 0)
        return false;
    if (table_.isEmpty())
        return bookmark < rows_.size() && moveToIndex(int(bookmark));
    const auto found = std::lower_bound(ids_.begin(), ids_.end(), bookmark);
    if (found == ids_.end() || *found != bookmark)
        return false;
    return moveToIndex(int(found - ids_.begin()));
}

void DataSet::disableControls() {
    ++disabled_;
}

void DataSet::enableControls() {
    if (disabled_ == 0 || --disabled_ > 0 || !missedNotification_)
        return;
    missedNotification_ = false;
    emit stateChanged();
    emit reset();
    notifyMove();
}

// Formats.

void DataSet::setDisplayFormat(const QString& field, const QString& pattern) {
    const int index = fieldIndex(field);
    if (index >= 0)
        displayFormats_[index] = pattern;
}

void DataSet::setEditFormat(const QString& field, const QString& pattern) {
    const int index = fieldIndex(field);
    if (index >= 0)
        editFormats_[index] = pattern;
}

QString DataSet::formatValue(const QVariant& value, const QString& pattern) const {
    if (!value.isValid() || value.isNull())
        return {};
    if (pattern.isEmpty())
        return plainText(value);
    if (value.typeId() == QMetaType::QDate)
        return formatDate(pattern, value.toDate().startOfDay());
    if (value.typeId() == QMetaType::QDateTime)
        return formatDate(pattern, value.toDateTime());
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    return isNumber ? formatNumber(pattern, number) : plainText(value);
}

QString DataSet::displayText(const QString& field) const {
    const int index = fieldIndex(field);
    return formatValue(value(index), displayFormats_.value(index));
}

QString DataSet::displayTextAt(int row, int field) const {
    return formatValue(valueAt(row, field), displayFormats_.value(field));
}

QString DataSet::editText(const QString& field) const {
    const int index = fieldIndex(field);
    const QString pattern = editFormats_.value(index, displayFormats_.value(index));
    return formatValue(value(index), pattern);
}

// Editing.

bool DataSet::append() {
    if (!isEditable())
        return fail(QStringLiteral("Data nelze upravovat."));
    if (!checkBrowseMode())
        return false;
    beforeInsert_ = current_;
    buffer_ = Row(fields_.size());
    assigned_ = QBitArray(fields_.size());
    modified_ = false;
    setState(State::Insert);
    notify(&DataSet::rowInserted, recordCount());
    notifyMove();
    if (afterInsert)
        afterInsert(*this);
    return true;
}

bool DataSet::edit() {
    if (state_ == State::Edit || state_ == State::Insert)
        return true;
    if (!isEditable() || current_ < 0)
        return fail(QStringLiteral("Data nelze upravovat."));
    buffer_ = rowAt(current_);
    original_ = buffer_;
    assigned_ = QBitArray(fields_.size());
    modified_ = false;
    setState(State::Edit);
    notify(&DataSet::dataChanged);
    return true;
}

bool DataSet::readRow(qint64 id, Row& row) {
    Statement statement(connection_->handle(),
                        QStringLiteral("SELECT * FROM %1 WHERE Id = ?").arg(quotedName(table_)));
    sqlite3_bind_int64(statement.get(), 1, id);
    if (!statement.step())
        return statement.failed() ? fail(statement.error()) : true;
    row = Row(fields_.size());
    for (int f = 0; f < row.size(); ++f)
        row[f] = readColumn(statement.get(), f, fields_[f].type);
    return true;
}

bool DataSet::storedRow(Row& row) {
    row.clear();
    if (state_ != State::Edit)
        return true;
    return readRow(ids_[current_], row);
}

bool DataSet::insertRow() {
    QStringList names;
    QStringList marks;
    QVector<int> columns;
    for (int f = 0; f < fields_.size(); ++f) {
        if (f == idField_ || !assigned_.testBit(f))
            continue;
        names << quotedName(fields_[f].name);
        marks << QStringLiteral("?");
        columns << f;
    }
    const QString sql =
        names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(table_))
                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quotedName(table_), names.join(u','), marks.join(u','));
    Statement statement(connection_->handle(), sql);
    for (int i = 0; i < columns.size(); ++i)
        bindValue(statement.get(), i + 1, buffer_[columns[i]], fields_[columns[i]].type);
    if (!statement.run())
        return fail(statement.error());
    const qint64 id = sqlite3_last_insert_rowid(connection_->handle());
    Row stored = buffer_;
    stored[idField_] = id;
    readRow(id, stored);
    ids_.append(id);
    current_ = ids_.size() - 1;
    const int page = current_ / kPageSize;
    if (pages_.contains(page))
        pages_[page].rows.append(stored);
    return true;
}

bool DataSet::updateRow() {
    QStringList sets;
    QVector<int> columns;
    for (int f = 0; f < fields_.size(); ++f) {
        if (f == idField_ || !assigned_.testBit(f))
            continue;
        sets << quotedName(fields_[f].name) + QStringLiteral(" = ?");
        columns << f;
    }
    if (columns.isEmpty())
        return true;
    Statement statement(
        connection_->handle(),
        QStringLiteral("UPDATE %1 SET %2 WHERE Id = ?").arg(quotedName(table_), sets.join(u',')));
    for (int i = 0; i < columns.size(); ++i)
        bindValue(statement.get(), i + 1, buffer_[columns[i]], fields_[columns[i]].type);
    sqlite3_bind_int64(statement.get(), columns.size() + 1, ids_[current_]);
    if (!statement.run())
        return fail(statement.error());
    // No row changed: another copy of the program deleted it meanwhile.
    if (sqlite3_changes(connection_->handle()) == 0)
        return fail(QStringLiteral("Faktura byla mezitím odstraněna nebo změněna v jiném okně "
                                   "programu. Změny zůstávají neuložené."));
    Row stored = buffer_;
    readRow(ids_[current_], stored);
    const int page = current_ / kPageSize;
    if (pages_.contains(page))
        pages_[page].rows[current_ % kPageSize] = stored;
    return true;
}

bool DataSet::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return true;
    lastError_.clear();
    if (beforePost && !beforePost(*this))
        return false;
    const bool inserting = state_ == State::Insert;
    if (!(inserting ? insertRow() : updateRow()))
        return false;
    buffer_.clear();
    modified_ = false;
    bof_ = eof_ = false;
    setState(State::Browse);
    notify(&DataSet::rowUpdated, current_);
    notifyMove();
    if (afterPost)
        afterPost(*this);
    return true;
}

void DataSet::cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    const bool inserting = state_ == State::Insert;
    buffer_.clear();
    modified_ = false;
    if (inserting)
        current_ = beforeInsert_;
    setState(State::Browse);
    if (inserting)
        notify(&DataSet::rowRemoved, recordCount());
    else
        notify(&DataSet::rowUpdated, current_);
    notifyMove();
}

bool DataSet::remove() {
    if (state_ == State::Insert) {
        cancel();
        return true;
    }
    if (!isEditable() || current_ < 0)
        return fail(QStringLiteral("Není co odstranit."));
    if (state_ == State::Edit)
        cancel();
    Statement statement(connection_->handle(),
                        QStringLiteral("DELETE FROM %1 WHERE Id = ?").arg(quotedName(table_)));
    sqlite3_bind_int64(statement.get(), 1, ids_[current_]);
    if (!statement.run())
        return fail(statement.error());
    const int removed = current_;
    ids_.remove(removed);
    dropCache();
    current_ = ids_.isEmpty() ? -1 : qMin(removed, int(ids_.size()) - 1);
    eof_ = bof_ = ids_.isEmpty();
    notify(&DataSet::rowRemoved, removed);
    notifyMove();
    if (afterDelete)
        afterDelete(*this);
    return true;
}

bool DataSet::checkBrowseMode() {
    if (state_ != State::Edit && state_ != State::Insert)
        return true;
    if (modified_)
        return post();
    cancel();
    return true;
}

} // namespace engine
