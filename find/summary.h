#pragma once
// The text of the summary listing: today's date, the three totals as the status line shows
// them, the number of shown rows and a line describing the filter in force.

#include <QDate>
#include <QString>

struct SummaryInputs {
    QDate today;
    QString baseTotal; // texts of the status line's total labels
    QString vatTotal;
    QString grossTotal;
    int rowCount = 0;
    QString filterLine; // empty without a filter
};

// Nine lines joined by CR LF; the row count line always ends with CR LF.
QString summaryText(const SummaryInputs& inputs);

// The filter line: "Filtr - " with the date range and/or the column and expression.
struct FilterDescription {
    bool dateOn = false;
    QDate from;
    QDate to;
    bool expressionOn = false;
    QString fieldCaption;
    QString expression;
};
QString filterLine(const FilterDescription& description);
