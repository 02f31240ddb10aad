#include "editing/pendingrow.h"

#include "dialogs/dialogy.h"
#include "storage/engine/dataset.h"

namespace editing {

using State = engine::DataSet::State;

bool isPending(const engine::DataSet& book) {
    return book.state() == State::Edit || book.state() == State::Insert;
}

bool beginEditing(engine::DataSet& book) {
    if (isPending(book))
        return true;
    const bool ok = book.recordCount() == 0 ? book.append() : book.edit();
    if (!ok)
        reportRefusal(book);
    return ok;
}

void reportRefusal(const engine::DataSet& book) {
    if (!book.lastError().isEmpty())
        dialogs::ShowError(book.lastError());
}

// A row that is gone is left to the store itself, which changes nothing and says so.
bool mayOverwriteStoredRow(engine::DataSet& book) {
    if (book.state() != State::Edit)
        return true;
    engine::DataSet::Row stored;
    if (!book.storedRow(stored))
        return false;
    if (stored.isEmpty() || stored == book.originalRow())
        return true;
    const QString question =
        QStringLiteral("Faktura \"") +
        book.originalRow().value(book.fieldIndex(QStringLiteral("Cislo"))).toString() +
        QStringLiteral("\" byla mezitím změněna v jiném okně programu. Chcete ji přesto přepsat "
                       "svými změnami?");
    return dialogs::AskQuestion(QStringLiteral("Pozor!"), question, 2) == dialogs::Answer::Yes;
}

} // namespace editing
