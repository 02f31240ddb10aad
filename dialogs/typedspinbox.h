#pragma once
// A whole-number spin box that shows every character its key filter lets through (a "-" or a
// "." too, which make no whole number or none in its range). Such a text leaves the value at
// the last valid one, and leaving the box shows that value again.

#include <QSpinBox>

namespace dialogs {

class TypedSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
};

} // namespace dialogs
