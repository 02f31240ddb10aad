#pragma once
// The progress of a long export: a Czech progress window with a cancel button, shown only when
// the export takes longer than a moment.

#include <QProgressDialog>

class QWidget;

namespace Export1 {

class ExportProgressWindow {
public:
    explicit ExportProgressWindow(QWidget* owner);

    // Shows how far the export got; false once the user has cancelled.
    bool update(int done, int total);
    QProgressDialog& dialog() { return dialog_; }

private:
    QProgressDialog dialog_;
};

} // namespace Export1
