#pragma once
// Expressions of memo texts: data fields (<Data."Field">, Data."Field"), variables, numbers,
// 'strings', + - * / div mod, comparisons, and/or/not and function calls. Names ignore
// letter case.

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

namespace orvex {

struct ExprNode {
    enum class Type { Literal, Field, Name, Unary, Binary, Call };
    Type type = Type::Literal;
    QVariant value;  // Literal
    QString dataSet; // Field
    QString name;    // field, variable, operator ("+", "<=", "and") or function (lower case)
    QVector<std::shared_ptr<const ExprNode>> args;
};

using ExprPtr = std::shared_ptr<const ExprNode>;

struct ParsedExpression {
    ExprPtr root; // null when the text is not an expression
    QString error;
};

ParsedExpression parseExpression(const QString& text);

} // namespace orvex
