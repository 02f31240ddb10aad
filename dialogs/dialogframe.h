#pragma once
// The common frame of the small runtime-built dialogs: a fixed-size modal window with a white
// client area above a 41 px button-face strip holding "Ok" (default) and "Storno" (Esc).

#include <QDialog>

class QPushButton;
class QVBoxLayout;

namespace dialogs {

class DialogFrame : public QDialog {
    Q_OBJECT
public:
    // okLeft and stornoLeft are the buttons' left edges within the strip.
    DialogFrame(const QString& caption, int okLeft, int stornoLeft);

    // Where the dialog's own controls go (margins of 8 px).
    QVBoxLayout* content() const { return contentLayout; }
    QPushButton* okButton() const { return ok; }
    // Fixes the window at the given client size, or larger when the controls need more room.
    void fixSize(const QSize& clientSize);

private:
    QWidget* buildStrip(int okLeft, int stornoLeft);

    QVBoxLayout* contentLayout = nullptr;
    QPushButton* ok = nullptr;
};

// The result rule of the dialogs: true only for Ok with a changed value, written back only then.
template <typename T> bool takeChangedValue(int execResult, const T& chosen, T& value) {
    if (execResult != QDialog::Accepted || chosen == value)
        return false;
    value = chosen;
    return true;
}

} // namespace dialogs
