#include "export/exportprogresswindow.h"

namespace Export1 {

namespace {

constexpr int showAfterMilliseconds = 700;

} // namespace

ExportProgressWindow::ExportProgressWindow(QWidget* owner)
    : dialog_(QStringLiteral("Probíhá export záznamů ..."), QStringLiteral("Storno"), 0, 0, owner) {
    dialog_.setObjectName(QStringLiteral("ExportProgress"));
    dialog_.setWindowTitle(QStringLiteral("Export databáze"));
    // Window-modal: the main window cannot change the book while its rows are written, and
    // every update lets the window repaint and the cancel button be pressed.
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(showAfterMilliseconds);
    dialog_.setAutoClose(true);
}

bool ExportProgressWindow::update(int done, int total) {
    if (dialog_.maximum() != total)
        dialog_.setMaximum(total);
    dialog_.setValue(done);
    return !dialog_.wasCanceled();
}

} // namespace Export1
