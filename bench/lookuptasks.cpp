#include "bench/session.h"
#include "bench/tasks.h"
#include "editing/numbering.h"
#include "editing/tseznampolozek.h"
#include "find/findinbook.h"

namespace bench {

namespace {

const QString kMissing = QStringLiteral("nenalezený výraz");
const QString kPartner = QStringLiteral("Dodavatel_odberatel");

void measureFind(Session& session) {
    engine::DataSet& book = session.state.book;
    const Session::Timing ours = session.measure(session.reps(), [&](QString&) {
        book.first();
        const bool found = FindInBook(book, kPartner, kMissing, false);
        return !found && book.recNo() == book.recordCount();
    });
    // The scan runs in the program; the tool gets the nearest query: the first later row
    // whose lower-cased value contains the expression.
    const QString script =
        QStringLiteral("SELECT Id FROM %1 WHERE Id > %2 AND "
                       "instr(lower(%3), '%4') > 0 ORDER BY Id LIMIT 1;\n")
            .arg(session.table())
            .arg(book.valueAt(0, book.fieldIndex(QStringLiteral("Id"))).toLongLong())
            .arg(kPartner, kMissing);
    session.report(QStringLiteral("FindInBook over all rows, no hit"), ours,
                   session.tool().time(script, session.reps()), QStringLiteral("<= 1.2x tool"));
    book.first();
}

void measureNumbering(Session& session, int kind) {
    const QString prefix = QStringLiteral("FD_");
    const Session::Timing ours = session.measure(session.reps(), [&](QString& reason) {
        QString number;
        return NextInvoiceNumber(session.state, session.table(), prefix, kind, number, &reason);
    });
    session.report(
        QStringLiteral("NextInvoiceNumber, kind %1").arg(kind), ours,
        session.tool().time(session.toolSql(numberingQuery(session.table(), prefix, kind)),
                            session.reps()));
}

// The picker is shown as the record editor shows it: its query runs when it appears.
void measurePicker(Session& session) {
    const Session::Timing ours = session.measure(session.reps(), [&](QString&) {
        TSeznamPolozek picker(session.state.connection, session.table(), kPartner);
        picker.show();
        return true;
    });
    session.report(QStringLiteral("picker query of the partner column"), ours,
                   session.tool().time(
                       session.toolSql(TSeznamPolozek::statement(session.table(), kPartner, {})),
                       session.reps()));
}

} // namespace

void measureLookups(Session& session) {
    measureFind(session);
    measureNumbering(session, 0);
    measureNumbering(session, 1);
    measurePicker(session);
}

} // namespace bench
