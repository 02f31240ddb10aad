#pragma once
// The plain text of stored values (as plainText(readColumn(...)) gives it) appended as UTF-8
// straight from SQLite's column values, without a QVariant or a QString per value: exports
// write millions of them. Anything out of the ordinary takes the general way, so the bytes are
// always exactly those of plainText.

#include "storage/engine/connection.h"

#include <string>

struct sqlite3_stmt;

namespace engine {

void appendPlainText(std::string& out, sqlite3_stmt* statement, int column, FieldType type);

// Whether bytes are UTF-8 that a QString takes and gives back unchanged.
bool isPlainUtf8(const char* bytes, int size);

// The code point starting at bytes[at] of valid UTF-8; `at` moves past it.
char32_t nextCodePoint(const char* bytes, int& at);

} // namespace engine
