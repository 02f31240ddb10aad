#include "orvex/valueformat.h"

#include "storage/engine/formats.h"

#include <QLocale>
#include <QStringList>

namespace orvex {

namespace {

const QChar czechDecimalPoint(u',');

const QLocale& czechLocale() {
    static const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    return czech;
}

QString zeros(int count) {
    return QString(qMax(count, 0), u'0');
}

QString general(double value, int precision) {
    QString text = QString::number(value, 'g', precision);
    text.replace(u'e', u'E');
    text.replace(u'.', czechDecimalPoint);
    return text;
}

QString scientific(double value, int precision) {
    QString text = QString::number(value, 'e', qMax(0, precision - 1));
    const int e = text.indexOf(u'e');
    QString exponent = text.mid(e + 2).rightJustified(3, u'0');
    text = text.left(e).replace(u'.', czechDecimalPoint) + u'E' + text[e + 1] + exponent;
    return text;
}

struct FormatSpec {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    QChar type;
};

// The number pattern a conversion stands for: %d "0", %.3d "000", %n "#,##0.00", %f "0.00".
QString conversionPattern(QChar type, int precision) {
    if (type == u'd' || type == u'u')
        return zeros(qMax(precision, 1));
    const int decimals = precision < 0 ? 2 : precision;
    const QString grouping = type == u'f' ? QString() : QStringLiteral("#,##");
    return grouping + u'0' + (decimals > 0 ? u'.' + zeros(decimals) : QString());
}

QString applySpec(const FormatSpec& conversion, const QVariant& value) {
    const double number = value.toDouble();
    const QChar type = conversion.type.toLower();
    switch (type.unicode()) {
    case 'd':
    case 'u':
    case 'f':
    case 'n':
        return formatFloat(conversionPattern(type, conversion.precision), number);
    case 'm':
        return formatFloat(conversionPattern(type, conversion.precision), number) +
               QStringLiteral(" Kč");
    case 'g':
        return general(number, conversion.precision < 0 ? 15 : qMax(1, conversion.precision));
    case 'e':
        return scientific(number, conversion.precision < 0 ? 15 : conversion.precision);
    case 'x':
        return QString::number(qRound64(number), 16).toUpper();
    default:
        return plainValueText(value);
    }
}

const QStringList& czechMonths() {
    static const QStringList months = {
        QStringLiteral("leden"),    QStringLiteral("únor"),     QStringLiteral("březen"),
        QStringLiteral("duben"),    QStringLiteral("květen"),   QStringLiteral("červen"),
        QStringLiteral("červenec"), QStringLiteral("srpen"),    QStringLiteral("září"),
        QStringLiteral("říjen"),    QStringLiteral("listopad"), QStringLiteral("prosinec")};
    return months;
}

const QStringList& czechShortMonths() {
    static const QStringList months = {
        QStringLiteral("led"), QStringLiteral("úno"), QStringLiteral("bře"), QStringLiteral("dub"),
        QStringLiteral("kvě"), QStringLiteral("čvn"), QStringLiteral("čvc"), QStringLiteral("srp"),
        QStringLiteral("zář"), QStringLiteral("říj"), QStringLiteral("lis"), QStringLiteral("pro")};
    return months;
}

const QStringList& czechDays() { // Monday first, as QDate::dayOfWeek counts
    static const QStringList days = {QStringLiteral("pondělí"), QStringLiteral("úterý"),
                                     QStringLiteral("středa"),  QStringLiteral("čtvrtek"),
                                     QStringLiteral("pátek"),   QStringLiteral("sobota"),
                                     QStringLiteral("neděle")};
    return days;
}

const QStringList& czechShortDays() {
    static const QStringList days = {
        QStringLiteral("po"), QStringLiteral("út"), QStringLiteral("st"), QStringLiteral("čt"),
        QStringLiteral("pá"), QStringLiteral("so"), QStringLiteral("ne")};
    return days;
}

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

QString dayPart(int count, const QDate& date) {
    switch (count) {
    case 1:
        return QString::number(date.day());
    case 2:
        return twoDigits(date.day());
    case 3:
        return czechShortDays().value(date.dayOfWeek() - 1);
    case 4:
        return czechDays().value(date.dayOfWeek() - 1);
    case 5:
        return formatDateTime(QStringLiteral("d.m.yyyy"), QDateTime(date, QTime(0, 0), Qt::UTC));
    default:
        return formatDateTime(QStringLiteral("d. mmmm yyyy"),
                              QDateTime(date, QTime(0, 0), Qt::UTC));
    }
}

QString monthPart(int count, int month) {
    switch (count) {
    case 1:
        return QString::number(month);
    case 2:
        return twoDigits(month);
    case 3:
        return czechShortMonths().value(month - 1);
    default:
        return czechMonths().value(month - 1);
    }
}

} // namespace

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isDate(const QVariant& value) {
    return value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime;
}

QString formatDelphi(const QString& format, const QVariant& value) {
    QString out;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        FormatSpec conversion;
        int k = i + 1;
        const auto readNumber = [&]() {
            int start = k;
            while (k < format.size() && format[k].isDigit())
                ++k;
            return k > start ? format.mid(start, k - start).toInt() : -1;
        };
        if (k < format.size() && format[k] == u'-') {
            conversion.leftAlign = true;
            ++k;
        }
        conversion.width = readNumber();
        if (k < format.size() && format[k] == u'.') {
            ++k;
            conversion.precision = qMax(0, readNumber());
        }
        if (k >= format.size()) {
            out += format.mid(i);
            break;
        }
        conversion.type = format[k];
        const QString text = applySpec(conversion, value);
        out += conversion.leftAlign ? text.leftJustified(conversion.width)
                                    : text.rightJustified(conversion.width);
        i = k;
    }
    return out;
}

