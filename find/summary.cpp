#include "find/summary.h"

#include "storage/engine/formats.h"

namespace {
QString shortDate(const QDate& date) {
    return engine::formatDate(QStringLiteral("d.m.yyyy"), date.startOfDay());
}
} // namespace

QString summaryText(const SummaryInputs& inputs) {
    const QStringList lines{QStringLiteral("Celkový přehled ke dni ") + shortDate(inputs.today),
                            QString(),
                            QStringLiteral("Základ celkem: ") + inputs.baseTotal,
                            QStringLiteral("DPH celkem: ") + inputs.vatTotal,
                            QString(),
                            QStringLiteral("Základ + DPH celkem: ") + inputs.grossTotal,
                            QString(),
                            QStringLiteral("Počet záznamů: ") + QString::number(inputs.rowCount),
                            inputs.filterLine};
    return lines.join(QStringLiteral("\r\n"));
}

QString filterLine(const FilterDescription& description) {
    QString line = QStringLiteral("Filtr - ");
    if (description.dateOn) {
        line += QStringLiteral("datum: ") + shortDate(description.from) + QStringLiteral(" - ") +
                shortDate(description.to);
        if (description.expressionOn)
            line += QStringLiteral(", ");
    }
    if (description.expressionOn)
        line += QStringLiteral("pole: ") + description.fieldCaption + QStringLiteral(", výraz: ") +
                description.expression;
    return line;
}
