#pragma once
// LIKE as the program's texts expect it: % and _ wildcards, letter case ignored for every
// letter (Czech ones included), registered on the connection in place of SQLite's ASCII one.

#include <QString>

struct sqlite3;

namespace engine {

// Both texts already case-folded.
bool likeMatches(const QString& pattern, const QString& text);

bool registerLike(sqlite3* db);

} // namespace engine
