#include "bench/memory.h"
#include "bench/session.h"
#include "bench/tasks.h"
#include "find/filtercondition.h"

#include <QRandomGenerator>

namespace bench {

namespace {

QString idQuery(const Session& session) {
    return session.toolSql(QStringLiteral("SELECT Id FROM ") + session.table() + u' ' +
                           session.state.BookCondition + QStringLiteral(" ORDER BY Id"));
}

// Reopening and summing the book as the program does after every change of the rows shown.
void measureReopenAndTotals(Session& session, const QString& label) {
    const Session::Timing reopen =
        session.measure(session.reps(), [&](QString&) { return session.browse->ReopenBook(); });
    session.report(QStringLiteral("ReopenBook") + label, reopen,
                   session.tool().time(idQuery(session), session.reps()));
    const Session::Timing totals = session.measure(session.reps(), [&](QString&) {
        session.browse->RefreshTotals();
        return true;
    });
    session.report(QStringLiteral("RefreshTotals") + label, totals,
                   session.tool().time(session.toolSums(), session.reps()));
}

// The filter of the panel's worked example: Datum1 in January 2024 and Cislo containing 24.
FilterRequest exampleFilter() {
    FilterRequest request;
    request.dateOn = true;
    request.dateField = QStringLiteral("Datum1");
    request.from = QDate(2024, 1, 1);
    request.to = QDate(2024, 1, 31);
    request.expressionOn = true;
    request.field = QStringLiteral("Cislo");
    request.expression = QStringLiteral("24");
    return request;
}

} // namespace

void measureBook(Session& session) {
    resetPeakMemory();
    session.browse->ReopenBook();
    session.browse->RefreshTotals();
    session.reportMemory(QStringLiteral("peak memory, book open in this process"), peakMemoryKb(),
                         session.tool().time(idQuery(session), 1).peakKb);

    measureReopenAndTotals(session, QString());
    session.state.BookCondition = filterCondition(exampleFilter());
    measureReopenAndTotals(session, QStringLiteral(", filter applied"));
    session.state.BookCondition.clear();
    session.browse->ReopenBook();
}

void measureRandomMoves(Session& session) {
    engine::DataSet& book = session.state.book;
    QRandomGenerator random(11);
    QVector<int> positions;
    for (int i = 0; i < 1000; ++i)
        positions << int(random.bounded(book.recordCount())) + 1;
    QString script;
    for (int position : positions) {
        book.moveTo(position);
        script += session.toolSql(QStringLiteral("SELECT * FROM %1 WHERE Id = %2")
                                      .arg(session.table())
                                      .arg(book.bookmark()));
    }
    // New positions each repetition: repeating the same ones would find their pages cached.
    const Session::Timing ours = session.measure(session.reps(), [&](QString&) {
        for (int& position : positions)
            position = int(random.bounded(book.recordCount())) + 1;
        bool ok = true;
        for (int position : positions) {
            ok = book.moveTo(position) && ok;
            for (int field = 0; field < book.fields().size(); ++field)
                book.value(field);
        }
        return ok;
    });
    session.report(QStringLiteral("1,000 random positions, every field read"), ours,
                   session.tool().time(script, session.reps()), QStringLiteral("<= 3x tool"));
    book.first();
}

} // namespace bench
