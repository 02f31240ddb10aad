// Memo texts and their expressions: any text must split, parse and evaluate against a small
// data table without a crash or hang, and leave the current row where it was.
#include "orvex/memotext.h"
#include "orvex/reportcontext.h"

#include <QDate>
#include <cstdint>
#include <cstdlib>

namespace {

const orvex::DataTable& table() {
    static const orvex::DataTable rows = [] {
        orvex::DataTable t;
        t.fieldNames = {"Cislo", "Zaklad", "SazbaDPH", "Datum1", "Poznamka"};
        t.rows = {
            {QString("FD_1"), 1000.5, qint64(21), QDate(2024, 3, 5), QVariant()},
            {QString("FD_2"), -0.0001, qint64(0), QDate(1900, 1, 1), QString("ok")},
            {QString("FD_3"), 1e15, qint64(-2147483647 - 1), QDate(9999, 12, 31), QString("x")}};
        return t;
    }();
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    static const QVector<int> order = {0, 1, 2};
    orvex::ReportContext context(table(), {{"nadpis", "Kniha"}, {"mena", "CZK"}},
                                 {{"Soucet", "SUM(<Kniha.\"Zaklad\">)"}, {"Sam", "Sam + 1"}},
                                 QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    context.state.order = &order;
    context.state.position = 1;
    context.state.scope = orvex::RowSpan{0, 3};
    context.totalPages = 2;
    context.registerDataBand("MasterData1", &order);
    for (const orvex::TextPiece& piece : orvex::splitMemoText(text, "[", "]")) {
        if (!piece.isExpression)
            continue;
        if (!piece.parsed.root) {
            if (piece.parsed.error.isEmpty())
                abort();
            continue;
        }
        QString error;
        orvex::evaluate(*piece.parsed.root, context, &error);
        // Aggregates visit rows and must bring the current row back.
        if (context.state.position != 1 || context.state.order != &order)
            abort();
    }
    return 0;
}
