#include "dialogs/numberkeyfilter.h"

#include "dialogs/dialoghost.h"

#include <QKeyEvent>
#include <algorithm>

namespace dialogs {

namespace {

bool isRefused(QChar c) {
    const bool accepted = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                          c == QLatin1Char('-') || c == QLatin1Char('.');
    return c.isPrint() && !accepted;
}

bool containsRefused(const QString& text) {
    return std::any_of(text.begin(), text.end(), isRefused);
}

} // namespace

bool NumberKeyFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts such as Ctrl+C carry a character too but are not typing.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (!containsRefused(key->text()))
        return false;
    host().beep();
    return true;
}

} // namespace dialogs
