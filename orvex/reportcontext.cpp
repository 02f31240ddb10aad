#include "orvex/reportcontext.h"

#include "orvex/reportscope.h"

namespace orvex {

ReportContext::ReportContext(const DataTable& data, const QHash<QString, QString>& parameters,
                             const QVector<Variable>& variables, const QDateTime& now)
    : data_(data), now_(now) {
    for (auto it = parameters.begin(); it != parameters.end(); ++it)
        parameters_.insert(it.key().toLower(), it.value());
    for (const Variable& v : variables)
        variables_.insert(v.name.toLower(), v.expression);
}

void ReportContext::registerDataBand(const QString& name, const QVector<int>* order) {
    dataBands_.insert(name.toLower(), order);
}

QVariant ReportContext::field(const QString&, const QString& name, bool& ok) {
    // A report has one data set, the rows of its SQL text, whatever name the template uses.
    const int column = data_.fieldIndex(name);
    ok = column >= 0;
    if (!ok || !state.order || state.position < 0 || state.position >= state.order->size())
        return {};
    const int row = state.order->at(state.position);
    return row < data_.rows.size() ? data_.rows[row].value(column) : QVariant();
}

bool ReportContext::systemVariable(const QString& lowerName, QVariant& value) const {
    if (lowerName == QLatin1String("page#") || lowerName == QLatin1String("page"))
        value = qint64(state.page);
    else if (lowerName == QLatin1String("totalpages#") || lowerName == QLatin1String("totalpages"))
        value = qint64(totalPages);
    else if (lowerName == QLatin1String("line#") || lowerName == QLatin1String("line"))
        value = qint64(state.line);
    else if (lowerName == QLatin1String("date"))
        value = now_.date();
    else if (lowerName == QLatin1String("time"))
        value = now_.time();
    else if (lowerName == QLatin1String("now"))
        value = now_;
    else if (lowerName == QLatin1String("rozsah"))
        value = describeScope(data_.sql, parameters_);
    else
        return false;
    return true;
}

bool ReportContext::variable(const QString& name, QVariant& value, QString& error) {
    const QString key = name.toLower();
    if (parameters_.contains(key)) {
        value = parameters_.value(key);
        return true;
    }
    if (systemVariable(key, value))
        return true;
    if (!variables_.contains(key))
        return false;
    if (evaluating_.contains(key)) {
        error = QStringLiteral("odkazuje sama na sebe");
        return true;
    }
    const ParsedExpression& parsed = parsedVariable(key);
    if (!parsed.root) {
        value = variables_.value(key); // not an expression: the text itself
        return true;
    }
    evaluating_ << key;
    value = evaluate(*parsed.root, *this, &error);
    evaluating_.removeLast();
    return true;
}

const ParsedExpression& ReportContext::parsedVariable(const QString& key) const {
    auto it = parsedVariables_.find(key);
    if (it == parsedVariables_.end())
        it = parsedVariables_.insert(key, parseExpression(variables_.value(key)));
    return *it;
}

bool ReportContext::dependsOn(const ExprNode& node, const QString& name) const {
    QStringList seen;
    return dependsOn(node, name, seen);
}

bool ReportContext::dependsOn(const ExprNode& node, const QString& name, QStringList& seen) const {
    if (node.type == ExprNode::Type::Name) {
        const QString key = node.name.toLower();
        if (key == name.toLower())
            return true;
        if (variables_.contains(key) && !parameters_.contains(key) && !seen.contains(key)) {
            seen << key;
            const ParsedExpression& parsed = parsedVariable(key);
            if (parsed.root && dependsOn(*parsed.root, name, seen))
                return true;
        }
    }
    for (const ExprPtr& arg : node.args)
        if (dependsOn(*arg, name, seen))
            return true;
    return false;
}

int ReportContext::beginAggregate(const QString& dataBand) {
    if (!saved_.isEmpty())
        return -1;
    saved_ << state;
    const QVector<int>* named = dataBands_.value(dataBand.toLower());
    if (named && named != state.order) {
        state.order = named;
        state.scope = RowSpan{0, int(named->size())};
    }
    if (!state.order)
        return 0;
    return qMax(0, state.scope.to - state.scope.from);
}

void ReportContext::aggregateRow(int index) {
    state.position = state.scope.from + index;
}

void ReportContext::endAggregate() {
    if (!saved_.isEmpty())
        state = saved_.takeLast();
}

} // namespace orvex
