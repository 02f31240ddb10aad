#include "storage/engine/values.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <sqlite3.h>

namespace engine {

double roundCurrency(double value) {
    return std::round(value * 10000.0) / 10000.0;
}

FieldType fieldTypeFromDeclared(const QString& declaredType, int* maxLength) {
    const QString type = declaredType.toUpper();
    if (maxLength)
        *maxLength = 0;
    if (type.contains(QLatin1String("CURRENCY")) || type.contains(QLatin1String("MONEY")))
        return FieldType::Currency;
    if (type.contains(QLatin1String("DATE")))
        return FieldType::Date;
    if (type.contains(QLatin1String("INT")))
        return FieldType::Integer;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("TEXT"))) {
        static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        const auto match = size.match(type);
        if (maxLength && match.hasMatch())
            *maxLength = match.captured(1).toInt();
        return FieldType::Text;
    }
    return FieldType::Other;
}

namespace {

QString columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

QVariant dateFromText(const QString& text) {
    if (text.size() == 10)
        return QDate::fromString(text, Qt::ISODate);
    const QDateTime stamp = QDateTime::fromString(text, Qt::ISODate);
    if (!stamp.isValid())
        return text;
    if (stamp.time() == QTime(0, 0))
        return stamp.date();
    return stamp;
}

QVariant byStorageClass(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_NULL:
        return {};
    default:
        return columnText(statement, column);
    }
}

} // namespace

QVariant readColumn(sqlite3_stmt* statement, int column, FieldType type) {
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL)
        return {};
    switch (type) {
    case FieldType::Currency:
        return roundCurrency(sqlite3_column_double(statement, column));
    case FieldType::Integer:
        return storage == SQLITE_INTEGER ? QVariant(qint64(sqlite3_column_int64(statement, column)))
                                         : byStorageClass(statement, column);
    case FieldType::Date:
        return storage == SQLITE_TEXT ? dateFromText(columnText(statement, column))
                                      : byStorageClass(statement, column);
    case FieldType::Text:
        return columnText(statement, column);
    case FieldType::Other:
        break;
    }
    return byStorageClass(statement, column);
}

int bindValue(sqlite3_stmt* statement, int index, const QVariant& value, FieldType type) {
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return sqlite3_bind_text(statement, index, value.toDate().toString(Qt::ISODate).toUtf8(),
                                 -1, SQLITE_TRANSIENT);
    case QMetaType::QDateTime:
        return sqlite3_bind_text(statement, index,
                                 value.toDateTime().toString(Qt::ISODate).toUtf8(), -1,
                                 SQLITE_TRANSIENT);
    case QMetaType::Double:
    case QMetaType::Float:
        if (type == FieldType::Integer)
            return sqlite3_bind_int64(statement, index, qRound64(value.toDouble()));
        return sqlite3_bind_double(statement, index,
                                   type == FieldType::Currency ? roundCurrency(value.toDouble())
                                                               : value.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, index, text.constData(), text.size(), SQLITE_TRANSIENT);
    }
    }
}

QVector<FieldInfo> statementFields(sqlite3_stmt* statement) {
    QVector<FieldInfo> fields;
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) {
        FieldInfo info;
        info.name = QString::fromUtf8(sqlite3_column_name(statement, i));
        const char* declared = sqlite3_column_decltype(statement, i);
        info.type =
            fieldTypeFromDeclared(QString::fromUtf8(declared ? declared : ""), &info.maxLength);
        fields.append(info);
    }
    return fields;
}

} // namespace engine
