#include "dialogs/win1250validator.h"

#include "dialogs/dialoghost.h"

#include <QLineEdit>
#include <algorithm>

namespace dialogs {

// What a one-line text box takes: characters of Windows-1250 except the control characters
// (tab and line breaks included).
static bool fitsTextBox(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return fitsWin1250(c) && c.category() != QChar::Other_Control;
    });
}

QValidator::State Win1250Validator::validate(QString& input, int&) const {
    if (fitsTextBox(input))
        return Acceptable;
    host().beep();
    return Invalid;
}

void installWin1250Filter(QLineEdit* edit) {
    edit->setValidator(new Win1250Validator(edit));
}

} // namespace dialogs
