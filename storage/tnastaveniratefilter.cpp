#include "storage/tnastaveniratefilter.h"

#include "dialogs/dialoghost.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

bool isRefused(QChar c) {
    const bool accepted = (c >= u'0' && c <= u'9') || c == u'.';
    return c.isPrint() && !accepted;
}

} // namespace

bool TNastaveniRateFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts such as Ctrl+V carry a character too but are not typing.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (std::none_of(text.begin(), text.end(), isRefused))
        return false;
    dialogs::host().beep();
    return true;
}
