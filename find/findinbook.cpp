#include "find/findinbook.h"

#include "dialogs/dialogy.h"
#include "storage/engine/dataset.h"
#include "storage/engine/formats.h"
#include "storage/engine/plainbytes.h"
#include "storage/engine/values.h"

#include <QApplication>
#include <sqlite3.h>
#include <string>

namespace {

// Busy cursor and suspended redrawing for the length of a scan, also when it ends early.
class ScanGuard {
public:
    explicit ScanGuard(engine::DataSet& book) : book_(book) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        book_.disableControls();
    }
    ~ScanGuard() {
        book_.enableControls();
        QApplication::restoreOverrideCursor();
    }
    ScanGuard(const ScanGuard&) = delete;
    ScanGuard& operator=(const ScanGuard&) = delete;

private:
    engine::DataSet& book_;
};

// The lower-cased plain text of a value as the search compares it. A stored text is decoded
// straight into a reused buffer (a million rows, no QString each); anything else, and the few
// characters whose lower case is longer, take the general way.
class FoldedValue {
public:
    explicit FoldedValue(engine::FieldType type) : type_(type) {}

    QStringView of(sqlite3_stmt* statement, const engine::DataSet::Row* values, int field) {
        if (statement && type_ == engine::FieldType::Text &&
            sqlite3_column_type(statement, 1) == SQLITE_TEXT && decode(statement))
            return buffer_;
        general_ = engine::plainText(statement ? engine::readColumn(statement, 1, type_)
                                               : values->value(field))
                       .toLower();
        return general_;
    }

private:
    engine::FieldType type_;
    std::u16string buffer_;
    QString general_;

    bool decode(sqlite3_stmt* statement) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        const int size = sqlite3_column_bytes(statement, 1);
        if (!engine::isPlainUtf8(text, size))
            return false;
        buffer_.clear();
        for (int at = 0; at < size;) {
            const char c = text[at];
            if (static_cast<unsigned char>(c) < 0x80) {
                buffer_ += char16_t(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
                ++at;
                continue;
            }
            const char32_t code = engine::nextCodePoint(text, at);
            if (code >= 0x10000 || code == 0x130) // İ lowers to two characters
                return false;
            buffer_ += char16_t(QChar::toLower(code));
        }
        return true;
    }
};

// The index of the first matching row after start, or the last row when none matches; -1
// when the database failed (its error is in the data set).
int scan(engine::DataSet& book, int field, int start, const QString& wanted, bool whole,
         bool& found) {
    int match = -1;
    FoldedValue folded(book.fields()[field].type);
    // One pass over the column in order: no page of whole rows is read for this.
    const bool read =
        book.scanStored(QStringLiteral("Id, \"%1\"").arg(book.fields()[field].name), start + 1,
                        [&](int row, sqlite3_stmt* statement, const engine::DataSet::Row* values) {
                            const QStringView text = folded.of(statement, values, field);
                            if (whole ? text == wanted : text.contains(wanted))
                                match = row;
                            return match < 0;
                        });
    if (!read)
        return -1;
    found = match >= 0;
    return found ? match : book.recordCount() - 1;
}

} // namespace

bool FindInBook(engine::DataSet& book, const QString& field, const QString& expression,
                bool whole) {
    const int fieldIndex = book.fieldIndex(field);
    if (!book.isActive() || fieldIndex < 0 || book.recordCount() == 0)
        return false;
    ScanGuard guard(book);
    bool found = false;
    const int target =
        scan(book, fieldIndex, book.currentIndex(), expression.toLower(), whole, found);
    if (target < 0) {
        dialogs::ShowError(book.lastError());
        return false;
    }
    if (target != book.currentIndex() && !book.moveTo(target + 1)) {
        // An empty text means the row's own check refused and has already said why.
        if (!book.lastError().isEmpty())
            dialogs::ShowError(book.lastError());
        return false;
    }
    return found;
}
