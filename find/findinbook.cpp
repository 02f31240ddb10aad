#include "find/findinbook.h"

#include "dialogs/dialogy.h"
#include "storage/engine/dataset.h"
#include "storage/engine/formats.h"

#include <QApplication>

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

// The index of the first matching row after start, or the last row when none matches; -1
// when the database failed (its error is in the data set).
int scan(engine::DataSet& book, int field, int start, const QString& wanted, bool whole,
         bool& found) {
    int match = -1;
    // One pass over the column in order: no page of whole rows is read for this.
    const bool read = book.scanField(field, start + 1, [&](int row, const QVariant& value) {
        const QString text = engine::plainText(value).toLower();
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
