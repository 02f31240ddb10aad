#include "editing/shortcutprecedence.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

ShortcutPrecedence::ShortcutPrecedence(QWidget* panel, const QList<QAction*>& actions,
                                       QObject* parent)
    : QObject(parent), panel_(panel), actions_(actions) {
    // The panel's text boxes come and go with the filter; watching the application sees them
    // all without tracking them.
    QCoreApplication::instance()->installEventFilter(this);
}

ShortcutPrecedence::~ShortcutPrecedence() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ShortcutPrecedence::insidePanel(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && panel_ && (widget == panel_ || panel_->isAncestorOf(widget));
}

// A text box claims a key through the shortcut override event; leaving the event unaccepted
// lets the window's shortcut run instead.
bool ShortcutPrecedence::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !insidePanel(watched))
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    const bool claimed = std::any_of(actions_.begin(), actions_.end(), [&pressed](QAction* a) {
        return a->isEnabled() && !a->shortcut().isEmpty() &&
               a->shortcut().matches(pressed) == QKeySequence::ExactMatch;
    });
    if (!claimed)
        return false;
    event->ignore();
    return true;
}
