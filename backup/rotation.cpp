#include "backup/rotation.h"

#include "backup/backupnames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace backup {

namespace {

constexpr int keptNewest = 10;
constexpr int keptMonths = 12;

int monthNumber(const QDate& date) {
    return date.year() * 12 + date.month() - 1;
}

} // namespace

QList<DatedBackup> automaticBackups(const QString& folder) {
    QList<DatedBackup> result;
    const QStringList names = QDir(folder).entryList({QStringLiteral("Lumira-*.mdb")}, QDir::Files);
    for (const QString& name : names) {
        if (const std::optional<QDateTime> time = automaticTime(name))
            result.append({name, *time});
    }
    std::sort(result.begin(), result.end(),
              [](const DatedBackup& a, const DatedBackup& b) { return a.time > b.time; });
    return result;
}

QStringList namesToDelete(const QList<DatedBackup>& newestFirst, const QDate& today) {
    const int thisMonth = monthNumber(today);
    QSet<int> monthsKept;
    QStringList result;
    for (int i = keptNewest; i < newestFirst.size(); ++i) {
        const int month = monthNumber(newestFirst[i].time.date());
        const bool recent = month > thisMonth - keptMonths && month <= thisMonth;
        if (recent && !monthsKept.contains(month))
            monthsKept.insert(month);
        else
            result.append(newestFirst[i].name);
    }
    return result;
}

QStringList rotateBackups(const QString& folder, const QDateTime& now) {
    const QDir dir(folder);
    QStringList names = namesToDelete(automaticBackups(folder), now.date());
    // Younger ones may still be written by another copy of the program.
    const QFileInfoList temporaries =
        dir.entryInfoList({temporaryName(QStringLiteral("*"))}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : temporaries) {
        if (file.lastModified() < now.addSecs(-3600))
            names.append(file.fileName());
    }
    QStringList failed;
    for (const QString& name : names) {
        if (!QFile::remove(dir.filePath(name)))
            failed.append(name);
    }
    return failed;
}

} // namespace backup
