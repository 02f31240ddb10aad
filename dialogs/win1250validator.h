#pragma once
// Text boxes accept only characters that Windows-1250 can hold, because the settings file and
// the exports are written in that code page and must never lose a character; control
// characters have no place in a one-line box and would make the XML export unreadable.

#include "storage/engine/win1250.h"

#include <QValidator>

class QLineEdit;

namespace dialogs {

using engine::fitsWin1250;

// Refuses an edit (typed or pasted) that brings in a character outside Windows-1250 or a
// control character, with a beep.
class Win1250Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Sets a Win1250Validator on the box (replacing any validator it had).
void installWin1250Filter(QLineEdit* edit);

} // namespace dialogs
