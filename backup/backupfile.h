#pragma once
// What a file offered for a restore holds: the date of the backup, the rows of both books and,
// when it cannot be restored, why not. A file is ours when it is an SQLite database with both
// book tables and every invoice column; tables the engine adds later are not required, so an
// older backup is ours too.

#include <QDateTime>
#include <QList>
#include <QString>

namespace backup {

struct BackupFile {
    QString path;
    QDateTime time;       // from an automatic backup's name, else the file's modification time
    qint64 received = -1; // rows of FDosle; -1 when unreadable
    qint64 issued = -1;   // rows of FOdeslane
    QString problem;      // empty when the file can be restored
};

enum class Check {
    Quick, // header, tables and row counts: enough for a listing
    Full   // and PRAGMA integrity_check over the whole file, before a restore
};

BackupFile inspectBackup(const QString& path, Check check);
// Every *.mdb file of the folder, newest first, quickly checked.
QList<BackupFile> listBackups(const QString& folder);

} // namespace backup
