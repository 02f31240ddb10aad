#pragma once
// The state expressions see while a report is laid out: the current row of the data band's
// row order, the rows an aggregate covers, page numbers, parameters and variables.

#include "orvex/datatable.h"
#include "orvex/evaluator.h"
#include "orvex/model.h"

#include <QDateTime>
#include <QHash>
#include <QVector>

namespace orvex {

// Positions [from, to) in a row order.
struct RowSpan {
    int from = 0;
    int to = 0;
};

// Everything a memo's value depends on, so it can be evaluated again later (TotalPages#).
struct ContextState {
    const QVector<int>* order = nullptr; // rows of the data band in print order
    int position = -1;                   // current position in order, -1: no row
    RowSpan scope;                       // rows of the aggregates of the band being printed
    int page = 0;
    int line = 0;
};

class ReportContext : public ExpressionContext {
public:
    ReportContext(const DataTable& data, const QHash<QString, QString>& parameters,
                  const QVector<Variable>& variables, const QDateTime& now);

    ContextState state;
    int totalPages = 0; // 0 while unknown

    // Rows of a named data band for aggregates that name it (all of its rows).
    void registerDataBand(const QString& name, const QVector<int>* order);

    QVariant field(const QString& dataSet, const QString& name, bool& ok) override;
    bool variable(const QString& name, QVariant& value, QString& error) override;

    // Whether the expression uses the name, directly or through template variables.
    bool dependsOn(const ExprNode& node, const QString& name) const;
    int beginAggregate(const QString& dataBand) override;
    void aggregateRow(int index) override;
    void endAggregate() override;

private:
    bool systemVariable(const QString& lowerName, QVariant& value) const;
    const ParsedExpression& parsedVariable(const QString& key) const;
    bool dependsOn(const ExprNode& node, const QString& name, QStringList& seen) const;

    const DataTable& data_;
    QHash<QString, QString> parameters_; // keys in lower case
    QHash<QString, QString> variables_;  // keys in lower case: expression texts
    QDateTime now_;
    QHash<QString, const QVector<int>*> dataBands_;
    QVector<ContextState> saved_;
    QStringList evaluating_; // variables being evaluated, against self-reference
    mutable QHash<QString, ParsedExpression> parsedVariables_; // parsed once, by key
};

} // namespace orvex
