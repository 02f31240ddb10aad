#pragma once
// Which automatic backups a folder keeps: the newest 10 and, beyond them, the newest of each
// of the last 12 months (this month included). Files with other names are never touched.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace backup {

struct DatedBackup {
    QString name;
    QDateTime time; // from the name
};

// The automatic backups in a folder, newest first.
QList<DatedBackup> automaticBackups(const QString& folder);
// Names to delete from a newest-first list.
QStringList namesToDelete(const QList<DatedBackup>& newestFirst, const QDate& today);
// Deletes what the rule lets go, and copies left half-written by a run that was killed an hour
// or more ago; returns the names that could not be deleted.
QStringList rotateBackups(const QString& folder, const QDateTime& now);

} // namespace backup
