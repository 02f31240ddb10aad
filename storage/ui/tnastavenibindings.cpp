#include "storage/ui/tnastavenibindings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

TNastaveniBindings::TNastaveniBindings(QObject* parent) : QObject(parent) {}

void TNastaveniBindings::bind(QLineEdit* edit, TextMember member, Blanks blanks) {
    texts_.append({edit, member, blanks});
    connect(edit, &QLineEdit::textChanged, this, &TNastaveniBindings::reportChange);
}

void TNastaveniBindings::bind(QCheckBox* box, SwitchMember member) {
    switches_.append({box, member});
    connect(box, &QCheckBox::clicked, this, &TNastaveniBindings::reportChange);
}

void TNastaveniBindings::bind(QComboBox* list, NumberMember member) {
    lists_.append({list, member});
    connect(list, &QComboBox::activated, this, &TNastaveniBindings::reportChange);
}

void TNastaveniBindings::bind(QButtonGroup* group, NumberMember member) {
    groups_.append({group, member});
    connect(group, &QButtonGroup::buttonClicked, this, &TNastaveniBindings::reportChange);
}

void TNastaveniBindings::bind(QSpinBox* spin, NumberMember member) {
    spins_.append({spin, member});
    // The spin buttons change the text without the box's own signal, and typing an unfinished
    // number changes it without a new value: both count.
    connect(spin, &QSpinBox::textChanged, this, &TNastaveniBindings::reportChange);
    connect(spin->findChild<QLineEdit*>(), &QLineEdit::textChanged, this,
            &TNastaveniBindings::reportChange);
}

void TNastaveniBindings::load(const Settings& settings) {
    loading_ = true;
    for (const TextBinding& b : texts_)
        b.edit->setText(settings.*b.member);
    for (const auto& b : switches_)
        b.control->setChecked(settings.*b.member);
    for (const auto& b : lists_) {
        const int value = settings.*b.member;
        b.control->setCurrentIndex(value >= 0 && value < b.control->count() ? value : -1);
    }
    for (const auto& b : groups_) {
        if (QAbstractButton* button = b.control->button(settings.*b.member))
            button->setChecked(true);
    }
    for (const auto& b : spins_)
        b.control->setValue(settings.*b.member);
    loading_ = false;
}

void TNastaveniBindings::store(Settings& settings) const {
    for (const TextBinding& b : texts_)
        settings.*b.member =
            b.blanks == Blanks::Trimmed ? b.edit->text().trimmed() : b.edit->text();
    for (const auto& b : switches_)
        settings.*b.member = b.control->isChecked();
    // No item (a stored value without one, never picked) keeps the stored value.
    for (const auto& b : lists_) {
        if (b.control->currentIndex() >= 0)
            settings.*b.member = b.control->currentIndex();
    }
    for (const auto& b : groups_) {
        if (b.control->checkedId() >= 0)
            settings.*b.member = b.control->checkedId();
    }
    for (const auto& b : spins_)
        settings.*b.member = b.control->value();
}

void TNastaveniBindings::reportChange() {
    if (!loading_)
        emit changed();
}
