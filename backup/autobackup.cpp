#include "backup/autobackup.h"

#include "backup/backupnames.h"
#include "backup/databasecopy.h"
#include "backup/rotation.h"

#include <QDir>
#include <QFileInfo>

namespace backup {

namespace {

QDateTime lastChange(const QString& databasePath) {
    const QDateTime file = QFileInfo(databasePath).lastModified();
    const QFileInfo wal(databasePath + QStringLiteral("-wal"));
    return wal.exists() ? std::max(file, wal.lastModified()) : file;
}

QString freePath(const QDir& dir, QDateTime time) {
    while (dir.exists(automaticName(time)))
        time = time.addSecs(1);
    return dir.filePath(automaticName(time));
}

} // namespace

bool startBackupDue(const QString& databasePath, const QString& folder) {
    if (!QFileInfo::exists(databasePath))
        return false;
    const QList<DatedBackup> backups = automaticBackups(folder);
    if (backups.isEmpty())
        return true;
    const QFileInfo newest(QDir(folder).filePath(backups.first().name));
    return newest.lastModified() < lastChange(databasePath);
}

BackupOutcome backUpInto(const QString& databasePath, const QString& folder, const QDateTime& now) {
    BackupOutcome outcome;
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        outcome.error =
            QStringLiteral("Složku \"%1\" nelze vytvořit.").arg(QDir::toNativeSeparators(folder));
        return outcome;
    }
    const QString path = freePath(dir, now);
    if (!copyDatabase(databasePath, path, &outcome.error))
        return outcome;
    outcome.path = path;
    const QStringList undeleted = rotateBackups(folder, now);
    if (!undeleted.isEmpty())
        outcome.error = QStringLiteral("Staré zálohy se nepodařilo smazat: ") +
                        undeleted.join(QStringLiteral(", "));
    return outcome;
}

} // namespace backup
