#include "reliability/storer/storedrows.h"

#include <QDate>

namespace storer {

QString rowNumber(qint64 pid, int index) {
    return QStringLiteral("K%1-%2").arg(pid).arg(index);
}

QVariantMap rowValues(qint64 pid, int index) {
    // Amounts with four decimals and Czech letters, so rounding or re-encoding would show.
    const double zaklad = index * 100 + 0.1234;
    return {
        {QStringLiteral("Cislo"), rowNumber(pid, index)},
        {QStringLiteral("Dodavatel_odberatel"), QStringLiteral("Žluťoučký kůň %1").arg(index)},
        {QStringLiteral("ICO"), QStringLiteral("%1").arg(index % 100000000, 8, 10, QChar(u'0'))},
        {QStringLiteral("Zaklad"), zaklad},
        {QStringLiteral("SazbaDPH"), 21},
        {QStringLiteral("DPH"), index * 21 + 0.0259},
        {QStringLiteral("Celkem"), index * 121 + 0.1493},
        {QStringLiteral("Datum1"), QDate(2020, 1, 1).addDays(index % 3650)},
        {QStringLiteral("Poznamka"), QStringLiteral("pid %1, řádek %2").arg(pid).arg(index)},
    };
}

} // namespace storer
