#pragma once
// Fills a book table with realistic invoices for measurements: Czech partners with their
// company numbers and bank accounts, three number series, amounts in whole cents with the
// VAT rates 21, 15, 10 and 0, dates over ten years and a note on every seventh row.

#include <QString>

namespace bench {

// Appends `rows` invoices to `table` (FDosle or FOdeslane) of the database in programDir,
// creating the database when missing. The same arguments always give the same rows.
// False with the reason in *error.
bool generateBook(const QString& programDir, const QString& table, qint64 rows, QString* error);

} // namespace bench
