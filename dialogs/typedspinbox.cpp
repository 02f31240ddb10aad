#include "dialogs/typedspinbox.h"

#include <algorithm>

namespace dialogs {

namespace {

bool isNumberCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
}

} // namespace

QValidator::State TypedSpinBox::validate(QString& input, int& pos) const {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid)
        return state;
    return std::all_of(input.begin(), input.end(), isNumberCharacter) ? QValidator::Intermediate
                                                                      : QValidator::Invalid;
}

} // namespace dialogs
