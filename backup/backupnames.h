#pragma once
// Where the backups live and how they are named: the folder Zalohy beside the database,
// "Lumira-YYYYMMDD-HHMMSS.mdb" for the automatic ones, "Lumira-YYYYMMDD.mdb" proposed for a
// copy the user saves himself.

#include <QDateTime>
#include <QString>
#include <optional>

namespace backup {

// programDir ends with a separator, as AppState::ProgramDir does.
QString backupFolder(const QString& programDir);
QString automaticName(const QDateTime& time);
// The time in an automatic backup's name; nullopt for any other name.
std::optional<QDateTime> automaticTime(const QString& fileName);
QString manualName(const QDate& date);
// Name of a copy being written, for QTemporaryFile (XXXXXX) or as a wildcard (*).
QString temporaryName(const QString& unique);

} // namespace backup
