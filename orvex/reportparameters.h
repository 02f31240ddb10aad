#pragma once
// The parameter text the program passes: "key|value|key|value..." with a fixed key order.

#include <QHash>
#include <QString>

namespace orvex {

// Keys in the case given. A value holding "|" stays whole when the keys come in the
// program's order; any other text is read as plain pairs.
QHash<QString, QString> parseParameters(const QString& text);

} // namespace orvex
