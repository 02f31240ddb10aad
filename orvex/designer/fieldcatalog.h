#pragma once
// What can go into a memo: the book's columns with the captions of the active book, the
// report parameters, the system values and the aggregates over the data band.

#include <QHash>
#include <QString>
#include <QVector>

namespace orvex::designer {

enum class ValueKind { Text, Amount, Date, Number };

struct FieldEntry {
    QString caption;
    QString expression; // without the brackets of a memo text
    ValueKind kind = ValueKind::Text;
};

struct FieldGroup {
    QString caption;
    QVector<FieldEntry> entries;
};

// parameters: the program's parameter text as pairs (the book and the date captions come
// from TypProstredi and Datum1..3).
QVector<FieldGroup> fieldCatalog(const QString& dataSet, const QString& masterBand,
                                 const QHash<QString, QString>& parameters);

} // namespace orvex::designer
