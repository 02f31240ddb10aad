#include "backup/databasecopy.h"

#include "backup/backupnames.h"
#include "backup/sqlitefile.h"
#include "storage/engine/statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace backup {

namespace {

// A step that finds the source locked by another copy's write waits this long in all, on top
// of the connections' own busy timeout.
constexpr int lockedRetries = 150;
constexpr int lockedRetryMs = 100;

// Copies every page of from into to in one step, so the copy is one state of the source.
bool runBackup(sqlite3* to, sqlite3* from, QString* error) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) {
        *error = engine::engineError(to);
        return false;
    }
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt <= lockedRetries; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(lockedRetryMs);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    return true;
}

// A fresh empty file with a unique name in the target's folder.
QString temporaryPath(const QString& target, QString* error) {
    QTemporaryFile file(QFileInfo(target).absolutePath() + u'/' +
                        temporaryName(QStringLiteral("XXXXXX")));
    file.setAutoRemove(false);
    if (!file.open()) {
        *error = QStringLiteral("Ve složce \"%1\" nelze vytvořit soubor: %2")
                     .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()),
                          file.errorString());
        return {};
    }
    return file.fileName();
}

// Writes the copy into the empty file at path and checks it; the connection is closed after.
bool writeCopy(const QString& databasePath, const QString& path, QString* error) {
    const SqliteFile source(databasePath, SqliteFile::Mode::ReadWrite);
    if (!source.isOpen()) {
        *error = source.error();
        return false;
    }
    const SqliteFile copy(path, SqliteFile::Mode::ReadWrite);
    QString mode;
    if (!copy.isOpen()) {
        *error = copy.error();
        return false;
    }
    return runBackup(copy.handle(), source.handle(), error) &&
           copy.scalar(QStringLiteral("PRAGMA journal_mode = DELETE"), mode, error) &&
           checkIntegrity(copy.handle(), error);
}

} // namespace

bool checkIntegrity(sqlite3* db, QString* error) {
    engine::Statement statement(db, QStringLiteral("PRAGMA integrity_check(5)"));
    QStringList problems;
    while (statement.step())
        problems << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    if (statement.failed()) {
        *error = statement.error();
        return false;
    }
    if (problems == QStringList{QStringLiteral("ok")})
        return true;
    *error = QStringLiteral("Kontrola integrity databáze selhala: ") +
             problems.join(QStringLiteral("; "));
    return false;
}

bool copyDatabase(const QString& databasePath, const QString& target, QString* error) {
    const QString temporary = temporaryPath(target, error);
    if (temporary.isEmpty())
        return false;
    // Readable by whoever may read the books, no more (a temporary file starts private).
    QFile::setPermissions(temporary, QFileInfo(databasePath).permissions());
    bool done = writeCopy(databasePath, temporary, error);
    // rename() replaces an existing target in one step: there is always a whole file there.
    if (done && std::rename(QFile::encodeName(temporary).constData(),
                            QFile::encodeName(target).constData()) != 0) {
        *error =
            QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
                .arg(QDir::toNativeSeparators(target), QString::fromLocal8Bit(strerror(errno)));
        done = false;
    }
    if (!done)
        QFile::remove(temporary);
    return done;
}

bool copyInto(sqlite3* live, const QString& sourcePath, QString* error) {
    const SqliteFile source(sourcePath, SqliteFile::Mode::Archived);
    if (!source.isOpen()) {
        *error = source.error();
        return false;
    }
    return runBackup(live, source.handle(), error);
}

} // namespace backup
