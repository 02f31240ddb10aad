#include "backup/backupfile.h"

#include "backup/backupnames.h"
#include "backup/databasecopy.h"
#include "backup/sqlitefile.h"
#include "storage/books.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace backup {

namespace {

bool hasSqliteHeader(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

QString notOurs(const QString& detail) {
    return QStringLiteral("Soubor není databáze programu Lumira (%1).").arg(detail);
}

// Empty when the table holds every invoice column (letter case ignored).
QString missingColumns(const SqliteFile& file, const BookInfo& book) {
    QString names;
    QString error;
    if (!file.scalar(QStringLiteral("SELECT group_concat(lower(name), ',') FROM "
                                    "pragma_table_info('%1')")
                         .arg(book.tableName),
                     names, &error))
        return QStringLiteral("Soubor nelze přečíst: ") + error;
    const QStringList present = names.split(u',');
    const QSet<QString> columns(present.begin(), present.end());
    for (const QString& column : invoiceColumns()) {
        if (!columns.contains(column.toLower()))
            return names.isEmpty() ? notOurs(QStringLiteral("chybí tabulka %1").arg(book.tableName))
                                   : notOurs(QStringLiteral("tabulce %1 chybí sloupec %2")
                                                 .arg(book.tableName, column));
    }
    return {};
}

// Checks the book table and counts its rows; the problem in Czech, empty when fine.
QString countBook(const SqliteFile& file, const BookInfo& book, qint64& rows) {
    const QString missing = missingColumns(file, book);
    if (!missing.isEmpty())
        return missing;
    QString count;
    QString error;
    if (!file.scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(book.tableName), count,
                     &error))
        return QStringLiteral("Soubor nelze přečíst: ") + error;
    rows = count.toLongLong();
    return {};
}

QString inspectContent(BackupFile& result, Check check) {
    if (!hasSqliteHeader(result.path))
        return notOurs(QStringLiteral("není to databáze SQLite"));
    const SqliteFile file(result.path, SqliteFile::Mode::Archived);
    if (!file.isOpen())
        return QStringLiteral("Soubor nelze otevřít: ") + file.error();
    QString problem = countBook(file, bookInfo(0), result.received);
    if (problem.isEmpty())
        problem = countBook(file, bookInfo(1), result.issued);
    QString integrity;
    if (problem.isEmpty() && check == Check::Full && !checkIntegrity(file.handle(), &integrity))
        problem = QStringLiteral("Soubor je poškozený: ") + integrity;
    return problem;
}

} // namespace

BackupFile inspectBackup(const QString& path, Check check) {
    BackupFile result;
    result.path = path;
    const QFileInfo info(path);
    result.time = automaticTime(info.fileName()).value_or(info.lastModified());
    result.problem = inspectContent(result, check);
    return result;
}

QList<BackupFile> listBackups(const QString& folder) {
    QList<BackupFile> result;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.mdb")}, QDir::Files))
        result.append(inspectBackup(dir.filePath(name), Check::Quick));
    std::sort(result.begin(), result.end(),
              [](const BackupFile& a, const BackupFile& b) { return a.time > b.time; });
    return result;
}

} // namespace backup
