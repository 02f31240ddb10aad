#pragma once
// The rows a report runs over, read whole: the result of the report's SQL text or, in tests,
// rows made by hand. Values: invalid QVariant for NULL, qint64, double, QDate, QString.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace orvex {

struct DataTable {
    QStringList fieldNames;
    QVector<QVector<QVariant>> rows;
    QString sql; // the text the rows were read with; empty for rows made by hand

    // Letter case ignored; -1 when there is no such field.
    int fieldIndex(const QString& name) const {
        for (int i = 0; i < fieldNames.size(); ++i)
            if (fieldNames[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

} // namespace orvex
