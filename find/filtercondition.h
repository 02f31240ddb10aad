#pragma once
// The condition text of the filter panel and the checks that come before it.

#include <QDate>
#include <QString>

// What the panel's controls ask for. An empty field means no column is chosen.
struct FilterRequest {
    bool dateOn = false;
    QString dateField; // Datum1..Datum3
    QDate from;
    QDate to;
    bool expressionOn = false;
    QString field;
    QString expression; // as typed
};

enum class FilterProblem { None, NothingTicked, NoDateField, DatesReversed, NoField, NoExpression };

// The first failed check, in the order the panel shows them.
FilterProblem checkFilter(const FilterRequest& request);
// The message shown for a failed check.
QString problemMessage(FilterProblem problem);

// The expression without leading and trailing blanks and control characters.
QString trimBlanks(const QString& text);

// " WHERE " + date part + expression part, for a request that passed the checks. The
// expression is matched anywhere in the column; an apostrophe in it is doubled so that the
// literal stays intact, while % and _ stay wildcards.
QString filterCondition(const FilterRequest& request);

// First and last day of a month (1..12) of the year of today.
QDate firstDayOfMonth(int month, const QDate& today);
QDate lastDayOfMonth(int month, const QDate& today);
