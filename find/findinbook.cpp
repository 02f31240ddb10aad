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

// The index of the first matching row after start, or the last row when none matches.
int scan(const engine::DataSet& book, int field, int start, const QString& wanted, bool whole,
         bool& found) {
    const int count = book.recordCount();
    for (int row = start + 1; row < count; ++row) {
        const QString value = engine::plainText(book.valueAt(row, field)).toLower();
        if (whole ? value == wanted : value.contains(wanted)) {
            found = true;
            return row;
        }
    }
    return count - 1;
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
    if (target != book.currentIndex() && !book.moveTo(target + 1)) {
        // An empty text means the row's own check refused and has already said why.
        if (!book.lastError().isEmpty())
            dialogs::ShowError(book.lastError());
        return false;
    }
    return found;
}
