#pragma once
// Consistent copies of a database through SQLite's online backup: the copy is one state of the
// books even while another copy of the program stores rows, whatever the journal mode.

#include <QString>

struct sqlite3;

namespace backup {

// Copies the database file at databasePath to target. The copy is written under a temporary
// name beside the target, switched to a plain rollback journal (one self-contained file),
// checked with PRAGMA integrity_check and only then renamed over the target. On failure the
// target is untouched, nothing is left behind and error tells why, in Czech.
bool copyDatabase(const QString& databasePath, const QString& target, QString* error);

// Replaces the content of the open database live with the file's, in the single write
// transaction of one backup step: readers see either the old or the new books, never a mix.
bool copyInto(sqlite3* live, const QString& sourcePath, QString* error);

// PRAGMA integrity_check; false with the first problems (or the engine's error) in error.
bool checkIntegrity(sqlite3* db, QString* error);

} // namespace backup
