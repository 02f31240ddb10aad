#include "storage/engine/dataset.h"

#include "storage/engine/formats.h"
#include "storage/engine/jetliteral.h"
#include "storage/engine/pagedidsource.h"
#include "storage/engine/values.h"
#include "storage/engine/wholeresultsource.h"

#include <QDateTime>
#include <QRegularExpression>

namespace engine {

namespace {

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
    : QObject(parent), connection_(connection), rows_(std::make_unique<WholeResultSource>()) {}

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
    if (!openSource()) {
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

// A book query over a table with an Id is paged and editable; anything else is read whole.
bool DataSet::openSource() {
    const auto match = bookQueryPattern().match(commandText_);
    if (!match.hasMatch())
        return openWhole();
    const QString table = match.captured(1);
    QVector<FieldInfo> fields;
    if (!connection_->tableFields(table, fields, &lastError_))
        return false;
    const int idField = fieldIndexIn(fields, QStringLiteral("Id"));
    if (idField < 0)
        return openWhole();
    auto book = std::make_unique<PagedIdSource>(connection_, table, fields, idField);
    if (!book->readIds(match.captured(2), &lastError_))
        return false;
    book_ = book.get();
    rows_ = std::move(book);
    return true;
}

bool DataSet::openWhole() {
    QueryResult result;
    if (!connection_->select(commandText_, result, &lastError_))
        return false;
    rows_ = std::make_unique<WholeResultSource>(std::move(result));
    return true;
}

void DataSet::close() {
    if (state_ == State::Inactive)
        return;
    rows_ = std::make_unique<WholeResultSource>();
    book_ = nullptr;
    buffer_.clear();
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

QString DataSet::tableName() const {
    return book_ ? book_->table() : QString();
}

int DataSet::recordCount() const {
    return rows_->count();
}

int DataSet::recNo() const {
    if (state_ == State::Insert || current_ < 0)
        return -1;
    return current_ + 1;
}

int DataSet::fieldIndex(const QString& name) const {
    return fieldIndexIn(fields(), name);
}

const DataSet::Row& DataSet::rowAt(int row) const {
    static const Row empty;
    if (row < 0 || row >= recordCount())
        return empty;
    return rows_->row(row, &lastError_);
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
    if (field < 0 || field >= fields().size())
        return true;
    const FieldInfo& info = fields()[field];
    return scanStored(QStringLiteral("Id, ") + quotedName(info.name), from,
                      [&](int row, sqlite3_stmt* statement, const Row* values) {
                          return visit(row, statement ? readColumn(statement, 1, info.type)
                                                      : values->value(field));
                      });
}

bool DataSet::scanStored(const QString& columns, int from, const StoredVisit& visit) const {
    if (from < 0 || from >= recordCount())
        return true;
    return rows_->scan(columns, from, visit, &lastError_);
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
    return rows_->bookmark(current_);
}

bool DataSet::gotoBookmark(Bookmark bookmark) {
    if (bookmark < 0)
        return false;
    const int index = rows_->indexOf(bookmark);
    return index >= 0 && moveToIndex(index);
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
    buffer_ = Row(fields().size());
    assigned_ = QBitArray(fields().size());
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
    assigned_ = QBitArray(fields().size());
    setState(State::Edit);
    notify(&DataSet::dataChanged);
    return true;
}

bool DataSet::storedRow(Row& row) {
    row.clear();
    if (state_ != State::Edit)
        return true;
    return book_->read(current_, row, &lastError_);
}

bool DataSet::isModified() const {
    return (state_ == State::Edit || state_ == State::Insert) && assigned_.count(true) > 0;
}

bool DataSet::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return true;
    lastError_.clear();
    if (beforePost && !beforePost(*this))
        return false;
    const bool inserting = state_ == State::Insert;
    if (!(inserting ? book_->insert(buffer_, assigned_, &lastError_)
                    : book_->update(current_, buffer_, assigned_, &lastError_)))
        return false;
    if (inserting)
        current_ = recordCount() - 1;
    buffer_.clear();
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
    if (!book_->remove(current_, &lastError_))
        return false;
    const int removed = current_;
    current_ = recordCount() == 0 ? -1 : qMin(removed, recordCount() - 1);
    eof_ = bof_ = recordCount() == 0;
    notify(&DataSet::rowRemoved, removed);
    notifyMove();
    if (afterDelete)
        afterDelete(*this);
    return true;
}

bool DataSet::checkBrowseMode() {
    if (state_ != State::Edit && state_ != State::Insert)
        return true;
    if (isModified())
        return post();
    cancel();
    return true;
}

} // namespace engine
