#include "backup/sqlitefile.h"

#include "storage/engine/statement.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

namespace backup {

namespace {

int openFlags(SqliteFile::Mode mode) {
    switch (mode) {
    case SqliteFile::Mode::Archived:
        return SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    case SqliteFile::Mode::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case SqliteFile::Mode::Create:
        break;
    }
    return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
}

QByteArray fileName(const QString& path, SqliteFile::Mode mode) {
    if (mode != SqliteFile::Mode::Archived)
        return QFile::encodeName(path);
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() +
           QByteArrayLiteral("?immutable=1");
}

} // namespace

SqliteFile::SqliteFile(const QString& path, Mode mode) {
    opened_ = sqlite3_open_v2(fileName(path, mode).constData(), &db_, openFlags(mode), nullptr) ==
              SQLITE_OK;
    sqlite3_busy_timeout(db_, 15000);
}

SqliteFile::~SqliteFile() {
    sqlite3_close_v2(db_);
}

QString SqliteFile::error() const {
    return engine::engineError(db_);
}

bool SqliteFile::scalar(const QString& sql, QString& value, QString* error) const {
    engine::Statement statement(db_, sql);
    if (!statement.step()) {
        *error = statement.failed() ? statement.error() : QStringLiteral("Dotaz nevrátil řádek.");
        return false;
    }
    value =
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    return true;
}

} // namespace backup
