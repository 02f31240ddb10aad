#include "dialogs/filefilter.h"

#include <QRegularExpression>

namespace dialogs {

QStringList qtNameFilters(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

QString filterExtension(const QString& qtNameFilter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)[ )]"));
    return firstPattern.match(qtNameFilter).captured(1);
}

} // namespace dialogs
