#include "storage/engine/statement.h"

#include <sqlite3.h>

namespace engine {

QString engineError(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("Databáze není otevřená.");
}

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray text = sql.toUtf8();
    if (!db ||
        sqlite3_prepare_v2(db, text.constData(), text.size(), &statement_, nullptr) != SQLITE_OK) {
        failed_ = true;
        error_ = engineError(db);
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

bool Statement::step() {
    if (!statement_)
        return false;
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        failed_ = true;
        error_ = engineError(db_);
    }
    return false;
}

bool Statement::run() {
    while (step()) {
    }
    return !failed_;
}

void Statement::reset() {
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    failed_ = false;
    error_.clear();
}

} // namespace engine
