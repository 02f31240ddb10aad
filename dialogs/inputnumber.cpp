#include "dialogs/dialogframe.h"
#include "dialogs/dialogy.h"
#include "dialogs/numberkeyfilter.h"
#include "dialogs/typedspinbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dialogs {

namespace {

QString rangePrompt(int minimum, int maximum) {
    return QStringLiteral("Zadejte číslo v rozsahu od ") + QString::number(minimum) +
           QStringLiteral(" do ") + QString::number(maximum);
}

QLabel* promptLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QStringLiteral("La_Popiska"));
    label->setWordWrap(true);
    label->setFixedWidth(201);
    label->setMinimumHeight(33);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QSpinBox* numberBox(int value, int minimum, int maximum) {
    auto* spin = new TypedSpinBox;
    spin->setObjectName(QStringLiteral("UpDown_Cislo"));
    // Plain decimal whatever the user's locale.
    spin->setLocale(QLocale::c());
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setSingleStep(1);
    spin->setMinimumWidth(89);
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    edit->setObjectName(QStringLiteral("Ed_Cislo"));
    auto* filter = new NumberKeyFilter(spin);
    spin->installEventFilter(filter);
    edit->installEventFilter(filter);
    return spin;
}

} // namespace

bool InputNumber(int& value, int minimum, int maximum, const QString& caption,
                 const QString& prompt) {
    DialogFrame dialog(caption, 24, 112);
    dialog.content()->addWidget(
        promptLabel(prompt.isEmpty() ? rangePrompt(minimum, maximum) : prompt));
    QSpinBox* spin = numberBox(value, minimum, maximum);
    auto* row = new QHBoxLayout;
    row->addSpacing(56);
    row->addWidget(spin);
    row->addStretch(1);
    dialog.content()->addLayout(row);
    dialog.content()->addStretch(1);
    dialog.fixSize(QSize(214, 141));
    spin->setFocus();
    const int result = host().exec(dialog);
    return takeChangedValue(result, spin->value(), value);
}

} // namespace dialogs
