#include "bench/session.h"
#include "bench/tasks.h"
#include "find/filtercondition.h"

namespace bench {

namespace {

const QString kStoreGoal = QStringLiteral("< 50 ms CPU at 1,000,000 rows");

// A new invoice as the record editor stores it.
bool storeRow(engine::DataSet& book) {
    const QList<QPair<QString, QVariant>> values{
        {QStringLiteral("Cislo"), QStringLiteral("FD_9999")},
        {QStringLiteral("Dodavatel_odberatel"), QStringLiteral("Novák a syn, s.r.o.")},
        {QStringLiteral("ICO"), QStringLiteral("25596641")},
        {QStringLiteral("Specifikace"), QStringLiteral("Kancelářské potřeby")},
        {QStringLiteral("Zaklad"), 1234.5},
        {QStringLiteral("SazbaDPH"), 21},
        {QStringLiteral("DPH"), 259.25},
        {QStringLiteral("Celkem"), 1493.75},
        {QStringLiteral("Datum1"), QDate(2024, 5, 17)}};
    if (!book.append())
        return false;
    for (const auto& [field, value] : values)
        book.setValue(field, value);
    return book.post();
}

QString toolInsert(const Session& session) {
    return session.toolSql(
        QStringLiteral("INSERT INTO %1 (Cislo, Dodavatel_odberatel, ICO, Specifikace, Zaklad, "
                       "SazbaDPH, DPH, Celkem, Datum1) VALUES ('FD_9999', 'Novák a syn, s.r.o.', "
                       "'25596641', 'Kancelářské potřeby', 1234.5, 21, 259.25, 1493.75, "
                       "'2024-05-17')")
            .arg(session.table()));
}

void measureStoreAndDelete(Session& session) {
    engine::DataSet& book = session.state.book;
    const Session::Timing stored = session.measure(session.reps(), [&](QString& reason) {
        const bool ok = storeRow(book);
        reason = book.lastError();
        session.browse->RefreshTotals();
        return ok;
    });
    session.report(QStringLiteral("store one new row and refresh the totals"), stored,
                   session.tool().time(toolInsert(session) + session.toolSums(), session.reps()),
                   kStoreGoal);
    const Session::Timing deleted = session.measure(session.reps(), [&](QString& reason) {
        const bool ok = book.last() && book.remove();
        reason = book.lastError();
        session.browse->RefreshTotals();
        return ok;
    });
    const QString toolDelete = session.toolSql(
        QStringLiteral("DELETE FROM %1 WHERE Id = (SELECT max(Id) FROM %1)").arg(session.table()));
    session.report(QStringLiteral("delete one row and refresh the totals"), deleted,
                   session.tool().time(toolDelete + session.toolSums(), session.reps()),
                   kStoreGoal);
}

// The filter panel's month choice: Datum1 in one month, the rows shown and their sums.
void measureMonthFilter(Session& session) {
    FilterRequest request;
    request.dateOn = true;
    request.dateField = QStringLiteral("Datum1");
    request.from = QDate(2024, 1, 1);
    request.to = QDate(2024, 1, 31);
    session.state.BookCondition = filterCondition(request);
    const Session::Timing ours = session.measure(session.reps(), [&](QString&) {
        const bool ok = session.browse->ReopenBook();
        session.browse->RefreshTotals();
        return ok;
    });
    const QString tool =
        session.toolSql(QStringLiteral("SELECT Id FROM ") + session.table() + u' ' +
                        session.state.BookCondition + QStringLiteral(" ORDER BY Id")) +
        session.toolSums();
    session.report(QStringLiteral("date filter of one month, rows and totals"), ours,
                   session.tool().time(tool, session.reps()),
                   QStringLiteral("reads the date index only"));
    session.state.BookCondition.clear();
    session.browse->ReopenBook();
}

} // namespace

void measureChanges(Session& session) {
    measureStoreAndDelete(session);
    measureMonthFilter(session);
}

} // namespace bench
