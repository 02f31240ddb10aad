#include "orvex/valueformat.h"

#include <QStringList>
#include <cmath>

namespace orvex {

namespace {

const QChar czechGroupSeparator(0x00A0);
const QChar czechDecimalPoint(u',');

// |value| rounded half away from zero to the decimals, as "1234.50". The tiny nudge keeps
// decimal ties that binary doubles store just below the half (2.675) rounding up.
QString fixedDigits(double value, int decimals) {
    const double absolute = std::fabs(value);
    const double scaled = absolute * std::pow(10.0, decimals);
    if (!std::isfinite(scaled) || scaled >= 9e17)
        return QString::number(absolute, 'f', decimals);
    const qint64 rounded = static_cast<qint64>(std::floor(scaled + 0.5 + scaled * 1e-12));
    QString digits = QString::number(rounded).rightJustified(decimals + 1, u'0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, u'.');
    return digits;
}

QString groupThousands(const QString& integerDigits) {
    QString grouped;
    const int n = integerDigits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += czechGroupSeparator;
        grouped += integerDigits[i];
    }
    return grouped;
}

// "1234.50" -> "1 234,50" (grouped) or "1234,50".
QString czechNumber(const QString& digits, bool grouped) {
    QString integerPart = digits.section(u'.', 0, 0);
    const QString decimals = digits.section(u'.', 1, 1);
    if (grouped)
        integerPart = groupThousands(integerPart);
    return decimals.isEmpty() ? integerPart : integerPart + czechDecimalPoint + decimals;
}

bool isZeroDigits(const QString& digits) {
    for (const QChar c : digits)
        if (c.isDigit() && c != u'0')
            return false;
    return true;
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

QString applySpec(const FormatSpec& conversion, const QVariant& value) {
    const double number = value.toDouble();
    const QString sign = number < 0 ? QStringLiteral("-") : QString();
    const int decimals = conversion.precision < 0 ? 2 : conversion.precision;
    switch (conversion.type.toLower().unicode()) {
    case 'd':
    case 'u': {
        const QString digits =
            fixedDigits(number, 0).rightJustified(qMax(conversion.precision, 1), u'0');
        return (number <= -0.5 ? sign : QString()) + digits;
    }
    case 'f':
    case 'n':
    case 'm': {
        const QString digits = fixedDigits(number, decimals);
        const QString text = (isZeroDigits(digits) ? QString() : sign) +
                             czechNumber(digits, conversion.type.toLower() != u'f');
        return conversion.type.toLower() == u'm' ? text + QStringLiteral(" Kč") : text;
    }
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

// Splits a FormatFloat pattern at the ";" that are not quoted.
QStringList patternSections(const QString& pattern) {
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            quote = c == quote ? QChar() : quote;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections << QString();
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

struct NumberPattern {
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
    bool hasDigits = false; // a section of literal text only prints just that
};

NumberPattern parseNumberPattern(const QString& section) {
    NumberPattern p;
    bool inNumber = false, afterPoint = false, done = false;
    QChar quote;
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (inNumber || done ? p.suffix : p.prefix) += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            done = done || inNumber;
        } else if (!done && (c == u'0' || c == u'#' || c == u',' || c == u'.')) {
            inNumber = true;
            p.hasDigits = p.hasDigits || c == u'0' || c == u'#';
            if (c == u'.')
                afterPoint = true;
            else if (c == u',')
                p.grouping = true;
            else if (afterPoint) {
                ++p.maxDecimals;
                if (c == u'0')
                    p.minDecimals = p.maxDecimals;
            } else if (c == u'0')
                ++p.minIntegerDigits;
        } else {
            done = done || inNumber;
            (done ? p.suffix : p.prefix) += c;
        }
    }
    return p;
}

QString formatWithPattern(const NumberPattern& p, double value, bool withSign) {
    if (!p.hasDigits)
        return p.prefix + p.suffix;
    QString digits = fixedDigits(value, p.maxDecimals);
    QString integerPart = digits.section(u'.', 0, 0);
    QString decimals = digits.section(u'.', 1, 1);
    while (decimals.size() > p.minDecimals && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (integerPart == QLatin1String("0") && p.minIntegerDigits == 0)
        integerPart.clear();
    integerPart = integerPart.rightJustified(p.minIntegerDigits, u'0');
    if (p.grouping)
        integerPart = groupThousands(integerPart);
    QString number = decimals.isEmpty() ? integerPart : integerPart + czechDecimalPoint + decimals;
    if (number.isEmpty())
        number = QStringLiteral("0");
    const bool negative = withSign && value < 0 && !isZeroDigits(digits);
    return p.prefix + (negative ? QStringLiteral("-") : QString()) + number + p.suffix;
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
    const QStringList sections = patternSections(pattern);
    const NumberPattern positive = parseNumberPattern(sections[0]);
    if (sections.size() >= 3 && !sections[2].isEmpty() &&
        isZeroDigits(fixedDigits(value, positive.maxDecimals)))
        return formatWithPattern(parseNumberPattern(sections[2]), 0, false);
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatWithPattern(parseNumberPattern(sections[1]), -value, false);
    return formatWithPattern(positive, value, true);
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
