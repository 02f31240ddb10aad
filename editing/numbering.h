#pragma once
// Proposed invoice numbers: a series prefix followed by a four-digit counter, one above the
// greatest four-character ending among the stored numbers of the book.

#include "storage/appstate.h"

#include <QString>

// The statement text, exactly as the program builds it (apostrophes in the prefix doubled).
// Kind 1 counts only the numbers that begin with the prefix; any other kind counts them all.
QString numberingQuery(const QString& table, const QString& prefix, int kind);

// Next number of the series: prefix + 4 digits; false with a Czech message in *error
// (database error, or the series is exhausted past 9999).
bool NextInvoiceNumber(AppState& state, const QString& table, const QString& prefix, int kind,
                       QString& number, QString* error);
