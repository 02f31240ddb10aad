#include "app/selfteststore.h"

#include "app/thlavni.h"

#include <QCoreApplication>
#include <QDate>
#include <QTimer>
#include <cstdio>

namespace selftest {

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

namespace {

// Stores one row per event-loop turn, so the program stays as responsive as in normal use.
void storeNext(THlavni* window, int index, int count) {
    if (index > count)
        return;
    engine::DataSet& book = window->state().book;
    const QVariantMap values = rowValues(QCoreApplication::applicationPid(), index);
    bool stored = book.append();
    for (auto it = values.begin(); stored && it != values.end(); ++it)
        stored = book.setValue(it.key(), it.value());
    if (!stored || !book.post()) {
        std::fprintf(stderr, "failed %s\n", qUtf8Printable(book.lastError()));
        return;
    }
    std::printf("stored %lld %s\n", book.value(QStringLiteral("Id")).toLongLong(),
                qUtf8Printable(values.value(QStringLiteral("Cislo")).toString()));
    std::fflush(stdout);
    QTimer::singleShot(0, window, [window, index, count] { storeNext(window, index + 1, count); });
}

} // namespace

void startStoring(THlavni& window) {
    const int count = qEnvironmentVariableIntValue("LUMIRA_SELFTEST_STORE");
    if (count > 0)
        QTimer::singleShot(0, &window, [&window, count] { storeNext(&window, 1, count); });
}

} // namespace selftest
