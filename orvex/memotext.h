#pragma once
// A memo's text as literal pieces and expressions between the memo's delimiters ("[" and
// "]" unless the memo names others). Brackets nest, and quoted strings may hold delimiters.

#include "orvex/expression.h"

#include <QString>
#include <QVector>

namespace orvex {

struct TextPiece {
    QString text; // literal text, or the expression's source
    bool isExpression = false;
    ParsedExpression parsed;
};

QVector<TextPiece> splitMemoText(const QString& text, const QString& open, const QString& close);

} // namespace orvex
