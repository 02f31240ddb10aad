#include "dialogs/charfilter.h"

#include "dialogs/dialoghost.h"

#include <QKeyEvent>
#include <QLocale>
#include <algorithm>

namespace dialogs {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isSign(QChar c) {
    return c == u'-' || c == u'+';
}

// Keys that type nothing into the box even though some platforms give them a character.
bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

} // namespace

CharFilter::CharFilter(Accepts accepts, Passing passing, QObject* parent)
    : QObject(parent), accepts_(std::move(accepts)), passing_(passing) {}

CharFilter* CharFilter::digits(QObject* parent) {
    return new CharFilter([](QChar c) { return isDigit(c) || c == u'-' || c == u'.'; },
                          Passing{false, false}, parent);
}

CharFilter* CharFilter::amount(QObject* parent) {
    return new CharFilter(
        [](QChar c) {
            return isDigit(c) || isSign(c) || c == u'.' || QString(c) == QLocale().decimalPoint();
        },
        Passing{}, parent);
}

CharFilter* CharFilter::wholeNumber(QObject* parent) {
    return new CharFilter([](QChar c) { return isDigit(c) || isSign(c); }, Passing{}, parent);
}

CharFilter* CharFilter::rate(QObject* parent) {
    return new CharFilter([](QChar c) { return isDigit(c) || c == u'.'; }, Passing{true, true},
                          parent);
}

bool CharFilter::refuses(QChar c) const {
    if (!c.isPrint())
        return !passing_.controlCharacters;
    return !accepts_(c);
}

bool CharFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts such as Ctrl+V carry a character too but are not typing.
    const auto shortcutKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (passing_.shortcuts && (key->modifiers() & shortcutKeys))
        return false;
    const QString text = key->text();
    if (isNavigationKey(key->key()) || text.isEmpty())
        return false;
    if (std::none_of(text.begin(), text.end(), [this](QChar c) { return refuses(c); }))
        return false;
    host().beep();
    return true;
}

} // namespace dialogs
