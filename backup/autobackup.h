#pragma once
// The automatic backups in Zalohy: when one is due at start, and taking one with the rotation
// of the folder after it.

#include <QDateTime>
#include <QString>

namespace backup {

// True when the database file exists and no automatic backup was written after its last
// change (its journal file's change included).
bool startBackupDue(const QString& databasePath, const QString& folder);

struct BackupOutcome {
    QString path;  // the new backup; empty when none was made
    QString error; // why none was made, or which old backups could not be deleted
};

// Copies the database into the folder (created when missing) as Lumira-<now>.mdb, a second
// later when that name is taken, and then rotates the folder. Older backups stay when it fails.
BackupOutcome backUpInto(const QString& databasePath, const QString& folder, const QDateTime& now);

} // namespace backup
