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

} // namespace editing
