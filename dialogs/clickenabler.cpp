#include "dialogs/clickenabler.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>

namespace dialogs {

ClickEnabler::ClickEnabler(QWidget* watched, QAbstractButton* button)
    : QObject(watched), button(button) {
    button->setEnabled(false);
    watched->installEventFilter(this);
    for (QWidget* child : watched->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool ClickEnabler::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        button->setEnabled(true);
    return false;
}

} // namespace dialogs
