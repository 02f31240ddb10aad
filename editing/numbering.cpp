#include "editing/numbering.h"

#include "dialogs/dialogy.h"
#include "storage/engine/jetliteral.h"

namespace {

constexpr int counterDigits = 4;
constexpr int lastCounter = 9999;

// Text of the greatest ending, "0000" when the book has none; false on a database error.
bool greatestEnding(engine::DataSet& scratch, const QString& statement, QString& ending,
                    QString* error) {
    scratch.close();
    scratch.setCommandText(statement);
    const bool opened = scratch.open();
    if (opened && scratch.recordCount() > 0 && !scratch.isNull(QStringLiteral("KonecCisla")))
        ending = scratch.text(QStringLiteral("KonecCisla"));
    else
        ending = QStringLiteral("0000");
    if (!opened && error)
        *error = scratch.lastError();
    scratch.close();
    return opened;
}

QString exhaustedMessage(const QString& prefix) {
    return QStringLiteral("Číselná řada \"%1\" je vyčerpaná: další číslo by přesáhlo %2. "
                          "Zadejte číslo ručně nebo použijte jinou číselnou řadu.")
        .arg(prefix, QString::number(lastCounter));
}

} // namespace

QString numberingQuery(const QString& table, const QString& prefix, int kind) {
    const QString literal = jetLiteral(prefix);
    const QString condition = kind == 1 ? QStringLiteral("WHERE Left(Cislo, Len(") + literal +
                                              QStringLiteral(")) = ") + literal
                                        : QString();
    return QStringLiteral("SELECT TOP 1 KonecCisla FROM ( SELECT DISTINCT Right(Cislo, 4) AS "
                          "KonecCisla FROM ") +
           table + u' ' + condition + QStringLiteral(") AS T1  ORDER BY KonecCisla DESC");
}

bool NextInvoiceNumber(AppState& state, const QString& table, const QString& prefix, int kind,
                       QString& number, QString* error) {
    QString ending;
    if (!greatestEnding(state.scratch, numberingQuery(table, prefix, kind), ending, error))
        return false;
    QString digits = dialogs::DigitsOnly(ending);
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    // At most four digits, so the next value is at most 10000: one past the series' end.
    const int next = digits.toInt() + 1;
    if (next > lastCounter) {
        if (error)
            *error = exhaustedMessage(prefix);
        return false;
    }
    number = prefix + dialogs::PadText(QString::number(next), counterDigits, 2);
    return true;
}