QString formatFloat(const QString& pattern, double value) {
    return engine::formatNumber(pattern, value, czechLocale());
}

QString formatDateTime(const QString& pattern, const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    QString out;
    bool afterHour = false;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == u'"' || c == u'\'') {
            const int end = pattern.indexOf(c, i + 1);
            out += pattern.mid(i + 1, (end < 0 ? pattern.size() : end) - i - 1);
            i = end < 0 ? pattern.size() : end + 1;
            continue;
        }
        int count = 1;
        while (i + count < pattern.size() && pattern[i + count].toLower() == lower)
            ++count;
        if (lower == u'd') {
            out += dayPart(count, date);
        } else if (lower == u'm') {
            if (afterHour)
                out += count == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            else
                out += monthPart(count, date.month());
        } else if (lower == u'y') {
            out += count <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
        } else if (lower == u'h') {
            out += count == 1 ? QString::number(time.hour()) : twoDigits(time.hour());
        } else if (lower == u'n') {
            out += count == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
        } else if (lower == u's') {
            out += count == 1 ? QString::number(time.second()) : twoDigits(time.second());
        } else if (c == u'/') {
            out += QString(u'.').repeated(count);
        } else {
            out += QString(c).repeated(count);
        }
        if (lower.isLetter())
            afterHour = lower == u'h';
        i += count;
    }
    return out;
}

QString plainValueText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return general(value.toDouble(), 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return formatDateTime(QStringLiteral("d.m.yyyy"),
                              QDateTime(value.toDate(), QTime(0, 0), Qt::UTC));
    case QMetaType::QTime:
        return formatDateTime(QStringLiteral("h:nn:ss"),
                              QDateTime(QDate(2000, 1, 1), value.toTime(), Qt::UTC));
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        return formatDateTime(stamp.time() == QTime(0, 0) ? QStringLiteral("d.m.yyyy")
                                                          : QStringLiteral("d.m.yyyy h:nn:ss"),
                              stamp);
    }
    default:
        return value.toString();
    }
}

QString formatValue(const QVariant& value, const DisplayFormat& format) {
    QString text;
    if (format.kind == FormatKind::Numeric && isNumber(value) && !format.formatStr.isEmpty()) {
        text = format.formatStr.contains(u'%') ? formatDelphi(format.formatStr, value)
                                               : formatFloat(format.formatStr, value.toDouble());
        if (!format.decimalSeparator.isEmpty() && format.decimalSeparator != QLatin1String(","))
            text.replace(czechDecimalPoint, format.decimalSeparator);
        return text;
    }
    // Stamps are built in UTC: only their fields are printed, and a local-time stamp costs a
    // time zone look-up per value.
    if (format.kind == FormatKind::DateTime && isDate(value) && !format.formatStr.isEmpty())
        return formatDateTime(format.formatStr,
                              value.typeId() == QMetaType::QDate
                                  ? QDateTime(value.toDate(), QTime(0, 0), Qt::UTC)
                                  : value.toDateTime());
    if (format.kind == FormatKind::Boolean && value.isValid() && !value.isNull()) {
        const QStringList names = format.formatStr.split(u',');
        if (names.size() == 2)
            return names[value.toBool() ? 1 : 0];
    }
    return plainValueText(value);
}

} // namespace orvex
