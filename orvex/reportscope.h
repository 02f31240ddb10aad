#pragma once
// The rows a report covers, in words for the printed page: "celá kniha" or the filter of
// the program's SQL text (date range and text condition) with the columns' captions.

#include <QHash>
#include <QString>

namespace orvex {

// parameters: keys in lower case; the date columns' captions come from datum1 .. datum3.
QString describeScope(const QString& sql, const QHash<QString, QString>& parameters);

} // namespace orvex
