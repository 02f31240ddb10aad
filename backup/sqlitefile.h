#pragma once
// A connection of its own to one database file, closed when it goes out of scope.

#include <QString>

struct sqlite3;

namespace backup {

class SqliteFile {
public:
    enum class Mode {
        // A file nobody writes (a backup): read without locks and without leaving -wal or
        // -shm files beside it, whatever journal mode its header names.
        Archived,
        ReadWrite,
        Create
    };
    // Waits up to 15 s for another copy of the program's write, as the program's connection does.
    SqliteFile(const QString& path, Mode mode);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    bool isOpen() const { return opened_; }
    sqlite3* handle() const { return db_; }
    QString error() const;
    // The first column of the statement's first row as text; false with the engine's error.
    bool scalar(const QString& sql, QString& value, QString* error) const;

private:
    sqlite3* db_ = nullptr;
    bool opened_ = false;
};

} // namespace backup
