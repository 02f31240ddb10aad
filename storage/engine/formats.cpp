#include "storage/engine/formats.h"

#include <QDateTime>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace engine {

namespace {

struct NumberPattern {
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
    bool hasDigits = false; // a section of literal text only prints just that
};

bool isPlaceholder(QChar c) {
    return c == u'0' || c == u'#' || c == u',' || c == u'.';
}

// Splits a pattern at the ";" that are not quoted.
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

NumberPattern parsePattern(const QString& pattern) {
    NumberPattern parsed;
    bool inNumber = false;
    bool afterPoint = false;
    bool numberDone = false;
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (numberDone || inNumber ? parsed.suffix : parsed.prefix) += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            numberDone = numberDone || inNumber;
            continue;
        }
        if (!numberDone && isPlaceholder(c)) {
            inNumber = true;
            parsed.hasDigits = parsed.hasDigits || c == u'0' || c == u'#';
            if (c == u'.')
                afterPoint = true;
            else if (c == u',')
                parsed.grouping = true;
            else if (afterPoint) {
                ++parsed.maxDecimals;
                if (c == u'0')
                    parsed.minDecimals = parsed.maxDecimals;
            } else if (c == u'0') {
                ++parsed.minIntegerDigits;
            }
            continue;
        }
        numberDone = numberDone || inNumber;
        (numberDone ? parsed.suffix : parsed.prefix) += c;
    }
    return parsed;
}

QString groupDigits(const QString& digits, const QLocale& locale) {
    QString grouped;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += locale.groupSeparator();
        grouped += digits[i];
    }
    return grouped;
}

// Adds one to the last digit of a run of decimal digits (the point skipped), carrying left.
void incrementDigits(QString& digits) {
    for (int i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'.')
            continue;
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

QString formatSection(const NumberPattern& p, double value, bool withSign, const QLocale& locale) {
    if (!p.hasDigits)
        return p.prefix + p.suffix;
    const QString digits = roundedDigits(value, p.maxDecimals);
    QString integerPart = digits.section(u'.', 0, 0);
    QString decimals = digits.section(u'.', 1, 1);
    while (decimals.size() > p.minDecimals && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (integerPart == QLatin1String("0") && p.minIntegerDigits == 0)
        integerPart.clear();
    while (integerPart.size() < p.minIntegerDigits)
        integerPart.prepend(u'0');
    if (p.grouping)
        integerPart = groupDigits(integerPart, locale);
    QString number = integerPart;
    if (!decimals.isEmpty())
        number += locale.decimalPoint() + decimals;
    if (number.isEmpty())
        number = QStringLiteral("0");
    const bool negative = withSign && value < 0 && !isZeroDigits(digits);
    return p.prefix + (negative ? locale.negativeSign() : QString()) + number + p.suffix;
}

} // namespace

QString roundedDigits(double value, int decimals) {
    const double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude))
        return QString::number(magnitude, 'f', decimals);
    // The shortest text that reads back as the same double is taken as the value, so an
    // amount stored with four decimals rounds as those decimals say (2.675 to 2,68), at any
    // size.
    QString digits = QString::number(magnitude, 'f', QLocale::FloatingPointShortest);
    int point = digits.indexOf(u'.');
    if (point < 0) {
        point = digits.size();
        digits += u'.';
    }
    const int wanted = point + 1 + decimals;
    const bool roundUp = digits.size() > wanted && digits[wanted] >= u'5';
    digits = digits.left(wanted).leftJustified(wanted, u'0');
    if (roundUp)
        incrementDigits(digits);
    if (decimals == 0)
        digits.chop(1);
    return digits;
}

bool isZeroDigits(const QString& digits) {
    return std::none_of(digits.begin(), digits.end(),
                        [](QChar c) { return c >= u'1' && c <= u'9'; });
}

QString formatNumber(const QString& pattern, double value, const QLocale& locale) {
    const QStringList sections = patternSections(pattern);
    const NumberPattern positive = parsePattern(sections[0]);
    if (sections.size() >= 3 && !sections[2].isEmpty() &&
        isZeroDigits(roundedDigits(value, positive.maxDecimals)))
        return formatSection(parsePattern(sections[2]), 0, false, locale);
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatSection(parsePattern(sections[1]), -value, false, locale);
    return formatSection(positive, value, true, locale);
}

QString formatDate(const QString& pattern, const QDateTime& value) {
    // Delphi-style letters to Qt's: m is the month (n the minute), quoted parts stay literal.
    QString qtPattern;
    bool afterHour = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (lower == u'm') {
            qtPattern += afterHour ? u'm' : u'M';
        } else if (lower == u'n') {
            qtPattern += u'm';
        } else if (lower == u'd' || lower == u'y' || lower == u's') {
            qtPattern += lower;
            afterHour = afterHour && lower == u's';
        } else if (lower == u'h') {
            qtPattern += u'H';
            afterHour = true;
        } else if (c == u'"') {
            qtPattern += u'\'';
        } else if (c.isLetter()) {
            qtPattern += u'\'' + QString(c) + u'\'';
        } else {
            qtPattern += c;
        }
    }
    return QLocale::c().toString(value, qtPattern);
}

namespace {

// d.M.yyyy without parsing a pattern: exports format millions of dates.
QString shortDate(const QDate& date) {
    return QString::number(date.day()) + u'.' + QString::number(date.month()) + u'.' +
           QString::number(date.year()).rightJustified(4, u'0');
}

} // namespace

QString plainText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15).replace(u'.', u',');
    case QMetaType::QDate:
        return shortDate(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        if (stamp.time() == QTime(0, 0))
            return shortDate(stamp.date());
        return shortDate(stamp.date()) + u' ' + stamp.time().toString(QStringLiteral("H:mm:ss"));
    }
    default:
        return value.toString();
    }
}

} // namespace engine
