#include "browse/bookmodel.h"

namespace {

struct ColumnSpec {
    const char* field;
    const char* title; // empty: set per book
    Qt::Alignment titleAlignment;
    Qt::Alignment cellAlignment;
    int width;
};

constexpr Qt::Alignment left = Qt::AlignLeft;
constexpr Qt::Alignment centre = Qt::AlignHCenter;
constexpr Qt::Alignment right = Qt::AlignRight;

const ColumnSpec columnDefs[BookModel::columns] = {
    {"Cislo", "Číslo", centre, centre, 70},
    {"Dodavatel_odberatel", "", left, left, 130},
    {"ICO", "IČO", left, left, 40},
    {"CisloUctu", "Číslo účtu", left, left, 60},
    {"SmerovyKod", "Kód", left, left, 40},
    {"Specifikace", "Specifikace", left, left, 105},
    {"VariabilniSymbol", "VS", left, right, 70},
    {"Zaklad", "Základ", centre, right, 70},
    {"SazbaDPH", "Sazba DPH", centre, centre, 25},
    {"DPH", "DPH", centre, right, 60},
    {"Celkem", "Celkem", centre, right, 70},
    {"Datum1", "", right, right, 70},
    {"Datum2", "", right, right, 70},
    {"Datum3", "", right, right, 70},
    {"Poznamka", "Poznámka", left, left, 100},
};

constexpr int partnerColumn = 1;
constexpr int firstDateColumn = 11;

} // namespace

BookModel::BookModel(engine::DataSet& book, QObject* parent)
    : QAbstractTableModel(parent), book_(book), fieldIndexes_(columns, -1) {
    for (const ColumnSpec& def : columnDefs)
        titles_ << QString::fromUtf8(def.title);
    connect(&book_, &engine::DataSet::reset, this, &BookModel::resetRows);
    connect(&book_, &engine::DataSet::rowInserted, this, &BookModel::insertRow);
    connect(&book_, &engine::DataSet::rowRemoved, this, &BookModel::removeRow);
    connect(&book_, &engine::DataSet::rowUpdated, this, &BookModel::updateRow);
    connect(&book_, &engine::DataSet::currentChanged, this, &BookModel::moveIndicator);
    connect(&book_, &engine::DataSet::stateChanged, this, &BookModel::refreshIndicator);
    // While a row is edited the grid shows the values being typed.
    connect(&book_, &engine::DataSet::fieldChanged, this, [this] { updateRow(currentRow_); });
    resetRows();
}

QString BookModel::fieldName(int column) {
    return column >= 0 && column < columns ? QString::fromLatin1(columnDefs[column].field)
                                           : QString();
}

int BookModel::designedWidth(int column) {
    return column >= 0 && column < columns ? columnDefs[column].width : 0;
}

void BookModel::setTitle(int column, const QString& title) {
    if (titles_[column] == title)
        return;
    titles_[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void BookModel::setPartnerTitle(const QString& title) {
    setTitle(partnerColumn, title);
}

void BookModel::setDateTitles(const QStringList& titles) {
    for (int i = 0; i < titles.size() && i < 3; ++i)
        setTitle(firstDateColumn + i, titles[i]);
}

int BookModel::bookRows() const {
    if (!book_.isActive())
        return 0;
    return book_.recordCount() + (book_.state() == engine::DataSet::State::Insert ? 1 : 0);
}

int BookModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int BookModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant BookModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_)
        return {};
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        const int field = fieldIndexes_.value(column, -1);
        return field < 0 ? QString() : book_.displayTextAt(index.row(), field);
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columnDefs[column].cellAlignment | Qt::AlignVCenter);
    return {};
}

QVariant BookModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section == currentRow_ ? indicator() : QString();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return {};
    }
    if (section < 0 || section >= columns)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return titles_[section];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnDefs[section].titleAlignment | Qt::AlignVCenter);
    case Qt::UserRole:
        return fieldName(section);
    default:
        return {};
    }
}

Qt::ItemFlags BookModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString BookModel::indicator() const {
    switch (book_.state()) {
    case engine::DataSet::State::Edit:
        return QStringLiteral("I");
    case engine::DataSet::State::Insert:
        return QStringLiteral("*");
    default:
        return QStringLiteral("►");
    }
}

void BookModel::resetRows() {
    syncing_ = true;
    beginResetModel();
    for (int column = 0; column < columns; ++column)
        fieldIndexes_[column] = book_.fieldIndex(fieldName(column));
    rows_ = bookRows();
    currentRow_ = -1;
    endResetModel();
    syncing_ = false;
}

void BookModel::insertRow(int row) {
    syncing_ = true;
    beginInsertRows(QModelIndex(), row, row);
    ++rows_;
    endInsertRows();
    syncing_ = false;
}

void BookModel::removeRow(int row) {
    if (row < 0 || row >= rows_)
        return;
    syncing_ = true;
    if (currentRow_ == row)
        currentRow_ = -1;
    beginRemoveRows(QModelIndex(), row, row);
    --rows_;
    endRemoveRows();
    syncing_ = false;
}

void BookModel::updateRow(int row) {
    if (row < 0 || row >= rows_)
        return;
    emit dataChanged(index(row, 0), index(row, columns - 1), {Qt::DisplayRole});
}

void BookModel::moveIndicator(int row) {
    const int previous = currentRow_;
    currentRow_ = row;
    if (previous >= 0 && previous < rows_)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    refreshIndicator();
}

void BookModel::refreshIndicator() {
    if (currentRow_ >= 0 && currentRow_ < rows_)
        emit headerDataChanged(Qt::Vertical, currentRow_, currentRow_);
}
