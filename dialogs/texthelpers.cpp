#include "dialogs/dialogy.h"

#include <algorithm>

namespace dialogs {

namespace {

// Combo box item lists match regardless of letter case.
int indexIgnoringCase(const QStringList& list, const QString& text) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

void PushHistory(QStringList& list, const QString& text, int maxCount) {
    const int found = indexIgnoringCase(list, text);
    if (found >= 0)
        list.removeAt(found);
    else if (!list.isEmpty() && list.size() >= maxCount)
        list.removeLast();
    list.prepend(text);
}

QString PadText(const QString& text, int length, int alignment) {
    if (text.size() > length)
        return text.left(std::max(length, 0));
    const int missing = length - text.size();
    const QChar zero = QLatin1Char('0');
    switch (alignment) {
    case 0:
        return text + QString(missing, zero);
    case 1:
        return QString(missing / 2, zero) + text + QString(missing - missing / 2, zero);
    case 2:
        return QString(missing, zero) + text;
    default:
        return text;
    }
}

QString RemoveChar(const QString& text, QChar character) {
    return QString(text).remove(character, Qt::CaseSensitive);
}

QString DigitsOnly(const QString& text) {
    QString digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    return digits;
}

int YearOfDate(const QDate& date) {
    return date.year();
}

} // namespace dialogs
