#include "backup/sqlitefile.h"

#include "storage/engine/statement.h"

#include <QFile>
#include <sqlite3.h>

namespace backup {

namespace {

int openFlags(SqliteFile::Mode mode) {
    switch (mode) {
    case SqliteFile::Mode::ReadOnly:
        return SQLITE_OPEN_READONLY;
    case SqliteFile::Mode::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case SqliteFile::Mode::Create:
        break;
    }
    return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
}

} // namespace

SqliteFile::SqliteFile(const QString& path, Mode mode) {
    opened_ = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, openFlags(mode),
                              nullptr) == SQLITE_OK;
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
