#pragma once
// RAII wrapper of a prepared SQLite statement that reports errors with the engine's text.

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace engine {

class Statement {
public:
    // Prepares SQLite SQL (already translated).
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }
    // Next row: true while rows come; false at the end or on error (see failed()).
    bool step();
    bool failed() const { return failed_; }
    // Runs to completion; false on error.
    bool run();
    void reset();
    QString error() const { return error_; }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    bool failed_ = false;
    QString error_;
};

QString engineError(sqlite3* db);

} // namespace engine
