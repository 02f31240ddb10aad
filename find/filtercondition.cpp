#include "find/filtercondition.h"

#include "storage/engine/jetliteral.h"

namespace {

QString dateLiteral(const QDate& date) {
    return u'#' + date.toString(QStringLiteral("yyyy-MM-dd")) + u'#';
}

QString datePart(const FilterRequest& request) {
    const QString& f = request.dateField;
    return QStringLiteral(" (") + f + QStringLiteral(" >= ") + dateLiteral(request.from) +
           QStringLiteral(") AND (") + f + QStringLiteral(" <= ") + dateLiteral(request.to) +
           QStringLiteral(") ");
}

QString expressionPart(const FilterRequest& request) {
    const QString pattern = u'%' + trimBlanks(request.expression) + u'%';
    return u' ' + request.field + QStringLiteral(" LIKE ") + jetLiteral(pattern) + u' ';
}

} // namespace

FilterProblem checkFilter(const FilterRequest& request) {
    if (!request.dateOn && !request.expressionOn)
        return FilterProblem::NothingTicked;
    if (request.dateOn) {
        if (request.dateField.isEmpty())
            return FilterProblem::NoDateField;
        if (request.to < request.from)
            return FilterProblem::DatesReversed;
    }
    if (request.expressionOn) {
        if (request.field.isEmpty())
            return FilterProblem::NoField;
        if (trimBlanks(request.expression).isEmpty())
            return FilterProblem::NoExpression;
    }
    return FilterProblem::None;
}

QString problemMessage(FilterProblem problem) {
    switch (problem) {
    case FilterProblem::NothingTicked:
        return QStringLiteral("Není vybraná ani jedna volba filtrování.");
    case FilterProblem::NoDateField:
        return QStringLiteral("Není vybraná kolonka data.");
    case FilterProblem::DatesReversed:
        return QStringLiteral("Počáteční datum nemůže být vyšší než koncové datum.");
    case FilterProblem::NoField:
        return QStringLiteral("Není vybrané pole.");
    case FilterProblem::NoExpression:
        return QStringLiteral("Není zadaný výraz filtru.");
    case FilterProblem::None:
        break;
    }
    return {};
}

QString trimBlanks(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString filterCondition(const FilterRequest& request) {
    QString dates = request.dateOn ? datePart(request) : QString();
    const QString expression = request.expressionOn ? expressionPart(request) : QString();
    if (!dates.isEmpty() && !expression.isEmpty())
        dates += QStringLiteral(" AND ");
    return QStringLiteral(" WHERE ") + dates + expression;
}

QDate firstDayOfMonth(int month, const QDate& today) {
    return QDate(today.year(), month, 1);
}

QDate lastDayOfMonth(int month, const QDate& today) {
    const QDate first = firstDayOfMonth(month, today);
    return first.addDays(first.daysInMonth() - 1);
}
