#include "dialogs/clickenabler.h"
#include "dialogs/dialogframe.h"
#include "dialogs/dialogy.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dialogs {

namespace {

constexpr int rowHeight = 24;

QGroupBox* radioGroup(const QStringList& options, int index, const QString& groupCaption,
                      QButtonGroup& buttons) {
    auto* group = new QGroupBox(groupCaption);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    group->setMinimumSize(353, rowHeight * options.size() + 9);
    auto* column = new QVBoxLayout(group);
    for (int i = 0; i < options.size(); ++i) {
        auto* radio = new QRadioButton(options[i], group);
        buttons.addButton(radio, i);
        column->addWidget(radio);
    }
    if (QAbstractButton* selected = buttons.button(index))
        selected->setChecked(true);
    return group;
}

} // namespace

bool PickOption(const QStringList& options, int& index, const QString& caption,
                const QString& groupCaption) {
    DialogFrame dialog(caption, 184, 264);
    QButtonGroup buttons;
    QGroupBox* group = radioGroup(options, index, groupCaption, buttons);
    dialog.content()->addWidget(group);
    new ClickEnabler(group, dialog.okButton());
    dialog.fixSize(QSize(370, rowHeight * options.size() + 67));
    const int result = host().exec(dialog);
    return takeChangedValue(result, buttons.checkedId(), index);
}

} // namespace dialogs
