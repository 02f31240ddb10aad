#pragma once
// The text of the exported rows: each value in its plain form (engine::plainText), laid out
// as XML elements or as a delimited line.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QVariant>
#include <QVector>

namespace engine {
class DataSet;
}

namespace Export1 {

// &, < and > as entities; everything else as it is.
QString xmlEscaped(const QString& text);

// Lines of the XML document (UTF-8, CR LF after each).
QByteArray xmlHead(const QString& rootName, int rowCount);
QByteArray xmlRecord(const engine::DataSet& dataSet, const QVector<QVariant>& values);
QByteArray xmlTail(const QString& rootName, int rowCount);

// A value made safe for one delimited line: the separator becomes "_", line breaks vanish.
QString csvValue(QString text, QChar separator);

// Lines of the delimited file (Unicode; the caller encodes them).
QString csvHeader(const engine::DataSet& dataSet, QChar separator, bool endSeparator);
QString csvRecord(const QVector<QVariant>& values, QChar separator, bool endSeparator);

} // namespace Export1
