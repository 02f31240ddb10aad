#pragma once
// Evaluates expression trees against the report's current state: the current data row,
// variables and the rows an aggregate stands over.

#include "orvex/expression.h"

#include <QString>
#include <QVariant>

namespace orvex {

class ExpressionContext {
public:
    virtual ~ExpressionContext() = default;
    // ok false when the data set has no such field.
    virtual QVariant field(const QString& dataSet, const QString& name, bool& ok) = 0;
    // Parameters, template variables and system variables (Page#, Date ...); false when there
    // is no such name. error gets why a template variable's own expression failed.
    virtual bool variable(const QString& name, QVariant& value, QString& error) = 0;
    // Aggregates: the rows in the scope of the band the expression stands in (or of the data
    // band named); each row is made current in turn, then the previous state returns.
    // -1 (and no state to end) for an aggregate inside another one: rows^depth would hang.
    virtual int beginAggregate(const QString& dataBand) = 0;
    virtual void aggregateRow(int index) = 0;
    virtual void endAggregate() = 0;
};

// Null (invalid QVariant) with *error set on the first failure.
QVariant evaluate(const ExprNode& node, ExpressionContext& context, QString* error);

bool toBool(const QVariant& value);
// Order of two values: dates and numbers by value, everything else as text.
int compareValues(const QVariant& a, const QVariant& b);
// Texts in Czech alphabetical order.
int compareTexts(const QString& a, const QString& b);

} // namespace orvex
