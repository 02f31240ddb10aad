#include "export/exportcontroller.h"

#include "actions/mainactions.h"
#include "export/export1.h"
#include "storage/appstate.h"

#include <QWidget>

ExportController::ExportController(AppState& state, MainActions& actions, QWidget* window)
    : QObject(window), state_(state), window_(window) {
    // From here on the availability follows the book's rows (the status line keeps it).
    actions.Akce_Export->setEnabled(state.book.isActive() && state.book.recordCount() > 0);
    connect(actions.Akce_Export, &QAction::triggered, this, &ExportController::Akce_ExportExecute);
}

QString ExportController::defaultFileName() const {
    return state_.activeBook.info().exportStem + u'_' + Export1::DateStamp();
}

void ExportController::Akce_ExportExecute() {
    Export1::ExportBook(state_.book, defaultFileName(), window_);
}
