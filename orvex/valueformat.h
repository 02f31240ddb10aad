#pragma once
// Texts of report values with Czech conventions: Delphi-style Format ("%2.2n", "%2.2m",
// "%g"), FormatFloat patterns with sections, FormatDateTime patterns and the plain form.

#include "orvex/model.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace orvex {

// One Delphi Format specifier applied to one value: %d %u %f %n %m %g %e %s %x.
QString formatDelphi(const QString& format, const QVariant& value);
// "#,##0.00", "0.00;-0.00;nula" and the like: the engine's number patterns with the Czech
// separators whatever the locale.
QString formatFloat(const QString& pattern, double value);
// d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss, "/" and ":" separators, quoted text.
QString formatDateTime(const QString& pattern, const QDateTime& value);
// The text of a value with no format: 1234,5; 12.3.2024; 12.3.2024 8:05:00.
QString plainValueText(const QVariant& value);
// The text of a value under a memo's display format.
QString formatValue(const QVariant& value, const DisplayFormat& format);

bool isNumber(const QVariant& value);
bool isDate(const QVariant& value);

} // namespace orvex
