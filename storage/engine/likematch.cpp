#include "storage/engine/likematch.h"

#include <sqlite3.h>

namespace engine {

bool likeMatches(const QString& pattern, const QString& text) {
    int p = 0;
    int t = 0;
    int starP = -1;
    int starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == u'_' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == u'%') {
            starP = p++;
            starT = t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'%')
        ++p;
    return p == pattern.size();
}

namespace {

QString foldedText(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(value)).toCaseFolded();
}

void deletePattern(void* pattern) {
    delete static_cast<QString*>(pattern);
}

// like(pattern, text): SQLite calls the function with the pattern first.
void likeFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    // The folded pattern is kept with the statement, so it is folded once per query.
    auto* pattern = static_cast<QString*>(sqlite3_get_auxdata(context, 0));
    if (!pattern) {
        pattern = new QString(foldedText(argv[0]));
        sqlite3_set_auxdata(context, 0, pattern, deletePattern);
        pattern = static_cast<QString*>(sqlite3_get_auxdata(context, 0));
        if (!pattern) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    sqlite3_result_int(context, likeMatches(*pattern, foldedText(argv[1])) ? 1 : 0);
}

} // namespace

bool registerLike(sqlite3* db) {
    return sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   likeFunction, nullptr, nullptr) == SQLITE_OK;
}

} // namespace engine
