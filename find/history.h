#pragma once
// The expression histories of the filter panel (section "Filtr") and of the search dialog
// (section "Seznam"): keys Polozka1..Polozka20, the most recent first, "none" for an empty slot.

#include <QStringList>

namespace history {

constexpr int maxEntries = 20;

// The stored entries in key order; "none" and empty values are skipped.
QStringList read(const QString& settingsPath, const QString& section);
// Writes all twenty keys when the list holds entries; an empty list leaves the file alone.
// Returns the error text when the file could not be written, else an empty text.
QString write(const QString& settingsPath, const QString& section, const QStringList& entries);

} // namespace history
