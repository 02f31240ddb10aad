#pragma once
// Display texts of values: number patterns ("#,##0.00", "0.00", with literal text), date
// patterns ("d.m.yyyy") and the plain text form of a value, all with Czech conventions.

#include <QLocale>
#include <QString>
#include <QVariant>

namespace engine {

// A number pattern: 0 and # digit places, "," grouping, "." decimal point, anything else
// (quoted or not) literal text. Up to three sections split by ";": positive, negative
// (printed without a minus sign of its own) and zero (for values that round to zero). The
// locale gives the separators and the minus sign.
QString formatNumber(const QString& pattern, double value, const QLocale& locale = QLocale());

// |value| rounded half away from zero to the decimals on its decimal value, as "1234.50"
// ("1235" for no decimals): every number pattern rounds this way.
QString roundedDigits(double value, int decimals);
// No digit other than 0 in the text: a value that rounds to zero.
bool isZeroDigits(const QString& digits);

// A date pattern of d, dd, m, mm, yy, yyyy (and h, hh, n, nn, s, ss for times).
QString formatDate(const QString& pattern, const QDateTime& value);

// The plain text of a value: integers plain, numbers in their shortest form with a decimal
// comma, dates as d.m.yyyy with a time only when it is not midnight, NULL empty.
QString plainText(const QVariant& value);

} // namespace engine
