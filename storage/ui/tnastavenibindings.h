#pragma once
// The controls of the settings dialog tied to their members of Settings: filled from them,
// copied back into them, and watched for the user's changes.

#include "storage/settings.h"

#include <QList>
#include <QObject>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class TNastaveniBindings : public QObject {
    Q_OBJECT
public:
    using TextMember = Settings::TextMember;
    using NumberMember = Settings::NumberMember;
    using SwitchMember = Settings::SwitchMember;
    enum class Blanks { Kept, Trimmed };

    explicit TNastaveniBindings(QObject* parent = nullptr);

    void bind(QLineEdit* edit, TextMember member, Blanks blanks = Blanks::Kept);
    void bind(QCheckBox* box, SwitchMember member);
    // Item index = value; a value without an item shows no item and is kept unless one is picked.
    void bind(QComboBox* list, NumberMember member);
    void bind(QButtonGroup* group, NumberMember member);
    // The spin control's position is the value.
    void bind(QSpinBox* spin, NumberMember member);

    // Fills every control without reporting a change.
    void load(const Settings& settings);
    void store(Settings& settings) const;

signals:
    // The user changed a control (typed, clicked, picked, or used the spin buttons).
    void changed();

private:
    template <typename Control, typename Member> struct Binding {
        Control* control;
        Member member;
    };
    struct TextBinding {
        QLineEdit* edit;
        TextMember member;
        Blanks blanks;
    };

    QList<TextBinding> texts_;
    QList<Binding<QCheckBox, SwitchMember>> switches_;
    QList<Binding<QComboBox, NumberMember>> lists_;
    QList<Binding<QButtonGroup, NumberMember>> groups_;
    QList<Binding<QSpinBox, NumberMember>> spins_;
    bool loading_ = false;

    void reportChange();
};
